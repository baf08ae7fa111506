#pragma once

#include "oauthproviders.h"
#include "oauthredirect.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

class QOAuth2AuthorizationCodeFlow;

// What a sign-in gives: the access token and when it expires (kept in
// memory only), and the refresh token that gets the next one.
struct OAuthTokens
{
    QString access;
    QString refresh;
    QDateTime expires; // null when the provider did not say
};

// One OAuth 2.0 sign-in with a provider, by Qt's authorization code flow
// (RFC 6749) with PKCE (RFC 7636, S256), for a native app (RFC 8252): the
// system's browser shows the provider's page and comes back to a listener
// on 127.0.0.1. Or the refresh of an access token.
class OAuthSignIn : public QObject
{
    Q_OBJECT
public:
    // `openBrowser` shows an address in the system's web browser.
    using Browser = std::function<bool(const QUrl &)>;
    OAuthSignIn(const OAuthProvider &provider, Browser openBrowser, QObject *parent = nullptr);
    ~OAuthSignIn() override;

    // Opens the browser on the provider's page, `loginHint` the user
    // offered there, and waits up to `limit` for it to come back.
    void authorize(const QString &loginHint,
                   std::chrono::milliseconds limit = std::chrono::minutes(5));
    // A new access token for `refreshToken`.
    void refresh(const QString &refreshToken);
    // Gives up on the sign-in under way: failed("Not sent: no sign-in
    // given.").
    void cancel();

Q_SIGNALS:
    void granted(const OAuthTokens &tokens);
    // No tokens: `failure` is what the status line says. `signInAgain`
    // when a refresh token is no good any more and the browser is needed.
    void failed(const QString &failure, bool signInAgain);

private:
    void start();
    void stop();
    void fail(const QString &failure, bool signInAgain = false);

    OAuthProvider m_provider;
    Browser m_openBrowser;
    std::unique_ptr<QOAuth2AuthorizationCodeFlow> m_flow;
    OAuthRedirectHandler m_redirect;
    QTimer m_deadline;
    QByteArray m_verifier;
    QString m_loginHint;
    bool m_refreshing = false;
};
