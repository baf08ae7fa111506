#pragma once

#include "credentialstore.h"
#include "fields.h"
#include "smtpsession.h"
#include "storedmessage.h"
#include "userinterface.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class AttachmentPanel;
class QTemporaryDir;
class SentCopy;
class SentFolder;
class frmSent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SslSmtpSocket;
class frmSettings;
struct Qln_main;

// The working window: the document, Send and its status line, the record
// buttons and the menu. It owns the socket Winsock1 and the SMTP exchange
// with the sign-ins it needs, and the settings window, which it creates on
// first use.
class frmMain : public QMainWindow,
                public DocumentFields,
                public StatusLine,
                public MessageBox,
                public SignInPrompt
{
    Q_OBJECT
public:
    explicit frmMain(Qln_main &qln, SmtpTimeouts timeouts = {});
    ~frmMain() override;

    // DocumentFields: the message's line breaks are CR LF here, as stored.
    QString text(DocField field) const override;
    void setText(DocField field, const QString &text) override;
    void showRecNum(qint16 recNum) override;
    // StatusLine
    void setStatus(const QString &text) override;
    // MessageBox
    void exclamation(const QString &text, const QString &title) override;
    // SignInPrompt: the sign-in window, modal.
    std::optional<Answer> ask(const Account &account, bool keyringAvailable) override;
    std::optional<TokenAnswer> askBrowser(const Account &account, const OAuthProvider &provider,
                                          bool keyringAvailable, QString &failure) override;
    void notRemembered(const Account &account) override;

    // The settings window's fields, creating the window (hidden, loaded from
    // "qln.db", provider "TPC.NET") when there is none.
    SettingsFields &settingsFields();
    frmSettings *settingsWindow() const;

    void deleteRec(qint16 &recNum);

    // Attaches the files to the fax being written.
    void attach(const QStringList &paths);
    // A fax from the Sent folder as a new, unsaved one: its fields as they
    // were typed and its documents; nothing is sent until Send.
    void sendAgain(const stored::Message &message);

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
    void about();
    void endProgram();
    SmtpSession &session();

    Qln_main &m_qln;
    QPointer<frmSettings> m_settings;
    QWidget *m_client = nullptr;
    AttachmentPanel *m_attachments = nullptr;
    bool m_ended = false;

    QLabel *Label1;
    QLineEdit *txtTo;
    QLineEdit *txtFax;
    QLineEdit *txtSubject;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QPlainTextEdit *txtMessage;
    QPushButton *btnSend;
    QLabel *lblStatus;
    QPushButton *btnNew;
    QPushButton *btnSave;
    QPushButton *btnDelete;
    QPushButton *btnPrev;
    QPushButton *btnNext;
    QLabel *lblRecNum;
    // Made at the first Send: most runs of the program send nothing.
    SslSmtpSocket *Winsock1 = nullptr;
    std::unique_ptr<SentFolder> m_sentFolder;
    std::unique_ptr<SentCopy> m_sentCopy;
    QPointer<frmSent> m_sent;
    std::unique_ptr<QTemporaryDir> m_resent; // documents of faxes sent again
    std::unique_ptr<Keyring> m_keyring;
    std::unique_ptr<CredentialStore> m_credentials;
    std::unique_ptr<SmtpSession> m_session;
    SmtpTimeouts m_timeouts;
};
