#include "outbox/outbox.h"

#include "account/oauthproviders.h"
#include "outbox/sendcommand.h"
#include "sent/sentcopy.h"
#include "sent/sentfolder.h"
#include "smtp/sslsocket.h"

#include <cstdio>

namespace {

template <typename T, typename Made> std::unique_ptr<T> orMade(std::unique_ptr<T> given, Made make)
{
    return given ? std::move(given) : make();
}

// The sign-in table: built in, and an organisation's own.
QList<OAuthProvider> signInTable(const QString &dataFolder)
{
    QStringList problems;
    const QList<OAuthProvider> providers =
        oauthproviders::load(oauthproviders::iniFiles(dataFolder), problems);
    for (const QString &problem : problems)
        std::fprintf(stderr, "quillon: %s\n", qPrintable(problem));
    return providers;
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
      m_session(*m_socket, parts.timeouts)
{
    m_socket->setObjectName(QStringLiteral("Winsock1"));
    if (!parts.machineName.isEmpty())
        m_session.setMachineName(parts.machineName);
    m_session.setCredentialSource(&m_credentials);
    m_session.setMessageTap(m_sentCopy.get());
    // While the server answers the status line is blank.
    connect(&m_session, &SmtpSession::progressed, this, [this] { Q_EMIT status(QString()); });
    connect(&m_session, &SmtpSession::alert, this, &Outbox::alert);
    connect(&m_session, &SmtpSession::finished, this, [this](const QString &outcome) {
        Q_EMIT status(outcome);
        Q_EMIT finished(outcome);
    });
}

Outbox::~Outbox() = default;

std::optional<Outbox::Fields> Outbox::submit(Draft draft)
{
    if (m_session.isBusy()) {
        Q_EMIT status(QStringLiteral("The previous message is still being sent."));
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
    Q_EMIT status(QStringLiteral("Sending"));
    if (!m_session.start(std::move(addressed.request)))
        Q_EMIT status(QStringLiteral("Cannot connect to SMTP server"));
    return fields;
}
