#pragma once

#include "account/credentials.h"
#include "account/keyring.h"
#include "account/oauthproviders.h"
#include "account/oauthsignin.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <memory>

class TokenStore;

// Asks the user for a sign-in, in a window of the program's.
class SignInPrompt
{
public:
    struct Answer
    {
        SignIn signIn;
        bool remember = false;
    };
    struct TokenAnswer
    {
        QString user;
        OAuthTokens tokens;
        bool remember = false;
    };

    virtual ~SignInPrompt() = default;
    // Asks for a password and waits for the answer; nothing when the user
    // cancelled. With no keyring the password cannot be remembered beyond
    // this run.
    virtual std::optional<Answer> ask(const Account &account, bool keyringAvailable) = 0;
    // Signs in with `provider` in the system's web browser and waits for
    // it; nothing, and the status line's text in `failure`, when no sign-in
    // came.
    virtual std::optional<TokenAnswer> askBrowser(const Account &account,
                                                  const OAuthProvider &provider,
                                                  bool keyringAvailable, QString &failure) = 0;
    // A password or token the user asked to remember could not be stored.
    virtual void notRemembered(const Account &account) = 0;
};

// The sign-ins of this run in memory, those the user asked to remember in
// the keyring, and the user asked for the rest. A server in the OAuth
// table gets a token (TokenStore), any other a password. A password the
// server refused is forgotten in both places.
class CredentialStore final : public QObject, public CredentialSource
{
public:
    // A keyring that does not answer within `keyringWait` is passed over; a
    // token endpoint that does not answer a refresh within `tokenWait` ends
    // the Send.
    CredentialStore(Keyring &keyring, SignInPrompt &prompt, QList<OAuthProvider> providers = {},
                    std::chrono::milliseconds keyringWait = std::chrono::seconds(20),
                    std::chrono::milliseconds tokenWait = std::chrono::minutes(2));
    ~CredentialStore() override;

    bool signInBeforeConnecting(const Account &account) const override;
    void request(const Account &account, std::function<void(SignInResult)> done) override;
    void refused(const Account &account) override;

private:
    void ask(const Account &account, bool keyringAvailable,
             const std::function<void(SignInResult)> &done);

    Keyring &m_keyring;
    SignInPrompt &m_prompt;
    QList<OAuthProvider> m_providers;
    std::chrono::milliseconds m_keyringWait;
    QHash<QString, SignIn> m_known;
    std::unique_ptr<TokenStore> m_tokens;
};
