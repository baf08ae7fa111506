#include "credentialstore.h"

#include <QTimer>

#include <memory>

CredentialStore::CredentialStore(Keyring &keyring, SignInPrompt &prompt,
                                 std::chrono::milliseconds keyringWait)
    : m_keyring(keyring), m_prompt(prompt), m_keyringWait(keyringWait)
{
}

void CredentialStore::request(const Account &account,
                              std::function<void(std::optional<SignIn>)> done)
{
    const QString key = account.key();
    if (const auto known = m_known.constFind(key); known != m_known.cend())
        return done(*known);
    // Whichever comes first, the keyring's answer or the end of the wait,
    // decides; the other is ignored.
    auto decided = std::make_shared<bool>(false);
    QTimer::singleShot(m_keyringWait, this, [this, decided, account, done] {
        if (!std::exchange(*decided, true))
            ask(account, false, done);
    });
    QPointer<CredentialStore> self(this);
    m_keyring.read(key, [self, decided, account, done](Keyring::Result result,
                                                       const QByteArray &secret) {
        if (!self || std::exchange(*decided, true))
            return;
        if (result == Keyring::Result::Found) {
            if (const std::optional<SignIn> signIn = fromSecret(secret)) {
                self->m_known.insert(account.key(), *signIn);
                return done(signIn);
            }
        }
        self->ask(account, result != Keyring::Result::Unavailable, done);
    });
}

void CredentialStore::ask(const Account &account, bool keyringAvailable,
                          const std::function<void(std::optional<SignIn>)> &done)
{
    const std::optional<SignInPrompt::Answer> answer = m_prompt.ask(account, keyringAvailable);
    if (!answer)
        return done(std::nullopt);
    m_known.insert(account.key(), answer->signIn);
    if (answer->remember && keyringAvailable) {
        QPointer<CredentialStore> self(this);
        m_keyring.write(account.key(), toSecret(answer->signIn), [self, account](bool stored) {
            if (self && !stored)
                self->m_prompt.notRemembered(account);
        });
    }
    done(answer->signIn);
}

void CredentialStore::refused(const Account &account)
{
    m_known.remove(account.key());
    m_keyring.remove(account.key());
}

QByteArray CredentialStore::toSecret(const SignIn &signIn)
{
    return signIn.user.toUtf8() + '\0' + signIn.password.toUtf8();
}

std::optional<SignIn> CredentialStore::fromSecret(const QByteArray &secret)
{
    const qsizetype nul = secret.indexOf('\0');
    if (nul < 0)
        return std::nullopt;
    return SignIn{QString::fromUtf8(secret.left(nul)), QString::fromUtf8(secret.mid(nul + 1))};
}
