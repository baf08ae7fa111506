#pragma once

#include "outbox/draft.h"
#include "sent/storedmessage.h"
#include "smtp/session.h"
#include "store/fields.h"
#include "ui/newfax.h"
#include "ui/signinfaces.h"
#include "ui/statusline.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class AttachmentPanel;
class Outbox;
class QTemporaryDir;
class frmSent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class frmSettings;
struct DataFiles;

// The working window: the document, Send and its status line, the record
// buttons and the menu. Send hands what was typed to the Outbox as a draft
// and shows what it reports. The settings window and the Outbox are made on
// first use.
class frmMain : public QMainWindow, public DocumentFields, public StatusLine
{
    Q_OBJECT
public:
    explicit frmMain(DataFiles &files, SmtpTimeouts timeouts = {});
    ~frmMain() override;

    // DocumentFields: the message's line breaks are CR LF here, as stored.
    QString text(DocField field) const override;
    void setText(DocField field, const QString &text) override;
    void showRecNum(qint16 recNum) override;
    // StatusLine
    void setStatus(const QString &text) override;

    // The settings window's fields, creating the window (hidden, loaded from
    // "qln.db", provider "TPC.NET") when there is none.
    SettingsFields &settingsFields();
    frmSettings *settingsWindow() const;

    void deleteRec(qint16 &recNum);

    // Attaches the files to the fax being written.
    void attach(const QStringList &paths);
    // A new, unsaved document with the fields given, the others empty, and
    // the files attached; the provider chosen when one is given.
    void compose(const NewFax &fax);
    // A document printed to the "Quillon" printer, attached; it is Quillon's
    // and goes when it leaves the strip.
    void printed(const QString &path);
    // A fax from the Sent folder as a new, unsaved one: its fields as they
    // were typed and its documents; nothing is sent until Send.
    void sendAgain(const stored::Message &message);
    // Reads the gateways' delivery reports as the settings say, while some
    // fax waits for one.
    void watchReports();

Q_SIGNALS:
    // The user closed the window or chose Exit; every file is closed.
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    // The client area as drawn, taller by the strip while documents are
    // attached; the window fits it.
    void fitClientArea();
    // A record command: the window shows another document, so the files
    // attached to the one before go.
    void recordCommand(const QString &error);
    void save();
    void reportError(const QString &error);
    void showSettings();
    void showSent();
    void send();
    // What was typed and chosen, as the Outbox takes it.
    Draft draft();
    void about();
    void endProgram();
    Outbox &outbox();

    DataFiles &m_files;
    QPointer<frmSettings> m_settings;
    QWidget *m_client = nullptr;
    int m_widerBy = 0; // pixels the captions of a translation added to the width
    AttachmentPanel *m_attachments = nullptr;
    bool m_ended = false;

    QLabel *lblTo;
    QLineEdit *txtTo;
    QLineEdit *txtFax;
    QLineEdit *txtSubject;
    QLabel *lblFax;
    QLabel *lblSubject;
    QLabel *lblMessage;
    QPlainTextEdit *txtMessage;
    QPushButton *btnSend;
    QLabel *lblStatus;
    QPushButton *btnNew;
    QPushButton *btnSave;
    QPushButton *btnDelete;
    QPushButton *btnPrev;
    QPushButton *btnNext;
    QLabel *lblRecNum;
    QPointer<frmSent> m_sent;
    std::unique_ptr<QTemporaryDir> m_resent; // documents of faxes sent again
    SignInFaces m_signInFaces{this};
    // Made at the first Send: most runs of the program send nothing.
    std::unique_ptr<Outbox> m_outbox;
    SmtpTimeouts m_timeouts;
};
