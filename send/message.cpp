#include "message.h"

#include "address.h"
#include "attachmentdevice.h"
#include "codec.h"
#include "text.h"

#include <QLocale>
#include <QRandomGenerator>

namespace mail {

namespace {

const QByteArray crlf = QByteArrayLiteral("\r\n");

// Lines may hold 998 bytes without their CR LF; folding aims at 78.
constexpr qsizetype MaxLine = 998;
constexpr qsizetype FoldAt = 78;

bool isWhitespace(char c)
{
    return c == ' ' || c == '\t';
}

char hexDigit(int v)
{
    return "0123456789ABCDEF"[v & 15];
}

void appendHex(QByteArray &out, char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    out += '=';
    out += hexDigit(b >> 4);
    out += hexDigit(b);
}

// A header from text that should already be ASCII (addresses, names the
// program made): anything else becomes "?", so that no byte can break the
// header or start another.
QByteArray asciiHeader(const char *name, QStringView value)
{
    QByteArray line = QByteArray(name) + ": ";
    for (QChar c : value)
        line += c.unicode() >= 0x20 && c.unicode() < 0x7f ? char(c.unicode()) : '?';
    line.truncate(MaxLine);
    return line + crlf;
}

// The subject's pieces where a fold may go: before each run of whitespace,
// so that every continuation line starts with whitespace and holds text.
QList<QByteArrayView> foldPieces(QByteArrayView text)
{
    QList<QByteArrayView> pieces;
    qsizetype start = 0;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (isWhitespace(text[i]) && !isWhitespace(text[i - 1])) {
            pieces.append(text.sliced(start, i - start));
            start = i;
        }
    }
    pieces.append(text.sliced(start));
    return pieces;
}

// Printable ASCII that no reader would take for an encoded-word, and whose
// pieces fit on a line: such a text goes as it is, folded.
bool isPlainText(QByteArrayView text, qsizetype prefix)
{
    if (text.isEmpty())
        return true;
    // Readers drop whitespace at either end, and take "=?" for the start of
    // an encoded-word.
    if (isWhitespace(text.front()) || isWhitespace(text.back()) || text.contains("=?"))
        return false;
    for (char c : text) {
        if (!isWhitespace(c) && (c < 0x20 || c > 0x7e))
            return false;
    }
    for (QByteArrayView piece : foldPieces(text)) {
        if (prefix + piece.size() > MaxLine)
            return false;
    }
    return true;
}

QByteArray foldedPlain(const QByteArray &prefix, QByteArrayView text)
{
    QByteArray out = prefix;
    qsizetype lineLength = out.size();
    bool first = true;
    for (QByteArrayView piece : foldPieces(text)) {
        if (!first && lineLength + piece.size() > FoldAt) {
            out += crlf;
            lineLength = 0;
        }
        out += piece;
        lineLength += piece.size();
        first = false;
    }
    return out;
}

// A UTF-8 continuation byte: it belongs to the character before it.
bool continues(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// RFC 2047 encoded-words, Q encoding, at most 75 characters each, one per
// line after the first. A character's bytes always share a word: a reader
// decodes each word on its own.
QByteArray encodedWords(const QByteArray &prefix, QByteArrayView text, QByteArrayView charset)
{
    const bool utf8 = charset == "utf-8";
    const QByteArray open = "=?" + charset.toByteArray() + "?Q?";
    const QByteArray close = QByteArrayLiteral("?=");
    constexpr qsizetype MaxWord = 75;
    QByteArray out = prefix + open;
    qsizetype room = std::min(MaxWord, FoldAt - prefix.size()) - open.size() - close.size();
    QByteArray token;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i + 1;
        while (utf8 && end < text.size() && continues(text[end]))
            ++end;
        token.clear();
        for (; i < end; ++i) {
            const char c = text[i];
            const bool literal = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                 (c >= '0' && c <= '9') || QByteArrayView("!*+-/").contains(c);
            if (literal)
                token += c;
            else if (c == ' ')
                token += '_';
            else
                appendHex(token, c);
        }
        if (token.size() > room) {
            out += close + crlf + ' ' + open;
            room = MaxWord - open.size() - close.size();
        }
        out += token;
        room -= token.size();
    }
    return out + close;
}

} // namespace

// Windows-1252 when it holds the text, as receivers have always been sent;
// UTF-8 for anything else, so that every character arrives.
QByteArray headerField(QByteArrayView name, QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray prefix = name.toByteArray() + ": ";
    if (!cp1252::fits(text))
        return encodedWords(prefix, text.toUtf8(), "utf-8") + crlf;
    const QByteArray bytes = cp1252::encode(text);
    return (isPlainText(bytes, prefix.size()) ? foldedPlain(prefix, bytes)
                                                 : encodedWords(prefix, bytes, "windows-1252")) +
           crlf;
}

namespace {

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
        while (utf8 && space <= 0 && cut > 1 && continues(line[cut]))
            --cut;
        appendLine(out, line.first(cut));
        line = line.sliced(cut);
    }
    appendLine(out, line);
}

// RFC 2045 quoted-printable: lines of at most 76 characters, soft breaks
// ending in "=", whitespace at a line's end encoded so that no transport
// can strip it.
void appendQuotedPrintable(QByteArray &out, QByteArrayView line)
{
    constexpr qsizetype MaxEncoded = 76;
    QByteArray current;
    QByteArray token;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const bool last = i == line.size() - 1;
        token.clear();
        if ((c > ' ' && c < 0x7f && c != '=') || (isWhitespace(c) && !last))
            token += c;
        else
            appendHex(token, c);
        if (current.size() + token.size() > MaxEncoded - 1) {
            appendLine(out, current + '=');
            current.clear();
        }
        current += token;
    }
    appendLine(out, current);
}

// Calls `take` with every line of `text`, split at CR LF, bare CR or bare
// LF. An empty text has no lines; a final line break leaves an empty last
// line.
template <typename Take> void forEachLine(QByteArrayView text, Take take)
{
    if (text.isEmpty())
        return;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        take(text.sliced(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    take(text.sliced(start));
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

QString dateHeader(const QDateTime &date)
{
    const int offset = date.offsetFromUtc() / 60;
    const int minutes = offset < 0 ? -offset : offset;
    return QLocale::c().toString(date, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss ")) +
           (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

qint64 Message::size() const
{
    qint64 n = data.size();
    for (const FilePart &part : files)
        n += AttachmentDevice::encodedSize(part.file.size) + part.after.size();
    return n;
}

QByteArray parameter(QByteArrayView name, const QString &value)
{
    QString clean = value;
    for (QChar &c : clean) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            c = u'_';
    }
    constexpr qsizetype Piece = 60;
    const bool printable = std::all_of(clean.cbegin(), clean.cend(),
                                       [](QChar c) { return c.unicode() < 0x7f; });
    if (printable && clean.size() <= Piece) {
        QByteArray quoted = clean.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return ' ' + name.toByteArray() + "=\"" + quoted + '"';
    }
    // RFC 2231: UTF-8, percent-encoded, cut into numbered pieces between
    // characters' encodings.
    const QByteArray encoded =
        "utf-8''" + clean.toUtf8().toPercentEncoding("!#$&+-.^_`|~", "", '%');
    QList<QByteArrayView> pieces;
    for (qsizetype at = 0; at < encoded.size();) {
        qsizetype n = std::min(Piece, encoded.size() - at);
        while (at + n < encoded.size() && n > 2 &&
               (encoded[at + n - 1] == '%' || encoded[at + n - 2] == '%'))
            --n;
        pieces.append(QByteArrayView(encoded).sliced(at, n));
        at += n;
    }
    if (pieces.size() == 1)
        return ' ' + name.toByteArray() + "*=" + encoded;
    QByteArray out;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        out += (i ? ";\r\n " : " ") + name.toByteArray() + '*' + QByteArray::number(i) + "*=" +
               pieces[i].toByteArray();
    return out;
}

Message build(const SendParams &params, const QString &clientName, bool eightBitAllowed,
              const Stamp &stamp)
{
    // Windows-1252 when it holds the text, as before; UTF-8 otherwise.
    const bool utf8 = !cp1252::fits(params.message);
    const QByteArray body = utf8 ? params.message.toUtf8() : cp1252::encode(params.message);
    const bool has8Bit =
        std::any_of(body.cbegin(), body.cend(), [](char c) { return (c & 0x80) != 0; });
    // Neither 7-bit nor 8-bit text may hold a NUL byte.
    const bool quotedPrintable = (has8Bit && !eightBitAllowed) || body.contains('\0');

    const QString sender = text::trim(params.sender);
    Message m;
    m.eightBit = has8Bit && !quotedPrintable;
    m.data = headerField("Subject", params.subject);
    m.data += asciiHeader("To", params.recipient);
    m.data += asciiHeader("From", sender);
    m.data += asciiHeader("Date", dateHeader(stamp.date));
    m.data += asciiHeader("Message-ID",
                          u'<' + stamp.unique + u'@' + messageIdDomain(sender, clientName) + u'>');
    m.data += asciiHeader("MIME-Version", u"1.0");

    QByteArray text;
    text.reserve((quotedPrintable ? 3 : 1) * body.size() + body.size() / 16 + 8);
    forEachLine(body, [&](QByteArrayView line) {
        if (quotedPrintable)
            appendQuotedPrintable(text, line);
        else
            appendFolded(text, line, utf8);
    });
    const QByteArray textHeaders =
        asciiHeader("Content-Type", utf8      ? u"text/plain; charset=utf-8"
                                    : has8Bit ? u"text/plain; charset=windows-1252"
                                              : u"text/plain; charset=us-ascii") +
        asciiHeader("Content-Transfer-Encoding", quotedPrintable ? u"quoted-printable"
                                                 : m.eightBit    ? u"8bit"
                                                                 : u"7bit") +
        crlf;
    if (params.attachments.isEmpty()) {
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
    for (const Enclosure &file : params.attachments) {
        *before += delimiter + "Content-Type: " + file.mediaType + ';' + crlf +
                   parameter("name", file.name) + crlf + "Content-Disposition: attachment;" + crlf +
                   parameter("filename", file.name) + crlf +
                   "Content-Transfer-Encoding: base64" + crlf + crlf;
        m.files.append({file, {}});
        before = &m.files.last().after;
    }
    *before += "--" + boundary + "--" + crlf;
    return m;
}

} // namespace mail
