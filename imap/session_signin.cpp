#include "imap/session.h"

#include "imap/command.h"
#include "smtp/socket.h"

// Greeting, STARTTLS and the sign-in. A password or token goes only over
// an encrypted connection, and only what the server offers is used.
namespace imap {

namespace {

void wipe(QByteArray &secret)
{
    secret.fill('\0');
    secret.clear();
}

} // namespace

void Session::afterGreeting(const Response &response)
{
    if (response.name != "OK")
        // PREAUTH over a connection not yet secure could be anyone's.
        return end(tr("the IMAP server did not greet as expected: %1")
                       .arg(QString::fromUtf8(response.name + ' ' + response.text)),
                   true);
    if (response.code == "CAPABILITY")
        return afterCapability(response); // named at once: no need to ask
    command("CAPABILITY", &Session::afterCapability);
}

void Session::afterCapability(const Response &response)
{
    if (response.kind == Response::Kind::Tagged && response.name != "OK")
        return end(tr("the IMAP server did not say what it offers"), true);
    if (m_signedIn)
        return examine();
    if (m_encrypted)
        return signIn();
    if (!m_capabilities.contains(QStringLiteral("STARTTLS")))
        return end(tr("the IMAP server does not offer encryption (STARTTLS), so "
                      "Quillon will not sign in to it"),
                   false);
    command("STARTTLS", &Session::afterStartTls);
}

void Session::afterStartTls(const Response &response)
{
    if (response.name != "OK")
        return end(tr("the IMAP server refused to encrypt the connection"), false);
    if (m_reader.held() > 0)
        return end(tr("the IMAP server sent data before the connection was secure"), false);
    m_socket.startEncryption();
    wait(Waiting::Handshake, m_timeouts.handshake);
}

void Session::signIn()
{
    if (!m_credentials)
        return end(tr("no sign-in for the IMAP server"), false);
    wait(Waiting::SignIn, m_timeouts.signIn);
    const quint64 run = m_run;
    m_credentials->request(m_account, [this, run](SignInResult result) {
        if (run != m_run || m_waiting != Waiting::SignIn)
            return;
        if (!result.signIn)
            return end(result.failure, false);
        authenticate(*result.signIn);
    });
}

void Session::authenticate(const SignIn &signIn)
{
    QStringList offered;
    for (const QString &capability : std::as_const(m_capabilities))
        if (capability.startsWith(QStringLiteral("AUTH=")))
            offered.append(capability.mid(5));
    m_mechanism = sasl::choose(offered, signIn, m_server.host, m_server.port);
    if (!m_mechanism) {
        const std::optional<QByteArray> user = quoted(signIn.user);
        std::optional<QByteArray> password = quoted(signIn.password);
        if (signIn.isToken() || m_capabilities.contains(QStringLiteral("LOGINDISABLED")) || !user ||
            !password)
            return end(tr("the IMAP server offers no sign-in Quillon can use"), false);
        QByteArray login = "LOGIN " + *user + ' ' + *password;
        command(login, &Session::afterSignIn);
        wipe(*password);
        wipe(login);
        return;
    }
    // The mechanism words its first line for SMTP: "AUTH NAME [response]".
    QByteArray first = m_mechanism->command();
    const QList<QByteArray> words = first.trimmed().split(' ');
    QByteArray line = "AUTHENTICATE " + words.value(1);
    if (words.size() > 2) {
        if (m_capabilities.contains(QStringLiteral("SASL-IR")))
            line += ' ' + words[2];
        else
            m_initialResponse = words[2];
    }
    command(line, &Session::afterSignIn);
    wipe(line);
    wipe(first);
}

void Session::continueSignIn(const Response &response)
{
    QByteArray answer;
    if (!m_initialResponse.isEmpty()) {
        answer = m_initialResponse + "\r\n";
        wipe(m_initialResponse);
    } else if (m_mechanism && !m_mechanism->exhausted()) {
        answer = m_mechanism->answer(QByteArray::fromBase64(response.text));
    } else {
        answer = "*\r\n";
    }
    m_socket.sendData(answer);
    wipe(answer);
}

void Session::afterSignIn(const Response &response)
{
    m_mechanism.reset();
    wipe(m_initialResponse);
    if (response.name != "OK") {
        m_credentials->refused(m_account);
        return end(
            tr("the IMAP server refused the sign-in: %1").arg(QString::fromUtf8(response.text)),
            false);
    }
    m_signedIn = true;
    if (response.code == "CAPABILITY")
        return examine();
    m_capabilities.clear();
    command("CAPABILITY", &Session::afterCapability);
}

} // namespace imap
