#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

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
