#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

class QObject;

// The desktop's secret store, where passwords outlive the program.
class Keyring
{
public:
    enum class Result
    {
        Found,
        NotFound,
        // There is no keyring to ask (none running, or it refused).
        Unavailable
    };

    virtual ~Keyring() = default;
    // Calls `done` later with the secret stored under `key`.
    virtual void read(const QString &key, std::function<void(Result, QByteArray)> done) = 0;
    // Calls `done` later with whether the secret was stored.
    virtual void write(const QString &key, const QByteArray &secret,
                       std::function<void(bool)> done) = 0;
    virtual void remove(const QString &key) = 0;
};

// Reads `key`, but takes a keyring that has not answered within `wait`
// (locked with its prompt out of sight, a stuck bus) for none: whichever
// comes first decides, and the other is ignored. `done` is not called once
// `context` is gone.
void readWithin(Keyring &keyring, const QString &key, std::chrono::milliseconds wait,
                QObject *context, std::function<void(Keyring::Result, QByteArray)> done);

// A user name and a secret (a password, a refresh token) as the keyring
// keeps them: the name, NUL, the secret, in UTF-8.
QByteArray joinedSecret(const QString &user, const QString &secret);
std::optional<std::pair<QString, QString>> splitSecret(const QByteArray &joined);

// The Secret Service keyring (GNOME Keyring, KWallet) through QtKeychain,
// entries under the service name "Quillon".
class DesktopKeyring final : public Keyring
{
public:
    void read(const QString &key, std::function<void(Result, QByteArray)> done) override;
    void write(const QString &key, const QByteArray &secret,
               std::function<void(bool)> done) override;
    void remove(const QString &key) override;
};
