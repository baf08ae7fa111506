#include "account/oauthflow.h"
#include "account/oauthflow/oauthredirect.h"
#include "account/oauthflow/oauthwire.h"

#include <QCryptographicHash>
#include <QNetworkAccessManager>
#include <QOAuth2AuthorizationCodeFlow>

namespace {

// Qt's authorization code flow (RFC 6749) with PKCE (RFC 7636, S256) for a
// native app (RFC 8252): the system's browser shows the provider's page and
// comes back to a listener on 127.0.0.1. One per sign-in or refresh: Qt's
// flow keeps its status from the last one.
class AuthorizationFlow final : public OAuthFlow
{
public:
    AuthorizationFlow(const OAuthProvider &provider, Handlers handlers);
    ~AuthorizationFlow() override;

    bool authorize(const QString &state, const QByteArray &verifier,
                   const QString &loginHint) override;
    void refresh(const QString &refreshToken) override;

private:
    void addParameters(QAbstractOAuth::Stage stage, QMultiMap<QString, QVariant> *parameters) const;

    const OAuthProvider m_provider;
    const Handlers m_handlers;
    // Not members: a handler may destroy this flow inside one of their
    // signals, so they go with deleteLater.
    QOAuth2AuthorizationCodeFlow *m_flow;
    OAuthRedirectHandler *m_redirect;
    QByteArray m_verifier;
    QString m_loginHint;
};

// Each handler is called through a copy: it may destroy this flow, and
// with it the one in m_handlers.
template<typename Handler, typename... Args>
void call(const Handler &handler, const Args &...args)
{
    const Handler copy = handler;
    copy(args...);
}

AuthorizationFlow::AuthorizationFlow(const OAuthProvider &provider, Handlers handlers)
    : m_provider(provider), m_handlers(std::move(handlers)),
      m_flow(new QOAuth2AuthorizationCodeFlow(provider.clientId, provider.authorization,
                                              provider.token, nullptr)),
      m_redirect(new OAuthRedirectHandler)
{
    m_flow->setScope(provider.scope);
    // A token endpoint that takes the connection and never answers would
    // hold the Send for ever.
    auto *network = new QNetworkAccessManager(m_flow);
    network->setTransferTimeout(oauthwire::TransferTimeoutMs);
    m_flow->setNetworkAccessManager(network);
    if (!provider.clientSecret.isEmpty())
        m_flow->setClientIdentifierSharedKey(provider.clientSecret);
    m_flow->setReplyHandler(m_redirect);
    m_flow->setModifyParametersFunction(
        [this](QAbstractOAuth::Stage stage, QMultiMap<QString, QVariant> *parameters) {
            addParameters(stage, parameters);
        });
    // Queued: the browser is opened from the event loop, not inside grant().
    QObject::connect(
        m_flow, &QAbstractOAuth::authorizeWithBrowser, m_flow,
        [this](const QUrl &url) { call(m_handlers.openBrowser, url); }, Qt::QueuedConnection);
    QObject::connect(m_flow, &QAbstractOAuth::granted, m_flow, [this] {
        const OAuthTokens tokens{
            m_flow->token(), m_flow->refreshToken(), m_flow->expirationAt(),
            m_flow->extraTokens().value(QLatin1StringView(OAuthRedirectHandler::SignedInAs)).toString()};
        call(m_handlers.granted, tokens);
    });
    QObject::connect(m_redirect, &OAuthRedirectHandler::refused, m_flow,
                     [this](const QString &error, const QString &description) {
                         call(m_handlers.refused, error, description);
                     });
    QObject::connect(m_redirect, &OAuthRedirectHandler::tokenRequestFailed, m_flow,
                     [this](const QString &error, const QString &description) {
                         call(m_handlers.noToken, error, description);
                     });
}

// Nothing of a sign-in outlives it: no listener, no token in the flow.
AuthorizationFlow::~AuthorizationFlow()
{
    m_verifier.fill('\0');
    m_flow->disconnect();
    m_redirect->disconnect(m_flow);
    m_redirect->close();
    m_flow->setToken(QString());
    m_flow->setRefreshToken(QString());
    m_flow->deleteLater();
    m_redirect->deleteLater();
}

bool AuthorizationFlow::authorize(const QString &state, const QByteArray &verifier,
                                  const QString &loginHint)
{
    if (!m_redirect->listen())
        return false;
    m_verifier = verifier;
    m_loginHint = loginHint;
    m_flow->setState(state);
    m_redirect->expectState(state);
    m_flow->grant();
    return true;
}

void AuthorizationFlow::refresh(const QString &refreshToken)
{
    m_flow->setRefreshToken(refreshToken);
    m_flow->refreshAccessToken();
}

// Qt 6.4 has no PKCE of its own: the challenge goes with the authorization,
// the verifier with the code.
void AuthorizationFlow::addParameters(QAbstractOAuth::Stage stage,
                                      QMultiMap<QString, QVariant> *parameters) const
{
    switch (stage) {
    case QAbstractOAuth::Stage::RequestingAuthorization:
        parameters->replace(QStringLiteral("code_challenge"),
                            QCryptographicHash::hash(m_verifier, QCryptographicHash::Sha256)
                                .toBase64(QByteArray::Base64UrlEncoding |
                                          QByteArray::OmitTrailingEquals));
        parameters->replace(QStringLiteral("code_challenge_method"), QStringLiteral("S256"));
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
}

} // namespace

extern "C" Q_DECL_EXPORT OAuthFlow *quillon_make_oauth_flow(const OAuthProvider &provider,
                                                            OAuthFlow::Handlers handlers)
{
    return new AuthorizationFlow(provider, std::move(handlers));
}
