#include "outbox/outbox.h"

#include "account/oauthproviders.h"
#include "outbox/sendcommand.h"
#include "reports/deliverywatch.h"
#include "sent/sentcopy.h"
#include "sent/sentfolder.h"
#include "smtp/sslsocket.h"
#include "store/reportsettings.h"

#include <cstdio>

namespace {

template <typename T, typename Made> std::unique_ptr<T> orMade(std::unique_ptr<T> given, Made make)
{
    return given ? std::move(given) : make();
}

// The sign-in table: built in, and an organisation's own; reaching the
// mailbox as well while delivery reports are read.
QList<OAuthProvider> signInTable(const QString &dataFolder)
{
    QStringList problems;
    const QList<OAuthProvider> providers =
        oauthproviders::load(oauthproviders::iniFiles(dataFolder), problems);
    for (const QString &problem : problems)
        std::fprintf(stderr, "quillon: %s\n", qPrintable(problem));
    return reportsettings::load(dataFolder).watch ? oauthproviders::withMailbox(providers)
                                                  : providers;
}

} // namespace

Outbox::Outbox(const QString &dataFolder, SignInPrompt &prompt, OutboxParts parts)
    : m_socket(orMade(std::move(parts.socket),
                      [] { return std::make_unique<SslSmtpSocket>(); })),
      m_keyring(orMade(std::move(parts.keyring),
                       [] { return std::make_unique<DesktopKeyring>(); })),
      m_credentials(*m_keyring, prompt,
                    parts.providers ? *parts.providers : signInTable(dataFolder),
                    std::chrono::seconds(20), parts.tokenWait),
      m_sentFolder(std::make_unique<SentFolder>(dataFolder)),
      m_sentCopy(std::make_unique<SentCopy>(*m_sentFolder)),
      m_session(*m_socket, parts.timeouts),
      m_imapSocket(orMade(std::move(parts.imapSocket),
                          [] { return std::make_unique<SslSmtpSocket>(); })),
      m_watch(std::make_unique<DeliveryWatch>(dataFolder, *m_imapSocket, m_credentials,
                                              parts.imapTimeouts))
{
    m_watch->setRetryPause(parts.reconnectPause);
    connect(m_watch.get(), &DeliveryWatch::trouble, this, &Outbox::reportsTrouble);
    connect(m_watch.get(), &DeliveryWatch::reported, this,
            [this](const Delivery &delivery, const WaitingFax &fax) {
                Q_EMIT reportsChanged();
                if (delivery.isFinal() && m_sentThisRun.contains(fax.copy))
                    Q_EMIT delivered(delivery::news(delivery, fax.fax), fax.copy, delivery);
            });
    m_socket->setObjectName(QStringLiteral("Winsock1"));
    if (!parts.machineName.isEmpty())
        m_session.setMachineName(parts.machineName);
    m_session.setCredentialSource(&m_credentials);
    m_session.setMessageTap(m_sentCopy.get());
    // While the server answers the status line is blank.
    connect(&m_session, &SmtpSession::progressed, this, [this] { Q_EMIT status(QString()); });
    connect(&m_session, &SmtpSession::alert, this, &Outbox::alert);
    connect(&m_session, &SmtpSession::finished, this, [this](const QString &outcome) {
        const QString copy = m_sentCopy->lastCopy();
        if (!copy.isEmpty() && !m_sentThisRun.contains(copy))
            m_sentThisRun.append(copy);
        Q_EMIT status(outcome);
        Q_EMIT finished(outcome);
        m_watch->check();
    });
}

Outbox::~Outbox() = default;

std::optional<Outbox::Fields> Outbox::submit(Draft draft)
{
    if (m_session.isBusy()) {
        Q_EMIT status(tr("The previous message is still being sent."));
        return std::nullopt;
    }
    Addressed addressed = addressDraft(draft);
    const Fields fields{addressed.to, addressed.fax};
    if (!addressed.refusal.isEmpty()) {
        Q_EMIT status(addressed.refusal);
        return fields;
    }
    // Only now is it certain that this draft is the one the copy is of.
    m_sentCopy->expect(addressed.typed);
    Q_EMIT status(tr("Sending"));
    if (!m_session.start(std::move(addressed.request)))
        Q_EMIT status(tr("Cannot connect to SMTP server"));
    return fields;
}

QString Outbox::lastCopy() const
{
    return m_sentCopy->lastCopy();
}

void Outbox::watchReports(const ReportSettings &reports, const QString &smtpServer,
                          const QString &email)
{
    const std::optional<ServerAddress> imap = ServerAddress::parseImap(reports.imapServer.trimmed());
    if (!reports.watch || !imap || email.trimmed().isEmpty()) {
        m_watch->setAccount(std::nullopt);
        return;
    }
    // An OAuth sign-in is the sending account's: one browser sign-in for both.
    Account signIn{imap->host, imap->port, email.trimmed()};
    const std::optional<ServerAddress> smtp = ServerAddress::parse(smtpServer.trimmed());
    if (smtp && m_credentials.signInBeforeConnecting(Account{smtp->host, smtp->port, {}}))
        signIn = Account{smtp->host, smtp->port, email.trimmed()};
    m_watch->setAccount(WatchAccount{*imap, signIn});
    m_watch->check();
}
