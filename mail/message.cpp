#include "mail/message.h"

#include "mail/address.h"
#include "mail/text.h"
#include "mime/base64.h"
#include "mime/charset.h"
#include "mime/date.h"
#include "mime/headerfields.h"
#include "mime/lines.h"
#include "mime/parameter.h"
#include "mime/quotedprintable.h"
#include "store/codec.h"

#include <QRandomGenerator>

namespace mail {

namespace {

using mime::crlf;
using mime::MaxLine; // bytes a line may hold without its CR LF

void appendLine(QByteArray &out, QByteArrayView line)
{
    out += line;
    out += crlf;
}

// Servers refuse lines over 1,000 bytes with the line break, and a long
// paragraph typed without breaks is common. Such a line is broken after its
// last space that fits, or at the limit when there is none (in UTF-8, before
// the character the limit falls in); one byte is kept free for a leading
// dot.
void appendFolded(QByteArray &out, QByteArrayView line, bool utf8)
{
    constexpr qsizetype limit = MaxLine - 1;
    while (line.size() > limit) {
        const qsizetype space = line.first(limit).lastIndexOf(' ');
        qsizetype cut = space > 0 ? space + 1 : limit;
        while (utf8 && space <= 0 && cut > 1 && mime::continuesUtf8(line[cut]))
            --cut;
        appendLine(out, line.first(cut));
        line = line.sliced(cut);
    }
    appendLine(out, line);
}

QString messageIdDomain(const QString &sender, const QString &clientName)
{
    const QString domain = sender.mid(sender.lastIndexOf(u'@') + 1);
    return sender.contains(u'@') && address::isDomain(domain) ? domain : clientName;
}

} // namespace

Stamp Stamp::now()
{
    const QDateTime date = QDateTime::currentDateTime();
    const quint64 random = QRandomGenerator::system()->generate64();
    return {date, date.toUTC().toString(QStringLiteral("yyyyMMddhhmmss")) + u'.' +
                      QStringLiteral("%1").arg(random, 16, 16, QLatin1Char('0')).toUpper()};
}

qint64 Message::size() const
{
    qint64 n = data.size();
    for (const FilePart &part : files)
        n += mime::base64LinesSize(part.file.size) + part.after.size();
    return n;
}

Message build(const Outgoing &outgoing, const QString &clientName, bool eightBitAllowed,
              const Stamp &stamp)
{
    // Windows-1252 when it holds the text, as before; UTF-8 otherwise.
    const bool utf8 = !cp1252::fits(outgoing.text);
    const QByteArray body = utf8 ? outgoing.text.toUtf8() : cp1252::encode(outgoing.text);
    const bool has8Bit =
        std::any_of(body.cbegin(), body.cend(), [](char c) { return (c & 0x80) != 0; });
    // Neither 7-bit nor 8-bit text may hold a NUL byte.
    const bool quotedPrintable = (has8Bit && !eightBitAllowed) || body.contains('\0');

    const QString sender = text::trim(outgoing.sender);
    Message m;
    m.eightBit = has8Bit && !quotedPrintable;
    m.data = mime::headerField("Subject", outgoing.subject);
    m.data += mime::asciiField("To", outgoing.recipient);
    m.data += mime::asciiField("From", sender);
    m.data += mime::asciiField("Date", mime::dateField(stamp.date));
    m.data += mime::asciiField("Message-ID",
                          u'<' + stamp.unique + u'@' + messageIdDomain(sender, clientName) + u'>');
    m.data += mime::asciiField("MIME-Version", u"1.0");

    QByteArray text;
    text.reserve((quotedPrintable ? 3 : 1) * body.size() + body.size() / 16 + 8);
    mime::forEachLine(QByteArrayView(body), [&](const mime::Line<QByteArrayView> &line) {
        if (quotedPrintable)
            mime::appendQuotedPrintable(text, line.text);
        else
            appendFolded(text, line.text, utf8);
        return true;
    });
    const QByteArray textHeaders =
        mime::asciiField("Content-Type", utf8      ? u"text/plain; charset=utf-8"
                                    : has8Bit ? u"text/plain; charset=windows-1252"
                                              : u"text/plain; charset=us-ascii") +
        mime::asciiField("Content-Transfer-Encoding", quotedPrintable ? u"quoted-printable"
                                                 : m.eightBit    ? u"8bit"
                                                                 : u"7bit") +
        crlf;
    if (outgoing.attachments.isEmpty()) {
        m.data += textHeaders + text;
        return m;
    }

    // The boundary cannot occur in base64 or quoted-printable ("=_"), nor,
    // being random, in the text; should it, it grows.
    QByteArray boundary = "=_" + stamp.unique.toLatin1();
    while (text.contains(boundary))
        boundary += '_';
    const QByteArray delimiter = "--" + boundary + crlf;
    m.data += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"" + crlf + crlf;
    // An empty text still has its line, so that the delimiter's line break
    // is not the one ending the part's headers.
    m.data += delimiter + textHeaders + (text.isEmpty() ? crlf : text);
    QByteArray *before = &m.data;
    for (const Enclosure &file : outgoing.attachments) {
        *before += delimiter + "Content-Type: " + file.mediaType + ';' + crlf +
                   mime::encodeParameter("name", file.name) + crlf + "Content-Disposition: attachment;" + crlf +
                   mime::encodeParameter("filename", file.name) + crlf +
                   "Content-Transfer-Encoding: base64" + crlf + crlf;
        m.files.append({file, {}});
        before = &m.files.last().after;
    }
    *before += "--" + boundary + "--" + crlf;
    return m;
}

} // namespace mail
