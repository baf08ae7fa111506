#include "sasl.h"

namespace {

QByteArray line(const QByteArray &text)
{
    return text + "\r\n";
}

const QByteArray cancel = line("*");

// Overwritten before the memory goes back, so that no copy of a password
// outlives the sign-in.
void wipe(QByteArray &secret)
{
    secret.fill('\0');
    secret.clear();
}

// RFC 4616, with the initial response on the AUTH line.
class Plain final : public SaslMechanism
{
public:
    explicit Plain(const SignIn &signIn)
        : m_response(('\0' + signIn.user.toUtf8() + '\0' + signIn.password.toUtf8()).toBase64())
    {
    }
    ~Plain() override { wipe(m_response); }
    QByteArray command() override { return line("AUTH PLAIN " + m_response); }
    // A server that wants the response after an empty challenge gets it once.
    QByteArray answer(QByteArrayView) override
    {
        return m_answered++ == 0 ? line(m_response) : cancel;
    }
    bool exhausted() const override { return m_answered > 1; }

private:
    QByteArray m_response;
    int m_answered = 0;
};

// The user name, then the password, each at the server's prompt.
class Login final : public SaslMechanism
{
public:
    explicit Login(const SignIn &signIn)
        : m_answers{signIn.user.toUtf8().toBase64(), signIn.password.toUtf8().toBase64()}
    {
    }
    ~Login() override
    {
        for (QByteArray &a : m_answers)
            wipe(a);
    }
    QByteArray command() override { return line("AUTH LOGIN"); }
    QByteArray answer(QByteArrayView) override
    {
        if (m_next < 2)
            return line(m_answers[m_next++]);
        m_cancelled = true;
        return cancel;
    }
    bool exhausted() const override { return m_cancelled; }

private:
    QByteArray m_answers[2];
    int m_next = 0;
    bool m_cancelled = false;
};

} // namespace

namespace sasl {

std::unique_ptr<SaslMechanism> choose(const QStringList &offered, const SignIn &signIn)
{
    if (offered.contains(QStringLiteral("PLAIN")))
        return std::make_unique<Plain>(signIn);
    if (offered.contains(QStringLiteral("LOGIN")))
        return std::make_unique<Login>(signIn);
    return nullptr;
}

} // namespace sasl
