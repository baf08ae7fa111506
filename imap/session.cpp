#include "imap/session.h"

#include "smtp/socket.h"
#include "store/codec.h"

namespace imap {

Session::Session(SmtpSocket &socket, Timeouts timeouts) : m_socket(socket), m_timeouts(timeouts)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        switch (m_waiting) {
        case Waiting::Idle:
            m_socket.sendData("DONE\r\n");
            wait(Waiting::Command, m_timeouts.reply);
            return;
        case Waiting::Pause:
            search();
            return;
        default:
            end(tr("the IMAP server did not answer in time"), true);
        }
    });
    connect(&m_socket, &SmtpSocket::connected, this, &Session::onConnected);
    connect(&m_socket, &SmtpSocket::encrypted, this, &Session::onEncrypted);
    connect(&m_socket, &SmtpSocket::dataArrival, this, &Session::onData);
    connect(&m_socket, &SmtpSocket::closedByPeer, this, [this] {
        if (m_open)
            end(tr("the IMAP server closed the connection"), true);
    });
    connect(&m_socket, &SmtpSocket::error, this, [this](int, const QString &description) {
        if (m_open)
            end(tr("cannot reach the IMAP server: %1").arg(description), true);
    });
    connect(&m_socket, &SmtpSocket::tlsError, this, [this](const QString &reason) {
        if (m_open)
            end(tr("cannot set up a secure connection to the IMAP server: %1").arg(reason), false);
    });
}

Session::~Session()
{
    close();
}

bool Session::open(const ServerAddress &server, const Account &account, Query query, Mark mark)
{
    close();
    m_server = server;
    m_account = account;
    m_query = std::move(query);
    m_mark = mark;
    m_readUpTo = mark.lastUid;
    if (!m_socket.connectToServer(server.host, server.port,
                                  server.security == ServerAddress::Security::Tls))
        return false;
    m_open = true;
    wait(Waiting::Greeting, m_timeouts.connect);
    return true;
}

void Session::setQuery(Query query)
{
    m_query = std::move(query);
    if (m_waiting == Waiting::Idle) {
        m_socket.sendData("DONE\r\n");
        wait(Waiting::Command, m_timeouts.reply);
    } else if (m_waiting == Waiting::Pause) {
        search();
    } else {
        m_searchAgain = true;
    }
}

void Session::hold(quint32 uid)
{
    if (!m_held.contains(uid))
        m_held.append(uid);
}

void Session::close()
{
    ++m_run;
    m_timer.stop();
    m_mechanism.reset();
    m_initialResponse.fill('\0');
    m_initialResponse.clear();
    // Nothing of this connection outlives it.
    const bool wasEncrypted = std::exchange(m_encrypted, false);
    m_signedIn = false;
    m_capabilities.clear();
    m_reader.clear();
    m_pendingTags.clear();
    m_refusal.reset();
    m_done = nullptr;
    m_uidNext = 0;
    m_searchAgain = false;
    m_held.clear();
    m_found.clear();
    m_batch.clear();
    m_messages.clear();
    if (!m_open)
        return;
    m_open = false;
    m_waiting = Waiting::Nothing;
    if (wasEncrypted)
        m_socket.sendData("q0 LOGOUT\r\n");
    m_socket.close();
}

void Session::end(const QString &reason, bool retry)
{
    close();
    Q_EMIT ended(reason, retry);
}

void Session::wait(Waiting what, std::chrono::milliseconds limit)
{
    m_waiting = what;
    m_timer.start(limit);
}

void Session::onConnected()
{
    if (!m_open)
        return;
    if (m_server.security == ServerAddress::Security::Tls)
        wait(Waiting::Handshake, m_timeouts.handshake);
}

void Session::onEncrypted()
{
    if (!m_open || m_waiting != Waiting::Handshake)
        return;
    const bool afterStartTls = m_server.security != ServerAddress::Security::Tls;
    m_encrypted = true;
    if (!afterStartTls)
        return wait(Waiting::Greeting, m_timeouts.reply);
    // Nothing learned before the handshake is trusted after it.
    m_capabilities.clear();
    command("CAPABILITY", &Session::afterCapability);
}

void Session::onData()
{
    const QByteArray bytes = cp1252::encode(m_socket.getData());
    if (!m_open)
        return;
    if (m_waiting == Waiting::Handshake && !bytes.isEmpty())
        return end(tr("the IMAP server sent data before the connection was secure"), false);
    m_reader.add(bytes);
    const quint64 run = m_run;
    while (const std::optional<QByteArray> bytes = m_reader.next()) {
        const std::optional<Response> response = parse(*bytes);
        if (!response)
            return end(tr("the IMAP server sent a response Quillon cannot read"), true);
        handle(*response);
        if (run != m_run)
            return;
    }
    if (m_reader.overflowed())
        end(tr("the IMAP server sent a response too long to read"), true);
}

void Session::handle(const Response &response)
{
    if (response.code == "CAPABILITY") {
        m_capabilities.clear();
        for (const Value &v : response.codeData)
            m_capabilities.append(QString::fromLatin1(v.text.toUpper()));
    }
    // Before the greeting a server has nothing to say but it.
    if (m_waiting == Waiting::Greeting && response.kind != Response::Kind::Status)
        return end(tr("the IMAP server answered before it greeted"), true);
    switch (response.kind) {
    case Response::Kind::Continuation:
        if (m_done == &Session::afterSignIn)
            return continueSignIn(response);
        if (m_done == &Session::afterIdle && m_waiting == Waiting::Command) {
            wait(Waiting::Idle, m_timeouts.idleRenewal);
            if (m_searchAgain) // news came while IDLE was being set up
                setQuery(m_query);
            return;
        }
        return end(tr("the IMAP server asked for more than Quillon sent"), true);
    case Response::Kind::Tagged: {
        if (!m_done || !m_pendingTags.removeOne(response.tag))
            return end(tr("the IMAP server answered a command Quillon did not send"), true);
        if (response.name != "OK" && !m_refusal)
            m_refusal = response;
        if (!m_pendingTags.isEmpty())
            return;
        m_timer.stop();
        // Of commands sent together, the first refusal is the answer.
        const Response answer = m_refusal.value_or(response);
        m_refusal.reset();
        return (this->*std::exchange(m_done, nullptr))(answer);
    }
    case Response::Kind::Status:
        if (response.name == "BYE")
            return end(
                tr("the IMAP server ended the session: %1").arg(QString::fromUtf8(response.text)),
                true);
        if (m_waiting == Waiting::Greeting)
            return afterGreeting(response);
        if (!m_encrypted)
            return;
        if (response.code == "UIDVALIDITY" && !response.codeData.isEmpty()) {
            // Another UIDVALIDITY: the UIDs read before name other messages now.
            const quint32 validity = response.codeData[0].number().value_or(0);
            if (validity != m_mark.uidValidity) {
                m_mark = Mark{validity, 0};
                m_readUpTo = 0;
                m_held.clear();
            }
        }
        else if (response.code == "UIDNEXT" && !response.codeData.isEmpty())
            m_uidNext = response.codeData[0].number().value_or(0);
        return;
    case Response::Kind::Data:
        return untagged(response);
    }
}

void Session::untagged(const Response &response)
{
    // Before TLS only what the server offers is heard: anything else could
    // be anyone's.
    if (!m_encrypted && response.name != "CAPABILITY")
        return;
    if (response.name == "CAPABILITY") {
        m_capabilities.clear();
        for (const Value &v : response.data)
            m_capabilities.append(QString::fromLatin1(v.text.toUpper()));
    } else if (response.name == "SEARCH" && m_done == &Session::afterSearch) {
        for (const Value &v : response.data)
            if (const std::optional<quint32> uid = v.number())
                m_found.append(*uid);
    } else if (response.name == "FETCH") {
        onFetch(response);
    } else if (response.name == "EXISTS") {
        if (m_waiting == Waiting::Idle) {
            m_socket.sendData("DONE\r\n");
            wait(Waiting::Command, m_timeouts.reply);
        } else {
            m_searchAgain = true;
        }
    }
}

void Session::command(const QByteArray &text, Handler done)
{
    commands({text}, done);
}

void Session::commands(const QList<QByteArray> &texts, Handler done)
{
    QByteArray lines;
    for (const QByteArray &text : texts) {
        const QByteArray tag = 'q' + QByteArray::number(++m_tag);
        m_pendingTags.append(tag);
        lines += tag + ' ' + text + "\r\n";
    }
    m_done = done;
    m_socket.sendData(lines);
    lines.fill('\0'); // a LOGIN's password
    wait(Waiting::Command, m_timeouts.reply);
}

} // namespace imap
