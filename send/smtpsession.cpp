#include "smtpsession.h"

#include "serveraddress.h"
#include "smtpsocket.h"
#include "text.h"
#include "userinterface.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

// A "NNN-" line: the reply goes on after it.
bool isContinuation(QStringView line)
{
    return line.size() >= 4 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit() &&
           line[3] == u'-';
}

bool accepted(QStringView code)
{
    return code == u"220" || code == u"250" || code == u"354";
}

// Servers refuse lines over 1,000 bytes with the line break, and a long
// paragraph typed without breaks is common. Such a line is broken after its
// last space that fits, or at the limit when there is none; one byte is
// kept free for a leading dot.
QList<QStringView> foldLine(QStringView line)
{
    constexpr qsizetype limit = 997;
    QList<QStringView> pieces;
    while (line.size() > limit) {
        const qsizetype space = line.left(limit).lastIndexOf(u' ');
        const qsizetype cut = space > 0 ? space + 1 : limit;
        pieces.append(line.left(cut));
        line = line.mid(cut);
    }
    pieces.append(line);
    return pieces;
}

QString greetingName(const QString &sender)
{
    const QString address = text::trim(sender);
    const qsizetype at = address.indexOf(u'@');
    const QString name = at >= 0 ? address.left(at) : address;
    return name.isEmpty() ? QStringLiteral("localhost") : name;
}

} // namespace

SmtpSession::SmtpSession(SmtpSocket &Winsock1, const SendParams &params, QString &statusText,
                         StatusLine &lblStatus, MessageBox &messageBox, SmtpTimeouts timeouts)
    : m_socket(Winsock1), m_params(params), m_statusText(statusText), m_status(lblStatus),
      m_messageBox(messageBox), m_timeouts(timeouts)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        end(m_strState == 6 ? QStringLiteral("Sent OK.")
                            : QStringLiteral("SMTP Error: no reply from server"));
    });
    connect(&m_socket, &SmtpSocket::connected, this, &SmtpSession::onConnected);
    connect(&m_socket, &SmtpSocket::dataArrival, this, &SmtpSession::Winsock1_DataArrival);
    connect(&m_socket, &SmtpSocket::closedByPeer, this, &SmtpSession::onClosedByPeer);
    connect(&m_socket, &SmtpSocket::error, this, &SmtpSession::Winsock1_Error);
}

void SmtpSession::send_mail(const QString &, const QString &, const QString &SMTPServer,
                            const QString &, const QString &, QString &strError)
{
    const ServerAddress server = ServerAddress::parse(text::trim(SMTPServer));
    if (!server.valid || !m_socket.connectToServer(server.host, server.port)) {
        strError = QStringLiteral("Cannot connect to SMTP server");
        return;
    }
    m_strState = 0;
    m_received.clear();
    m_lineStart = m_scanFrom = 0;
    m_busy = true;
    m_timer.start(m_timeouts.connect);
}

void SmtpSession::onConnected()
{
    if (m_busy)
        m_timer.start(m_timeouts.reply);
}

// A reply is its continuation lines and the line that ends it. Any line not
// shaped as a continuation ends the reply, so that garbage is reported, not
// waited on. Replies may come in pieces or several at once.
void SmtpSession::Winsock1_DataArrival(qint64)
{
    const QString data = m_socket.getData();
    if (!m_busy)
        return;
    m_received += data;
    for (;;) {
        const qsizetype lf = m_received.indexOf(u'\n', m_scanFrom);
        if (lf < 0)
            break;
        if (isContinuation(QStringView(m_received).mid(m_lineStart, lf - m_lineStart))) {
            m_lineStart = m_scanFrom = lf + 1;
            continue;
        }
        const QString reply = m_received.left(lf + 1);
        m_received.remove(0, lf + 1);
        m_lineStart = m_scanFrom = 0;
        handleReply(reply);
        if (!m_busy)
            return;
    }
    m_scanFrom = m_received.size();
    if (m_received.size() > MaxReply)
        end(QStringLiteral("SMTP Error: the server's reply is too long"));
}

void SmtpSession::handleReply(const QString &reply)
{
    // Once QUIT is out the message has been accepted, whatever the server
    // answers to QUIT.
    if (m_strState == 6) {
        end(QStringLiteral("Sent OK."));
        return;
    }
    if (!accepted(QStringView(reply).left(3))) {
        end(QStringLiteral("SMTP Error: ") + reply);
        return;
    }
    sendStep();
    m_status.setStatus(m_statusText);
}

void SmtpSession::sendStep()
{
    switch (m_strState) {
    case 0:
        send(QStringLiteral("HELO ") + greetingName(m_params.sender) + crlf);
        break;
    case 1:
        send(QStringLiteral("MAIL FROM:<") + text::trim(m_params.sender) + QStringLiteral(">") +
             crlf);
        break;
    case 2:
        send(QStringLiteral("RCPT TO:<") + text::trim(m_params.recipient) + QStringLiteral(">") +
             crlf);
        break;
    case 3:
        send(QStringLiteral("DATA") + crlf);
        break;
    case 4: {
        QString subject = m_params.subject;
        subject.replace(u'\r', u' ').replace(u'\n', u' ');
        send(QStringLiteral("Subject:") + subject + crlf);
        send(QStringLiteral("To:") + m_params.recipient + crlf);
        send(crlf); // a header-shaped first line stays part of the message
        for (QStringView line : text::splitLines(m_params.message)) {
            for (QStringView piece : foldLine(line)) {
                QString out;
                out.reserve(piece.size() + 3);
                if (piece.startsWith(u'.'))
                    out += u'.';
                out += piece;
                out += crlf;
                send(out);
            }
        }
        send(QStringLiteral(".") + crlf);
        break;
    }
    case 5:
        send(QStringLiteral("QUIT") + crlf);
        break;
    }
    ++m_strState;
    waitForReply();
}

void SmtpSession::send(const QString &line)
{
    m_socket.sendData(line);
}

void SmtpSession::waitForReply()
{
    m_timer.start(m_strState == 5 ? m_timeouts.dataReply : m_timeouts.reply);
}

void SmtpSession::end(const QString &outcome, const QString &alert)
{
    // Closed before any box opens, so that no late event of this exchange is
    // handled while the box waits for the user.
    m_timer.stop();
    m_busy = false;
    m_received.clear();
    m_lineStart = m_scanFrom = 0;
    m_socket.close();
    if (!alert.isEmpty())
        m_messageBox.exclamation(alert, QStringLiteral("Winsock Error"));
    m_statusText = outcome;
    m_status.setStatus(m_statusText);
    Q_EMIT finished();
}

void SmtpSession::onClosedByPeer()
{
    if (!m_busy)
        return;
    end(m_strState == 6 ? QStringLiteral("Sent OK.")
                        : QStringLiteral("SMTP Error: connection closed by server"));
}

void SmtpSession::Winsock1_Error(int number, const QString &description)
{
    if (!m_busy)
        return;
    if (m_strState == 6) { // the message was accepted before QUIT went out
        end(QStringLiteral("Sent OK."));
        return;
    }
    end(QStringLiteral("SMTP Error: ") + description,
        QStringLiteral("Winsock Error number %1").arg(number) + crlf + description);
}
