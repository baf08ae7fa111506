#include "smtp/session.h"

#include "smtp/socket.h"
#include "store/codec.h"

// Signing in, once the server asked for it on an encrypted connection:
// the sign-in from the credential source, a SASL mechanism to present it,
// and what follows the server's answer.

// Servers wait minutes for the next command, long enough for the user to
// type a password: the connection stays open meanwhile. An OAuth sign-in,
// which may take longer in a browser, comes before connecting.
void SmtpSession::requestSignIn()
{
    const quint64 exchange = m_exchange;
    const bool connected = m_encrypted;
    m_waiting = Waiting::SignIn;
    m_timer.stop();
    m_credentials->request(account(), [this, exchange, connected](SignInResult given) {
        if (!running(exchange) || m_waiting != Waiting::SignIn)
            return;
        if (!given.signIn) {
            if (connected) {
                // The user has decided: what the server does with the QUIT
                // changes nothing.
                m_busy = false;
                m_socket.sendData(QByteArrayLiteral("QUIT\r\n"));
            }
            return end(given.failure);
        }
        m_signIn = std::move(given.signIn);
        if (!connected) {
            if (!connectToServer())
                end(tr("Cannot connect to SMTP server"));
            return;
        }
        m_timer.start(m_timeouts.reply);
        signIn();
    });
}

void SmtpSession::signIn()
{
    const QStringList offered = m_capabilities.authMechanisms();
    m_sasl = sasl::choose(offered, *m_signIn, m_server.host, m_server.port);
    if (!m_sasl)
        return end(tr("SMTP Error: the server offers no sign-in method Quillon supports (%1)")
                       .arg(offered.join(u' ')));
    m_signInDeadline.start(m_timeouts.signIn);
    send(m_sasl->command(), Waiting::AuthReply);
}

void SmtpSession::handleAuthReply(const SmtpReply &reply)
{
    const int code = reply.code();
    if (code == 235) {
        m_signInDeadline.stop();
        return sendEnvelope();
    }
    // A server that challenges again once the mechanism has had its last
    // word would keep the sign-in going for ever.
    if (code == 334 && !m_sasl->exhausted()) {
        const QStringView challenge = QStringView(reply.text).mid(4).trimmed();
        send(m_sasl->answer(cp1252::encode(challenge)), Waiting::AuthReply);
        return;
    }
    // A refusal of the sign-in (not a fault of the command, not a passing
    // one): the password must be asked for again, the token renewed.
    const bool refused = code >= 510 && code < 600;
    if (refused && m_credentials)
        m_credentials->refused(account());
    if (refused && m_signIn->isToken() && !m_signIn->fresh && !m_retried)
        return retryWithNewToken();
    fail(reply);
}

void SmtpSession::retryWithNewToken()
{
    m_retried = true;
    m_signInDeadline.stop();
    m_timer.stop();
    m_signIn.reset();
    m_sasl.reset();
    // This connection ends politely, and nothing it still does counts.
    m_busy = false;
    m_socket.sendData(QByteArrayLiteral("QUIT\r\n"));
    m_socket.close();
    startExchange();
    requestSignIn();
}
