#pragma once

#include "account/oauthproviders.h"

#include <QDateTime>

#include <functional>
#include <memory>

// What a sign-in gives: the access token and when it expires (kept in
// memory only), and the refresh token that gets the next one.
struct OAuthTokens
{
    QString access;
    QString refresh;
    QDateTime expires; // null when the provider did not say
    QString account;   // who signed in, when the provider said (an id_token)
};

// The part of a sign-in that speaks HTTP with the browser and the
// provider, through QtNetworkAuth. It lives in a module loaded on the first
// sign-in, so that Quillon starts without QtNetworkAuth in memory.
class OAuthFlow
{
public:
    // Called from the event loop. A handler may destroy the flow.
    struct Handlers
    {
        std::function<void(const QUrl &)> openBrowser;
        std::function<void(const OAuthTokens &)> granted;
        // The redirect said the user or the provider refused (error=).
        std::function<void(const QString &error, const QString &description)> refused;
        // The token endpoint gave no token; `error` is empty when it gave
        // no answer at all, and `description` says why.
        std::function<void(const QString &error, const QString &description)> noToken;
    };

    // Closes the listener and forgets the tokens.
    virtual ~OAuthFlow() = default;
    // Listens on 127.0.0.1 for the browser and has it opened on the
    // provider's page, with `state`, the PKCE challenge of `verifier` and
    // `loginHint`; false when no listener could be opened.
    virtual bool authorize(const QString &state, const QByteArray &verifier,
                           const QString &loginHint) = 0;
    // Asks the token endpoint for a new access token.
    virtual void refresh(const QString &refreshToken) = 0;
};

namespace oauthflow {

// A flow with `provider` from the module, or nothing when the module cannot
// be loaded, and then why in `error`.
std::unique_ptr<OAuthFlow> make(const OAuthProvider &provider, OAuthFlow::Handlers handlers,
                                QString &error);

} // namespace oauthflow

// The module's one entry point, and the name it is found by.
using MakeOAuthFlow = OAuthFlow *(const OAuthProvider &provider, OAuthFlow::Handlers handlers);
inline constexpr char MakeOAuthFlowSymbol[] = "quillon_make_oauth_flow";
