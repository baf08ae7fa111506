#pragma once

#include "documents/attachmentlist.h"
#include "sent/sentfolder.h"
#include "sent/storedmessage.h"

#include <QTemporaryDir>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class AttachmentStrip;
class SentModel;

// "Sent": every fax a server took, newest first, from the copies in the
// Sent folder, with what the gateway reported. The one selected shows the
// report's own words, its text and documents below the table. "Send
// again" puts it into the main window as a new fax; "Report" saves a
// transmission report; Delete removes a copy, after asking.
class frmSent : public QWidget
{
    Q_OBJECT
public:
    frmSent(const QString &dataFolder, QWidget *parent = nullptr);
    ~frmSent() override;

    // Lists the folder anew (after a Send).
    void reload();
    // A gateway's report came: the Status column and the words shown.
    void reloadDeliveries();
    // Chooses the copy named `copy` in the table.
    void showCopy(const QString &copy);

Q_SIGNALS:
    // The fax as it was typed, with its documents, to go out again.
    void sendAgain(const stored::Message &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void select(int row);
    void showDelivery(int row);
    void deleteSelected();
    void report();
    int selectedRow() const;

    SentFolder m_folder;
    SentModel *m_model;
    AttachmentList m_documents;
    QTemporaryDir m_files; // the selected copy's documents, for their pictures
    stored::Message m_selected;
    QString m_selectedName; // the chosen copy's file name
    QTableView *lstSent;
    QLabel *lblDelivery;
    QPlainTextEdit *txtSentMessage;
    AttachmentStrip *lstSentAttachments;
    QPushButton *cmdSendAgain;
    QPushButton *cmdReport;
};
