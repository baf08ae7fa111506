#include "smtp/session.h"

#include "mail/text.h"
#include "mime/lines.h"
#include "smtp/clientname.h"
#include "smtp/socket.h"
#include "smtp/transparency.h"

// The envelope and the message: MAIL, RCPT and DATA, then the message
// streamed from its documents.

namespace {

using mime::crlfText;

// A file is read and encoded a piece at a time, and written while the
// network holds less than a few pieces: memory stays flat, however large
// the document.
constexpr qint64 PieceSize = 256 * 1024;
constexpr qint64 MaxQueued = 4 * PieceSize;

} // namespace

// The message is made now, when it is known whether the server takes 8-bit
// text and how large a message it takes.
void SmtpSession::sendEnvelope()
{
    m_message =
        mail::build(m_request.message, clientName(), m_capabilities.has(u"8BITMIME"), mail::Stamp::now());
    const qint64 limit = m_capabilities.sizeLimit();
    if (limit > 0 && m_message.size() > limit) {
        end(tr("SMTP Error: the message is larger than the server accepts (%1 bytes)").arg(limit));
        return;
    }
    QString commands = QStringLiteral("MAIL FROM:<") + text::trim(m_request.message.sender) + u'>' +
                       (m_message.eightBit ? QStringLiteral(" BODY=8BITMIME") : QString()) + crlfText;
    // With pipelining the three commands leave together and their replies
    // are read in order: one wait for the server instead of three. The
    // message and QUIT later go together too.
    m_pipelined = m_capabilities.has(u"PIPELINING");
    if (m_pipelined)
        commands += QStringLiteral("RCPT TO:<") + text::trim(m_request.message.recipient) + u'>' + crlfText +
                    QStringLiteral("DATA") + crlfText;
    send(commands, Waiting::MailReply);
}

void SmtpSession::writeMessage()
{
    while (m_waiting == Waiting::Message && m_socket.bytesToWrite() < MaxQueued) {
        const QByteArray piece = m_stream->read(PieceSize);
        // Without the final "." the server drops what it has.
        if (!m_stream->error().isEmpty())
            return end(tr("Not sent: %1").arg(m_stream->error()));
        if (m_tapping)
            m_tap->write(piece);
        QByteArray wire = dotStuffed(piece, m_atLineStart);
        if (!m_stream->atEnd()) {
            if (!send(wire, Waiting::Message))
                return;
            continue;
        }
        // The message may be followed by QUIT in the same write: QUIT closes
        // a pipelined group, and the message counts as sent only once its
        // own reply has come.
        wire += QByteArrayLiteral(".\r\n");
        if (m_pipelined)
            wire += QByteArrayLiteral("QUIT\r\n");
        if (send(wire, Waiting::MessageReply))
            m_timer.start(m_timeouts.dataReply);
        return;
    }
    // Waiting for the network: it has a reply's time to take more.
    if (m_busy && m_waiting == Waiting::Message)
        m_timer.start(m_timeouts.reply);
}

QString SmtpSession::sentOk()
{
    m_accepted = true;
    if (m_notKept.isEmpty())
        return sentOkText();
    return tr("Sent OK. (no copy kept: %1)").arg(m_notKept);
}
