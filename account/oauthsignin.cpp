#include "oauthsignin.h"

#include <QCryptographicHash>
#include <QOAuth2AuthorizationCodeFlow>
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
    return QStringLiteral("Not sent: the sign-in was refused: ") + error +
           (description.isEmpty() ? QString() : QStringLiteral(": ") + description);
}

} // namespace

OAuthSignIn::OAuthSignIn(const OAuthProvider &provider, Browser openBrowser, QObject *parent)
    : QObject(parent), m_provider(provider), m_openBrowser(std::move(openBrowser))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("Not sent: no sign-in within 5 minutes.")); });
    connect(&m_redirect, &OAuthRedirectHandler::refused, this,
            [this](const QString &error, const QString &description) {
                fail(refusal(error, description));
            });
    connect(&m_redirect, &OAuthRedirectHandler::tokenRequestFailed, this,
            [this](const QString &error, const QString &description) {
                if (error.isEmpty())
                    return fail(QStringLiteral("Not sent: the sign-in failed: ") + description);
                // RFC 6749 5.2: the refresh token was revoked or has expired.
                fail(refusal(error, description), m_refreshing && error == QStringLiteral("invalid_grant"));
            });
}

OAuthSignIn::~OAuthSignIn() = default;

// A new flow for every sign-in: Qt's keeps its status from the last one.
void OAuthSignIn::start()
{
    stop();
    m_flow = std::make_unique<QOAuth2AuthorizationCodeFlow>(
        m_provider.clientId, m_provider.authorization, m_provider.token, nullptr);
    m_flow->setScope(m_provider.scope);
    if (!m_provider.clientSecret.isEmpty())
        m_flow->setClientIdentifierSharedKey(m_provider.clientSecret);
    m_flow->setReplyHandler(&m_redirect);
    // Qt 6.4 has no PKCE of its own: the challenge goes with the
    // authorization, the verifier with the code.
    m_flow->setModifyParametersFunction(
        [this](QAbstractOAuth::Stage stage, QMultiMap<QString, QVariant> *parameters) {
            switch (stage) {
            case QAbstractOAuth::Stage::RequestingAuthorization:
                parameters->replace(QStringLiteral("code_challenge"),
                                    QCryptographicHash::hash(m_verifier, QCryptographicHash::Sha256)
                                        .toBase64(QByteArray::Base64UrlEncoding |
                                                  QByteArray::OmitTrailingEquals));
                parameters->replace(QStringLiteral("code_challenge_method"),
                                    QStringLiteral("S256"));
                if (!m_loginHint.isEmpty())
                    parameters->replace(QStringLiteral("login_hint"), m_loginHint);
                break;
            case QAbstractOAuth::Stage::RequestingAccessToken:
                parameters->replace(QStringLiteral("code_verifier"), m_verifier);
                [[fallthrough]];
            case QAbstractOAuth::Stage::RefreshingAccessToken:
                // A public client names itself in every token request.
                parameters->replace(QStringLiteral("client_id"), m_provider.clientId);
                break;
            default:
                break;
            }
        });
    connect(m_flow.get(), &QAbstractOAuth::authorizeWithBrowser, this, [this](const QUrl &url) {
        if (!m_openBrowser(url))
            fail(QStringLiteral("Not sent: no web browser could be opened."));
    });
    connect(m_flow.get(), &QAbstractOAuth::granted, this, [this] {
        const OAuthTokens tokens{m_flow->token(), m_flow->refreshToken(), m_flow->expirationAt()};
        stop();
        Q_EMIT granted(tokens);
    });
}

void OAuthSignIn::authorize(const QString &loginHint, std::chrono::milliseconds limit)
{
    start();
    m_refreshing = false;
    if (!m_redirect.listen())
        return fail(QStringLiteral("Not sent: Quillon cannot wait for the web browser."));
    m_loginHint = loginHint;
    m_verifier = randomToken();
    const QString state = QString::fromLatin1(randomToken());
    m_flow->setState(state);
    m_redirect.expectState(state);
    m_deadline.start(limit);
    m_flow->grant();
}

void OAuthSignIn::refresh(const QString &refreshToken)
{
    start();
    m_refreshing = true;
    m_flow->setRefreshToken(refreshToken);
    m_flow->refreshAccessToken();
}

void OAuthSignIn::cancel()
{
    if (m_flow)
        fail(QStringLiteral("Not sent: no sign-in given."));
}

// Nothing of a sign-in outlives it: no listener, no token in the flow.
void OAuthSignIn::stop()
{
    m_deadline.stop();
    m_redirect.close();
    m_redirect.expectState(QString());
    m_verifier.fill('\0');
    m_verifier.clear();
    if (m_flow) {
        m_flow->disconnect(this);
        m_redirect.disconnect(m_flow.get());
        m_flow->setToken(QString());
        m_flow->setRefreshToken(QString());
        // Not at once: this may be inside one of its signals.
        m_flow.release()->deleteLater();
    }
}

void OAuthSignIn::fail(const QString &failure, bool signInAgain)
{
    if (!m_flow)
        return;
    stop();
    Q_EMIT failed(failure, signInAgain);
}
