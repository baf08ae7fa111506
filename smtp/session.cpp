#include "smtp/session.h"

#include "account/serveraddress.h"
#include "mail/text.h"
#include "mime/lines.h"
#include "smtp/clientname.h"
#include "smtp/socket.h"
#include "store/codec.h"

using mime::crlfText;

SmtpSession::SmtpSession(SmtpSocket &socket, SmtpTimeouts timeouts)
    : m_socket(socket), m_timeouts(timeouts), m_machineName(clientname::machineDomainName())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!m_busy)
            return;
        end(m_waiting == Waiting::QuitReply ? sentOk()
            : m_waiting == Waiting::Handshake
                ? tr("SMTP Error: cannot set up a secure connection: no answer")
                : tr("SMTP Error: no reply from server"));
    });
    m_signInDeadline.setSingleShot(true);
    connect(&m_signInDeadline, &QTimer::timeout, this, [this] {
        if (m_busy && m_waiting == Waiting::AuthReply)
            end(tr("SMTP Error: the server did not finish the sign-in in time"));
    });
    connect(&m_socket, &SmtpSocket::connected, this, &SmtpSession::onConnected);
    connect(&m_socket, &SmtpSocket::encrypted, this, &SmtpSession::onEncrypted);
    connect(&m_socket, &SmtpSocket::tlsError, this, &SmtpSession::onTlsError);
    connect(&m_socket, &SmtpSocket::dataArrival, this, &SmtpSession::onDataArrival);
    connect(&m_socket, &SmtpSocket::bytesWritten, this, [this] {
        if (m_busy && m_waiting == Waiting::Message)
            writeMessage();
    });
    connect(&m_socket, &SmtpSocket::closedByPeer, this, &SmtpSession::onClosedByPeer);
    connect(&m_socket, &SmtpSocket::error, this, &SmtpSession::onSocketError);
}

bool SmtpSession::start(SmtpRequest request)
{
    const std::optional<ServerAddress> server = ServerAddress::parse(text::trim(request.server));
    if (!server || m_busy)
        return false;
    m_request = std::move(request);
    m_server = *server;
    m_retried = false;
    const Waiting before = m_waiting;
    startExchange();
    if (signInFirst()) {
        requestSignIn();
        return true;
    }
    if (!connectToServer()) {
        m_busy = false;
        m_waiting = before;
        return false;
    }
    return true;
}

void SmtpSession::startExchange()
{
    m_replies.clear();
    m_capabilities = {};
    m_encrypted = false;
    m_busy = true;
    m_accepted = false;
    ++m_exchange;
}

bool SmtpSession::signInFirst() const
{
    return m_credentials && m_server.security != ServerAddress::Security::Plain &&
           m_credentials->signInBeforeConnecting(account());
}

bool SmtpSession::connectToServer()
{
    const quint64 exchange = m_exchange;
    m_waiting = Waiting::Greeting;
    const bool started = m_socket.connectToServer(m_server.host, m_server.port,
                                                  m_server.security == ServerAddress::Security::Tls);
    if (!running(exchange))
        return true; // the socket failed at once, and that outcome is reported
    if (started)
        m_timer.start(m_timeouts.connect);
    return started;
}

void SmtpSession::onConnected()
{
    if (!m_busy)
        return;
    // With TLS from the first byte the greeting follows the handshake.
    if (m_server.security == ServerAddress::Security::Tls) {
        m_waiting = Waiting::Handshake;
        m_timer.start(m_timeouts.handshake);
    } else {
        m_timer.start(m_timeouts.reply);
    }
}

void SmtpSession::onEncrypted()
{
    if (!m_busy || m_waiting != Waiting::Handshake)
        return;
    m_encrypted = true;
    if (m_server.security == ServerAddress::Security::Tls) {
        m_waiting = Waiting::Greeting;
        m_timer.start(m_timeouts.reply);
        return;
    }
    // What the server said before encryption may have been forged on the
    // way: ask again.
    m_capabilities = {};
    m_timer.start(m_timeouts.reply);
    sendHello(true);
}

void SmtpSession::onTlsError(const QString &reason)
{
    if (m_busy)
        end(tr("SMTP Error: cannot set up a secure connection: %1").arg(reason));
}

void SmtpSession::onDataArrival()
{
    const QString data = m_socket.getData();
    if (!m_busy)
        return;
    const quint64 exchange = m_exchange;
    const bool encryptionDue = m_server.security == ServerAddress::Security::Tls && !m_encrypted;
    if ((encryptionDue || m_waiting == Waiting::Handshake) && !data.isEmpty())
        return injected();
    m_replies.add(data);
    while (const std::optional<SmtpReply> reply = m_replies.next()) {
        handleReply(*reply);
        if (!running(exchange))
            return;
    }
    if (m_replies.overlong())
        end(tr("SMTP Error: the server's reply is too long"));
}

void SmtpSession::handleReply(const SmtpReply &reply)
{
    const quint64 exchange = m_exchange;
    const int code = reply.code();
    switch (m_waiting) {
    case Waiting::Greeting:
        if (code != 220)
            return fail(reply);
        sendHello(true);
        break;
    case Waiting::HelloReply:
        if (code == 250) {
            m_capabilities =
                m_extendedHello ? SmtpCapabilities::fromEhloReply(reply) : SmtpCapabilities();
            afterHello();
        } else if (m_extendedHello && (code == 500 || code == 502 || code == 504)) {
            sendHello(false); // a server from before ESMTP
        } else {
            fail(reply);
        }
        break;
    case Waiting::StartTlsReply:
        if (code != 220)
            return end(noEncryption());
        // Anything after the go-ahead was not encrypted, yet would be read
        // as if it had been.
        if (m_replies.held() > 0)
            return injected();
        m_waiting = Waiting::Handshake;
        m_timer.start(m_timeouts.handshake);
        m_socket.startEncryption();
        return;
    case Waiting::AuthReply:
        handleAuthReply(reply);
        break;
    case Waiting::MailReply:
        if (code != 250)
            return fail(reply);
        if (m_pipelined)
            m_waiting = Waiting::RcptReply;
        else if (!send(QStringLiteral("RCPT TO:<") + text::trim(m_request.message.recipient) + u'>' + crlfText,
                       Waiting::RcptReply))
            return;
        break;
    case Waiting::RcptReply:
        if (code != 250 && code != 251)
            return fail(reply);
        if (m_pipelined)
            m_waiting = Waiting::DataReply;
        else if (!send(QStringLiteral("DATA") + crlfText, Waiting::DataReply))
            return;
        break;
    case Waiting::DataReply:
        if (code != 354)
            return fail(reply);
        m_stream = std::make_unique<MessageStream>(m_message);
        m_atLineStart = true;
        m_waiting = Waiting::Message;
        if (m_tap) {
            m_tap->begin();
            m_tapping = true;
        }
        writeMessage();
        break;
    case Waiting::Message:
        // A server that gives up on the message answers before its end.
        return fail(reply);
    case Waiting::MessageReply:
        if (code != 250)
            return fail(reply);
        if (std::exchange(m_tapping, false))
            m_notKept = m_tap->taken(reply.text, m_server.hostAndPort(), m_socket.protection());
        if (m_pipelined)
            m_waiting = Waiting::QuitReply;
        else if (!send(QStringLiteral("QUIT") + crlfText, Waiting::QuitReply))
            return;
        break;
    case Waiting::QuitReply:
        // Once QUIT is out the message has been accepted, whatever the
        // server answers to QUIT.
        return end(sentOk());
    case Waiting::SignIn:
        // The server gave up while the user was asked, as a 421 does.
        return fail(reply);
    case Waiting::Handshake:
        return; // no reply can come now
    }
    if (running(exchange) && m_waiting != Waiting::SignIn) {
        m_timer.start(m_waiting == Waiting::MessageReply ? m_timeouts.dataReply : m_timeouts.reply);
        Q_EMIT progressed();
    }
}

void SmtpSession::sendHello(bool extended)
{
    m_extendedHello = extended;
    send((extended ? QStringLiteral("EHLO ") : QStringLiteral("HELO ")) + clientName() + crlfText,
               Waiting::HelloReply);
}

void SmtpSession::afterHello()
{
    if (m_server.security == ServerAddress::Security::StartTls && !m_encrypted) {
        if (!m_capabilities.has(u"STARTTLS"))
            return end(noEncryption());
        send(QStringLiteral("STARTTLS") + crlfText, Waiting::StartTlsReply);
        return;
    }
    // Only an encrypted server that asks for a sign-in gets one: a relay
    // that takes mail without needs no password. An OAuth token was had
    // before connecting.
    if (m_encrypted && m_credentials && m_capabilities.has(u"AUTH"))
        return m_signIn ? signIn() : requestSignIn();
    sendEnvelope();
}

bool SmtpSession::send(const QString &commands, Waiting next)
{
    return send(cp1252::encode(commands), next);
}

bool SmtpSession::send(const QByteArray &bytes, Waiting next)
{
    const quint64 exchange = m_exchange;
    m_waiting = next;
    m_socket.sendData(bytes);
    return running(exchange);
}

Account SmtpSession::account() const
{
    return {m_server.host, m_server.port, text::trim(m_request.message.sender)};
}

QString SmtpSession::noEncryption()
{
    return tr("SMTP Error: the server does not offer encryption; nothing was sent");
}

void SmtpSession::injected()
{
    end(tr("SMTP Error: the server sent data before encryption started"));
}

QString SmtpSession::clientName() const
{
    return m_machineName.isEmpty() ? clientname::addressLiteral(m_socket.localAddress())
                                   : m_machineName;
}

void SmtpSession::end(const QString &outcome, const QString &alert)
{
    // Closed before any box opens, so that no late event of this exchange is
    // handled while the box waits for the user.
    m_timer.stop();
    m_signInDeadline.stop();
    m_busy = false;
    m_replies.clear();
    m_signIn.reset();
    m_sasl.reset();
    m_stream.reset();
    if (std::exchange(m_tapping, false))
        m_tap->abandon();
    m_notKept.clear();
    m_socket.close();
    if (!alert.isEmpty())
        Q_EMIT this->alert(alert, tr("Winsock Error"));
    Q_EMIT finished(outcome);
}

void SmtpSession::onClosedByPeer()
{
    if (!m_busy)
        return;
    end(m_waiting == Waiting::QuitReply ? sentOk() : tr("SMTP Error: connection closed by server"));
}

void SmtpSession::onSocketError(int number, const QString &description)
{
    if (!m_busy)
        return;
    if (m_waiting == Waiting::QuitReply) { // the message was accepted before QUIT went out
        end(sentOk());
        return;
    }
    end(replyError(description),
        tr("Winsock Error number %1").arg(number) + crlfText + description);
}
