#pragma once

#include <QString>

#include <functional>
#include <optional>

// A mail account to sign in to: the server and the name Quillon offers by
// default, the sender's e-mail.
struct Account
{
    QString host;
    quint16 port = 0;
    QString defaultUser;

    // What names the account in the keyring and in memory.
    QString key() const;
};

struct SignIn
{
    QString user;
    QString password;
};

// Where the SMTP session gets a user name and password from before it
// connects, and what it tells when the server refuses them.
class CredentialSource
{
public:
    virtual ~CredentialSource() = default;
    // Calls `done` with the sign-in, or with nothing when the user gave
    // none; maybe before it returns, maybe later.
    virtual void request(const Account &account,
                         std::function<void(std::optional<SignIn>)> done) = 0;
    // The server refused the sign-in: it is forgotten, so that the next
    // Send asks again.
    virtual void refused(const Account &account) = 0;
};
