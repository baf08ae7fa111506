#pragma once

#include "account/credentials.h"
#include "account/serveraddress.h"
#include "imap/session.h"
#include "reports/faxmatch.h"
#include "reports/wording.h"
#include "sent/delivery.h"
#include "sent/reportfolder.h"
#include "sent/sentfolder.h"

#include <QObject>
#include <QSet>
#include <QTimer>

#include <chrono>
#include <optional>

class SmtpSocket;

// Where the gateways' reports are read: the IMAP server, and the account
// whose sign-in is used there (for a server that signs in with OAuth,
// the sending account's, so that one sign-in covers both).
struct WatchAccount
{
    ServerAddress imap;
    Account signIn;
};

// Reads the gateways' delivery reports on the faxes in the Sent folder
// from the user's inbox. It connects only while some fax sent in the last
// 48 hours has no final report, asks the server only for mail from those
// faxes' gateways, and keeps each report it matches to a fax in
// Sent/.Reports; only one that proves it is the gateway's (trust.h)
// decides the fax. A dropped connection is tried again after growing
// pauses.
class DeliveryWatch : public QObject
{
    Q_OBJECT
public:
    DeliveryWatch(const QString &dataFolder, SmtpSocket &socket, CredentialSource &credentials,
                  imap::Timeouts timeouts = {});
    ~DeliveryWatch() override;

    // Reads reports with `account`, or not at all.
    void setAccount(std::optional<WatchAccount> account);
    // Looks at the Sent folder again (at start, after a Send): watches
    // while some fax waits, stops when none does.
    void check();
    bool isWatching() const { return m_session.isOpen() || m_retry.isActive(); }
    // The first pause before a dropped connection is tried again; each
    // further one doubles, up to five minutes.
    void setRetryPause(std::chrono::milliseconds pause) { m_firstPause = pause; }

Q_SIGNALS:
    // A verified report on `fax` came and was kept.
    void reported(const Delivery &delivery, const WaitingFax &fax);
    // The reports cannot be read until something changes (the sign-in was
    // refused, the server will not encrypt): why, in plain words.
    void trouble(const QString &text);

private:
    QList<WaitingFax> waitingFaxes() const;
    imap::Query query() const;
    void open();
    void onFetched(const imap::FetchedMessage &message);
    void onEnded(const QString &reason, bool retry);
    void stop();

    QString m_dataFolder;
    SentFolder m_sent;
    ReportFolder m_reports;
    QList<Wording> m_table;
    QStringList m_trusted; // the receiving servers whose word counts
    imap::Session m_session;
    std::optional<WatchAccount> m_account;
    QList<WaitingFax> m_waiting;
    QSet<QString> m_keptIds;
    QTimer m_retry;
    QTimer m_expiry; // the next fax to stop waiting for
    std::chrono::milliseconds m_firstPause{5000};
    std::chrono::milliseconds m_pause{0};
};
