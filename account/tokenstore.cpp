#include "account/tokenstore.h"

#include "account/credentialstore.h"

TokenStore::TokenStore(Keyring &keyring, SignInPrompt &prompt,
                       std::chrono::milliseconds keyringWait)
    : m_keyring(keyring), m_prompt(prompt), m_keyringWait(keyringWait)
{
}

void TokenStore::request(const Account &account, const OAuthProvider &provider,
                         std::function<void(SignInResult)> done)
{
    const auto known = m_known.constFind(account.tokenKey());
    if (known != m_known.cend()) {
        const bool lasts = known->expires.isNull() ||
                           known->expires > QDateTime::currentDateTimeUtc().addSecs(5 * 60);
        if (!known->access.isEmpty() && lasts)
            return done({SignIn{known->user, {}, known->access, false}, {}});
        if (!known->refresh.isEmpty())
            return refresh(account, provider, std::move(done));
    }
    readWithin(m_keyring, account.tokenKey(), m_keyringWait, this,
               [this, account, provider, done](Keyring::Result result, const QByteArray &secret) {
                   m_keyringAvailable = result != Keyring::Result::Unavailable;
                   const auto kept = splitSecret(secret);
                   if (result == Keyring::Result::Found && kept) {
                       m_known.insert(account.tokenKey(), {kept->first, {}, {}, kept->second, true});
                       return refresh(account, provider, done);
                   }
                   signIn(account, provider, m_keyringAvailable, done);
               });
}

void TokenStore::refresh(const Account &account, const OAuthProvider &provider,
                         std::function<void(SignInResult)> done)
{
    auto *refreshing = new OAuthSignIn(provider, [](const QUrl &) { return false; }, this);
    connect(refreshing, &OAuthSignIn::granted, this,
            [this, account, done, refreshing](const OAuthTokens &tokens) {
                refreshing->deleteLater();
                done({keep(account, tokens), {}});
            });
    connect(refreshing, &OAuthSignIn::failed, this,
            [this, account, provider, done, refreshing](const QString &failure, bool again) {
                refreshing->deleteLater();
                if (!again)
                    return done({std::nullopt, failure});
                // Revoked or expired: forgotten everywhere, signed in anew.
                m_known.remove(account.tokenKey());
                m_keyring.remove(account.tokenKey());
                signIn(account, provider, m_keyringAvailable, done);
            });
    refreshing->refresh(m_known.value(account.tokenKey()).refresh);
}

void TokenStore::signIn(const Account &account, const OAuthProvider &provider,
                        bool keyringAvailable, std::function<void(SignInResult)> done)
{
    QString failure;
    const std::optional<SignInPrompt::TokenAnswer> answer =
        m_prompt.askBrowser(account, provider, keyringAvailable, failure);
    if (!answer)
        return done({std::nullopt, failure});
    m_known.insert(account.tokenKey(),
                   {answer->user, {}, {}, {}, answer->remember && keyringAvailable});
    done({keep(account, answer->tokens), {}});
}

SignIn TokenStore::keep(const Account &account, const OAuthTokens &tokens)
{
    Known &k = m_known[account.tokenKey()];
    k.access = tokens.access;
    k.expires = tokens.expires;
    // A provider that rotates refresh tokens sends a new one each time.
    if (!tokens.refresh.isEmpty() && tokens.refresh != k.refresh) {
        k.refresh = tokens.refresh;
        if (k.remembered) {
            QPointer<TokenStore> self(this);
            m_keyring.write(account.tokenKey(), joinedSecret(k.user, k.refresh),
                            [self, account](bool stored) {
                                if (self && !stored)
                                    self->m_prompt.notRemembered(account);
                            });
        }
    }
    return SignIn{k.user, {}, k.access, true};
}

void TokenStore::forgetAccess(const Account &account)
{
    const auto known = m_known.find(account.tokenKey());
    if (known != m_known.end()) {
        known->access.clear();
        known->expires = {};
    }
}
