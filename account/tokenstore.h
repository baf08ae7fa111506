#pragma once

#include "account/credentials.h"
#include "account/keyring.h"
#include "account/oauthsignin.h"

#include <QHash>
#include <QObject>

class SignInPrompt;

// The OAuth 2.0 side of the sign-ins. An access token and its expiry live
// in memory only; the refresh token goes to the keyring when the user asks
// for it to be remembered, else it too lives in memory until Quillon ends.
// None of them ever reaches a file, a log or the screen. A refresh token is
// bound to the provider that issued it (its token endpoint and client id)
// and is never sent to another, whatever oauth.ini says of the host later.
// When the provider names the account signed in, it must be the sign-in's
// user: choosing another account in the browser ends the Send.
class TokenStore : public QObject
{
    Q_OBJECT
public:
    TokenStore(Keyring &keyring, SignInPrompt &prompt, std::chrono::milliseconds keyringWait,
               std::chrono::milliseconds tokenWait = std::chrono::minutes(2));

    // A token for `account`: the one in memory while it has more than 5
    // minutes to live, else a refreshed one, else one from a sign-in in the
    // browser.
    void request(const Account &account, const OAuthProvider &provider,
                 std::function<void(SignInResult)> done);
    // The server refused the access token: the next request refreshes it.
    void forgetAccess(const Account &account);

private:
    struct Known
    {
        QString user;
        QString access;
        QDateTime expires;
        QString refresh;
        bool remembered = false; // the refresh token is in the keyring
        QString issuer;          // the token endpoint and client id it came from
    };
    void refresh(const Account &account, const OAuthProvider &provider,
                 std::function<void(SignInResult)> done);
    void signIn(const Account &account, const OAuthProvider &provider, bool keyringAvailable,
                std::function<void(SignInResult)> done);
    // Keeps what a sign-in or refresh gave; the refresh token may be new.
    SignIn keep(const Account &account, const OAuthTokens &tokens);
    // Forgets the account's tokens here and in the keyring.
    void forget(const Account &account);

    Keyring &m_keyring;
    SignInPrompt &m_prompt;
    std::chrono::milliseconds m_keyringWait;
    std::chrono::milliseconds m_tokenWait;
    QHash<QString, Known> m_known; // by Account::tokenKey()
    bool m_keyringAvailable = true; // as the keyring last answered
};
