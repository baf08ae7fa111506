#pragma once

#include "account/credentialstore.h"

#include <QHash>
#include <QStringList>
#include <QTimer>

// A keyring in memory that answers on the next pass of the event loop, as
// the desktop's does.
class MemoryKeyring : public Keyring
{
public:
    void read(const QString &key, std::function<void(Result, QByteArray)> done) override
    {
        if (silent)
            return;
        const Result result = !available              ? Result::Unavailable
                              : entries.contains(key) ? Result::Found
                                                      : Result::NotFound;
        QTimer::singleShot(0,
                           [done, result, secret = entries.value(key)] { done(result, secret); });
    }
    void write(const QString &key, const QByteArray &secret,
               std::function<void(bool)> done) override
    {
        if (available)
            entries.insert(key, secret);
        QTimer::singleShot(0, [done, ok = available] { done(ok); });
    }
    void remove(const QString &key) override { entries.remove(key); }

    bool available = true;
    bool silent = false; // never answers a read, as a stuck keyring
    QHash<QString, QByteArray> entries;
};

// The user at the sign-in window: gives the next of `passwords`, or
// cancels when there is none left.
class ScriptedPrompt : public SignInPrompt
{
public:
    std::optional<Answer> ask(const Account &account, bool keyringAvailable) override
    {
        asked.append(account.key());
        lastKeyringAvailable = keyringAvailable;
        if (passwords.isEmpty())
            return std::nullopt;
        return Answer{
            {user.isEmpty() ? account.defaultUser : user, passwords.takeFirst(), {}, false},
            remember};
    }
    // The browser's sign-in, as `browser` plays it; none without one.
    std::optional<TokenAnswer> askBrowser(const Account &account, const OAuthProvider &provider,
                                          bool keyringAvailable, QString &failure) override
    {
        asked.append(account.tokenKey());
        lastKeyringAvailable = keyringAvailable;
        if (browser)
            return browser(account, provider, failure);
        failure = QStringLiteral("Not sent: no sign-in given.");
        return std::nullopt;
    }
    void notRemembered(const Account &account) override { failedToRemember.append(account.key()); }

    std::function<std::optional<TokenAnswer>(const Account &, const OAuthProvider &, QString &)>
        browser;
    QStringList passwords;
    QString user;
    bool remember = true;
    QStringList asked;
    bool lastKeyringAvailable = false;
    QStringList failedToRemember;
};
