#include "account/tokenstore.h"

#include "account/credentialstore.h"
#include "account/oauthproviders.h"

namespace {

// Which provider issued a token: its token endpoint and client id, and
// whether it reaches the mailbox too: a refresh token cannot be widened to
// a scope it was not granted, so a wider one needs a sign-in of its own.
QString issuerOf(const OAuthProvider &provider)
{
    QString issuer = provider.token.toString(QUrl::FullyEncoded) + u' ' + provider.clientId;
    if (provider.scope.contains(oauthproviders::MicrosoftImapScope))
        issuer += QStringLiteral(" +imap");
    return issuer;
}

// The keyring's entry: the user, the refresh token and its issuer.
QByteArray entry(const QString &user, const QString &refresh, const QString &issuer)
{
    return joinedSecret(user, refresh) + '\0' + issuer.toUtf8();
}

QString notThatAccount(const QString &signedInAs, const QString &user)
{
    return TokenStore::tr("Not sent: signed in as %1, not %2").arg(signedInAs, user);
}

} // namespace

TokenStore::TokenStore(Keyring &keyring, SignInPrompt &prompt,
                       std::chrono::milliseconds keyringWait, std::chrono::milliseconds tokenWait)
    : m_keyring(keyring), m_prompt(prompt), m_keyringWait(keyringWait), m_tokenWait(tokenWait)
{
}

void TokenStore::request(const Account &account, const OAuthProvider &provider,
                         std::function<void(SignInResult)> done)
{
    const QString issuer = issuerOf(provider);
    const auto known = m_known.constFind(account.tokenKey());
    if (known != m_known.cend() && known->issuer == issuer) {
        const bool lasts = known->expires.isNull() ||
                           known->expires > QDateTime::currentDateTimeUtc().addSecs(5 * 60);
        if (!known->access.isEmpty() && lasts)
            return done({SignIn{known->user, {}, known->access, false}, {}});
        if (!known->refresh.isEmpty())
            return refresh(account, provider, std::move(done));
    }
    readWithin(m_keyring, account.tokenKey(), m_keyringWait, this,
               [this, account, provider, issuer, done](Keyring::Result result,
                                                       const QByteArray &secret) {
                   m_keyringAvailable = result != Keyring::Result::Unavailable;
                   const auto kept = splitSecret(secret);
                   if (result == Keyring::Result::Found && kept) {
                       const qsizetype nul = kept->second.indexOf(QChar(0));
                       const QString refresh = kept->second.left(nul);
                       // An entry from before tokens were bound came from a
                       // built-in provider's endpoint, or from none we trust.
                       const bool bound =
                           nul >= 0 ? kept->second.mid(nul + 1) == issuer
                                    : oauthproviders::isBuiltInTokenEndpoint(provider.token);
                       if (bound && !refresh.isEmpty()) {
                           m_known.insert(account.tokenKey(),
                                          {kept->first, {}, {}, refresh, true, issuer});
                           return this->refresh(account, provider, done);
                       }
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
                const QString user = m_known.value(account.tokenKey()).user;
                if (!tokens.account.isEmpty() &&
                    tokens.account.compare(user, Qt::CaseInsensitive) != 0) {
                    forget(account);
                    return done({std::nullopt, notThatAccount(tokens.account, user)});
                }
                done({keep(account, tokens), {}});
            });
    connect(refreshing, &OAuthSignIn::failed, this,
            [this, account, provider, done, refreshing](const QString &failure, bool again) {
                refreshing->deleteLater();
                if (!again)
                    return done({std::nullopt, failure});
                // Revoked or expired: forgotten everywhere, signed in anew.
                forget(account);
                signIn(account, provider, m_keyringAvailable, done);
            });
    refreshing->refresh(m_known.value(account.tokenKey()).refresh, m_tokenWait);
}

void TokenStore::signIn(const Account &account, const OAuthProvider &provider,
                        bool keyringAvailable, std::function<void(SignInResult)> done)
{
    QString failure;
    const std::optional<SignInPrompt::TokenAnswer> answer =
        m_prompt.askBrowser(account, provider, keyringAvailable, failure);
    if (!answer)
        return done({std::nullopt, failure});
    // The wrong account chosen in the browser: nothing of it is kept.
    const QString &signedInAs = answer->tokens.account;
    if (!signedInAs.isEmpty() && signedInAs.compare(answer->user, Qt::CaseInsensitive) != 0)
        return done({std::nullopt, notThatAccount(signedInAs, answer->user)});
    m_known.insert(account.tokenKey(), {answer->user, {}, {}, {},
                                        answer->remember && keyringAvailable, issuerOf(provider)});
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
            m_keyring.write(account.tokenKey(), entry(k.user, k.refresh, k.issuer),
                            [self, account](bool stored) {
                                if (self && !stored)
                                    self->m_prompt.notRemembered(account);
                            });
        }
    }
    return SignIn{k.user, {}, k.access, true};
}

void TokenStore::forget(const Account &account)
{
    m_known.remove(account.tokenKey());
    m_keyring.remove(account.tokenKey());
}

void TokenStore::forgetAccess(const Account &account)
{
    const auto known = m_known.find(account.tokenKey());
    if (known != m_known.end()) {
        known->access.clear();
        known->expires = {};
    }
}
