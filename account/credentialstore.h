#pragma once

#include "credentials.h"
#include "keyring.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <chrono>

// Asks the user for a sign-in, in a window of the program's.
class SignInPrompt
{
public:
    struct Answer
    {
        SignIn signIn;
        bool remember = false;
    };

    virtual ~SignInPrompt() = default;
    // Asks and waits for the answer; nothing when the user cancelled. With
    // no keyring the password cannot be remembered beyond this run.
    virtual std::optional<Answer> ask(const Account &account, bool keyringAvailable) = 0;
    // A password the user asked to remember could not be stored.
    virtual void notRemembered(const Account &account) = 0;
};

// The sign-ins of this run in memory, those the user asked to remember in
// the keyring, and the user asked for the rest. A sign-in the server
// refused is forgotten in both.
class CredentialStore final : public QObject, public CredentialSource
{
public:
    // A keyring that has not answered within `keyringWait` (locked with its
    // prompt out of sight, a stuck bus) is taken for none.
    CredentialStore(Keyring &keyring, SignInPrompt &prompt,
                    std::chrono::milliseconds keyringWait = std::chrono::seconds(20));

    void request(const Account &account, std::function<void(std::optional<SignIn>)> done) override;
    void refused(const Account &account) override;

    // How a sign-in lies in the keyring: the user name, NUL, the password,
    // in UTF-8; nothing for anything else.
    static QByteArray toSecret(const SignIn &signIn);
    static std::optional<SignIn> fromSecret(const QByteArray &secret);

private:
    void ask(const Account &account, bool keyringAvailable,
             const std::function<void(std::optional<SignIn>)> &done);

    Keyring &m_keyring;
    SignInPrompt &m_prompt;
    std::chrono::milliseconds m_keyringWait;
    QHash<QString, SignIn> m_known;
};
