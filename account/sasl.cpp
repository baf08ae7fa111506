#include "account/sasl.h"

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

// A bearer token sent once, on the AUTH line however long it is. When the
// server refuses it, it says why in a 334 challenge, answered as the
// mechanism says, and then its refusal follows.
class Bearer final : public SaslMechanism
{
public:
    Bearer(const char *name, const QByteArray &response, const QByteArray &afterRefusal)
        : m_command("AUTH " + QByteArray(name) + ' ' + response.toBase64()),
          m_afterRefusal(afterRefusal)
    {
    }
    ~Bearer() override { wipe(m_command); }
    QByteArray command() override { return line(m_command); }
    QByteArray answer(QByteArrayView) override
    {
        m_answered = true;
        return line(m_afterRefusal);
    }
    bool exhausted() const override { return m_answered; }

private:
    QByteArray m_command;
    QByteArray m_afterRefusal;
    bool m_answered = false;
};

// RFC 7628: the GS2 header names the user, then host, port and token.
std::unique_ptr<SaslMechanism> oauthBearer(const SignIn &signIn, const QString &host,
                                           quint16 port)
{
    QByteArray user = signIn.user.toUtf8();
    user.replace('=', "=3D").replace(',', "=2C");
    QByteArray response = "n,a=" + user + ",\x01host=" + host.toUtf8() +
                          "\x01port=" + QByteArray::number(port) + "\x01" "auth=Bearer " +
                          signIn.token.toUtf8() + "\x01\x01";
    auto mechanism = std::make_unique<Bearer>("OAUTHBEARER", response, "AQ=="); // %x01
    wipe(response);
    return mechanism;
}

// Google's and Microsoft's: the user and the token, answered with an empty
// line once refused.
std::unique_ptr<SaslMechanism> xoauth2(const SignIn &signIn)
{
    QByteArray response = "user=" + signIn.user.toUtf8() + "\x01" "auth=Bearer " +
                          signIn.token.toUtf8() + "\x01\x01";
    auto mechanism = std::make_unique<Bearer>("XOAUTH2", response, QByteArray());
    wipe(response);
    return mechanism;
}

} // namespace

namespace sasl {

std::unique_ptr<SaslMechanism> choose(const QStringList &offered, const SignIn &signIn,
                                      const QString &host, quint16 port)
{
    if (signIn.isToken()) {
        if (offered.contains(QStringLiteral("OAUTHBEARER")))
            return oauthBearer(signIn, host, port);
        if (offered.contains(QStringLiteral("XOAUTH2")))
            return xoauth2(signIn);
        return nullptr;
    }
    if (offered.contains(QStringLiteral("PLAIN")))
        return std::make_unique<Plain>(signIn);
    if (offered.contains(QStringLiteral("LOGIN")))
        return std::make_unique<Login>(signIn);
    return nullptr;
}

} // namespace sasl
