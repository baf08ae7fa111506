#include "account/credentialstore.h"

#include "account/tokenstore.h"

#include <QCoreApplication>

CredentialStore::CredentialStore(Keyring &keyring, SignInPrompt &prompt,
                                 QList<OAuthProvider> providers,
                                 std::chrono::milliseconds keyringWait,
                                 std::chrono::milliseconds tokenWait)
    : m_keyring(keyring), m_prompt(prompt), m_providers(std::move(providers)),
      m_keyringWait(keyringWait),
      m_tokens(std::make_unique<TokenStore>(keyring, prompt, keyringWait, tokenWait))
{
}

CredentialStore::~CredentialStore() = default;

bool CredentialStore::signInBeforeConnecting(const Account &account) const
{
    return oauthproviders::forHost(m_providers, account.host).has_value();
}

void CredentialStore::request(const Account &account, std::function<void(SignInResult)> done)
{
    if (const auto provider = oauthproviders::forHost(m_providers, account.host))
        return m_tokens->request(account, *provider, std::move(done));
    const QString key = account.key();
    if (const auto known = m_known.constFind(key); known != m_known.cend())
        return done({*known, {}});
    readWithin(m_keyring, key, m_keyringWait, this,
               [this, account, done](Keyring::Result result, const QByteArray &secret) {
                   if (result == Keyring::Result::Found) {
                       if (const auto kept = splitSecret(secret)) {
                           const SignIn signIn{kept->first, kept->second, {}, false};
                           m_known.insert(account.key(), signIn);
                           return done({signIn, {}});
                       }
                   }
                   ask(account, result != Keyring::Result::Unavailable, done);
               });
}

void CredentialStore::ask(const Account &account, bool keyringAvailable,
                          const std::function<void(SignInResult)> &done)
{
    const std::optional<SignInPrompt::Answer> answer = m_prompt.ask(account, keyringAvailable);
    if (!answer)
        return done({std::nullopt, QCoreApplication::translate("CredentialStore",
                                                               "Not sent: no password given.")});
    m_known.insert(account.key(), answer->signIn);
    if (answer->remember && keyringAvailable) {
        QPointer<CredentialStore> self(this);
        m_keyring.write(account.key(),
                        joinedSecret(answer->signIn.user, answer->signIn.password),
                        [self, account](bool stored) {
                            if (self && !stored)
                                self->m_prompt.notRemembered(account);
                        });
    }
    done({answer->signIn, {}});
}

void CredentialStore::refused(const Account &account)
{
    if (oauthproviders::forHost(m_providers, account.host))
        return m_tokens->forgetAccess(account);
    m_known.remove(account.key());
    m_keyring.remove(account.key());
}
