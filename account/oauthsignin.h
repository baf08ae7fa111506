#pragma once

#include "account/oauthflow.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

// One OAuth 2.0 sign-in with a provider in the system's web browser, or the
// refresh of an access token: the flow from the module, the time limit and
// what the status line says when no token comes.
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
    // A new access token for `refreshToken`, within `limit`.
    void refresh(const QString &refreshToken,
                 std::chrono::milliseconds limit = std::chrono::minutes(2));
    // Gives up on the sign-in under way: failed("Not sent: no sign-in
    // given.").
    void cancel();

Q_SIGNALS:
    void granted(const OAuthTokens &tokens);
    // No tokens: `failure` is what the status line says. `signInAgain`
    // when a refresh token is no good any more and the browser is needed.
    void failed(const QString &failure, bool signInAgain);

private:
    bool start();
    void stop();
    void fail(const QString &failure, bool signInAgain = false);

    OAuthProvider m_provider;
    Browser m_openBrowser;
    std::unique_ptr<OAuthFlow> m_flow;
    QTimer m_deadline;
    bool m_refreshing = false;
};
