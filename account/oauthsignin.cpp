#include "account/oauthsignin.h"

#include <QRandomGenerator>

namespace {

// 32 random bytes, base64url: a state, or a PKCE code verifier of 43
// characters.
QByteArray randomToken()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), 8);
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

QString refusal(const QString &error, const QString &description)
{
    return description.isEmpty()
               ? OAuthSignIn::tr("Not sent: the sign-in was refused: %1").arg(error)
               : OAuthSignIn::tr("Not sent: the sign-in was refused: %1: %2")
                     .arg(error, description);
}

} // namespace

OAuthSignIn::OAuthSignIn(const OAuthProvider &provider, Browser openBrowser, QObject *parent)
    : QObject(parent), m_provider(provider), m_openBrowser(std::move(openBrowser))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        fail(m_refreshing ? tr("Not sent: the sign-in server did not answer in time.")
                          : tr("Not sent: no sign-in within 5 minutes."));
    });
}

OAuthSignIn::~OAuthSignIn() = default;

// A new flow for every sign-in or refresh.
bool OAuthSignIn::start()
{
    stop();
    OAuthFlow::Handlers handlers;
    handlers.openBrowser = [this](const QUrl &url) {
        if (!m_openBrowser(url))
            fail(tr("Not sent: no web browser could be opened."));
    };
    handlers.granted = [this](const OAuthTokens &tokens) {
        stop();
        Q_EMIT granted(tokens);
    };
    handlers.refused = [this](const QString &error, const QString &description) {
        fail(refusal(error, description));
    };
    handlers.noToken = [this](const QString &error, const QString &description) {
        if (error.isEmpty())
            return fail(tr("Not sent: the sign-in failed: %1").arg(description));
        // RFC 6749 5.2: the refresh token was revoked or has expired.
        fail(refusal(error, description), m_refreshing && error == QStringLiteral("invalid_grant"));
    };
    QString error;
    m_flow = oauthflow::make(m_provider, std::move(handlers), error);
    if (!m_flow)
        Q_EMIT failed(tr("Not sent: Quillon's sign-in part cannot be loaded: %1").arg(error),
                      false);
    return m_flow != nullptr;
}

void OAuthSignIn::authorize(const QString &loginHint, std::chrono::milliseconds limit)
{
    if (!start())
        return;
    m_refreshing = false;
    QByteArray verifier = randomToken();
    if (!m_flow->authorize(QString::fromLatin1(randomToken()), verifier, loginHint))
        return fail(tr("Not sent: Quillon cannot wait for the web browser."));
    verifier.fill('\0');
    m_deadline.start(limit);
}

void OAuthSignIn::refresh(const QString &refreshToken, std::chrono::milliseconds limit)
{
    if (!start())
        return;
    m_refreshing = true;
    m_deadline.start(limit);
    m_flow->refresh(refreshToken);
}

void OAuthSignIn::cancel()
{
    if (m_flow)
        fail(tr("Not sent: no sign-in given."));
}

void OAuthSignIn::stop()
{
    m_deadline.stop();
    m_flow.reset();
}

void OAuthSignIn::fail(const QString &failure, bool signInAgain)
{
    if (!m_flow)
        return;
    stop();
    Q_EMIT failed(failure, signInAgain);
}
