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

    // What names the account's password in the keyring and in memory.
    QString key() const;
    // What names its OAuth 2.0 refresh token there.
    QString tokenKey() const;
};

// Who signs in, and with what: a password, or an OAuth 2.0 access token.
struct SignIn
{
    QString user;
    QString password;
    QString token;
    // The token was just given or refreshed: a refusal of it is final.
    bool fresh = false;

    bool isToken() const { return !token.isEmpty(); }
};

// A sign-in, or none and what the status line says instead ("Not sent: no
// password given.").
struct SignInResult
{
    std::optional<SignIn> signIn;
    QString failure;
};

// Where the SMTP session gets a sign-in from, and what it tells when the
// server refuses one.
class CredentialSource
{
public:
    virtual ~CredentialSource() = default;
    // A server that always wants a sign-in, as one that signs in with OAuth
    // does, gets it before the connection: the user may take minutes in a
    // browser. Others are asked only once the encrypted server offers AUTH.
    virtual bool signInBeforeConnecting(const Account &) const { return false; }
    // Calls `done` with the sign-in, or with none; maybe before it returns,
    // maybe later.
    virtual void request(const Account &account, std::function<void(SignInResult)> done) = 0;
    // The server refused the sign-in: a password is forgotten, so that the
    // next Send asks again; an access token is forgotten, so that the next
    // sign-in gets a new one.
    virtual void refused(const Account &account) = 0;
};
