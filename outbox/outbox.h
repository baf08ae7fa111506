#pragma once

#include "account/credentialstore.h"
#include "imap/session.h"
#include "outbox/draft.h"
#include "sent/delivery.h"
#include "smtp/session.h"
#include "smtp/socket.h"

#include <QObject>

#include <memory>
#include <optional>

class DeliveryWatch;
class SentCopy;
class SentFolder;
struct ReportSettings;

// The parts of an Outbox a test replaces; each one left empty is the real
// one: a TLS socket trusting the system's issuers, the desktop's keyring,
// the sign-in table of the built-in entries and oauth.ini, the machine's
// own name.
struct OutboxParts
{
    std::unique_ptr<SmtpSocket> socket;
    std::unique_ptr<Keyring> keyring;
    std::optional<QList<OAuthProvider>> providers;
    SmtpTimeouts timeouts;
    // How long a token endpoint may take to answer a refresh.
    std::chrono::milliseconds tokenWait = std::chrono::minutes(2);
    QString machineName;
    // Where the gateways' reports are read from.
    std::unique_ptr<SmtpSocket> imapSocket;
    imap::Timeouts imapTimeouts;
    std::chrono::milliseconds reconnectPause{5000};
};

// Where a Send goes once the window has gathered it: the draft is checked
// and addressed, sent over SMTP with the sign-in the server wants (asked of
// the user through `prompt`), and a copy of what the server took is kept in
// the Sent folder, recording that draft's own fields. One message at a
// time; progress and outcome are told by signals, so any face (the main
// window, a command line) can show them.
class Outbox : public QObject
{
    Q_OBJECT
public:
    Outbox(const QString &dataFolder, SignInPrompt &prompt, OutboxParts parts = {});
    ~Outbox() override;

    // The To and Fax fields as the Send command leaves them.
    struct Fields
    {
        QString to;
        QString fax;
    };

    // Starts sending `draft`, or refuses it with the reason told by
    // status(). While a message is still being sent nothing is taken and
    // nothing is returned: the fields stay as typed.
    std::optional<Fields> submit(Draft draft);
    bool isBusy() const { return m_session.isBusy(); }

    // Reads the gateways' delivery reports as `reports` says (quillon.ini),
    // signing in as the sender on the IMAP server, or on the SMTP server's
    // account where that signs in with OAuth; looks at once for faxes
    // still waiting for one.
    void watchReports(const ReportSettings &reports, const QString &smtpServer,
                      const QString &email);
    // The file name of the Sent copy of the message the server last took.
    QString lastCopy() const;
    // The last message submitted was taken by the server.
    bool lastAccepted() const { return m_session.accepted(); }

Q_SIGNALS:
    // What the status line says now: "Sending", blank while the server
    // answers, then the outcome; or why the draft was not sent.
    void status(const QString &text);
    // The connection failed: what a message box should say, and its title.
    void alert(const QString &text, const QString &title);
    // A message's exchange has ended with `outcome`; a copy may have been
    // added to the Sent folder.
    void finished(const QString &outcome);
    // The gateway's final report on a fax sent in this run came: `news` is
    // what the status line says ("Delivered: 0123 456 789, 3 pages.").
    void delivered(const QString &news, const QString &copy, const Delivery &delivery);
    // A report on any fax was kept: the Sent folder's statuses changed.
    void reportsChanged();
    // Delivery reports cannot be read: why, in plain words.
    void reportsTrouble(const QString &text);

private:
    std::unique_ptr<SmtpSocket> m_socket;
    std::unique_ptr<Keyring> m_keyring;
    CredentialStore m_credentials;
    std::unique_ptr<SentFolder> m_sentFolder;
    std::unique_ptr<SentCopy> m_sentCopy;
    SmtpSession m_session;
    std::unique_ptr<SmtpSocket> m_imapSocket;
    std::unique_ptr<DeliveryWatch> m_watch;
    QStringList m_sentThisRun;
};
