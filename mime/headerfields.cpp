#include "mime/headerfields.h"

#include "mime/encodedwords.h"
#include "mime/lines.h"
#include "store/codec.h"

namespace mime {

namespace {

bool isWhitespace(char c)
{
    return c == ' ' || c == '\t';
}

// The text's pieces where a fold may go: before each run of whitespace,
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

} // namespace

// Windows-1252 when it holds the text, as receivers have always been sent;
// UTF-8 for anything else, so that every character arrives.
QByteArray headerField(QByteArrayView name, QString text)
{
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray prefix = name.toByteArray() + ": ";
    if (!cp1252::fits(text))
        return encodeWords(prefix, text.toUtf8(), "utf-8") + crlf;
    const QByteArray bytes = cp1252::encode(text);
    return (isPlainText(bytes, prefix.size()) ? foldedPlain(prefix, bytes)
                                                 : encodeWords(prefix, bytes, "windows-1252")) +
           crlf;
}

QByteArray asciiField(QByteArrayView name, QStringView value)
{
    QByteArray line = name.toByteArray() + ": ";
    for (QChar c : value)
        line += c.unicode() >= 0x20 && c.unicode() < 0x7f ? char(c.unicode()) : '?';
    line.truncate(MaxLine);
    return line + crlf;
}

QByteArray Header::value(QByteArrayView name) const
{
    for (const Field &f : fields) {
        if (f.name == name)
            return f.value;
    }
    return {};
}

QString Header::text(QByteArrayView name) const
{
    return decodeWords(value(name)).trimmed();
}

Header parseHeader(QByteArrayView bytes)
{
    Header header;
    header.bodyStart = bytes.size();
    forEachLine(bytes, [&](const Line<QByteArrayView> &line) {
        if (line.text.isEmpty() && line.start < bytes.size()) {
            header.bodyStart = line.next;
            header.ended = true;
            return false;
        }
        if (line.text.isEmpty())
            return false; // the bytes end with a field's line break
        if (isWhitespace(line.text[0]) && !header.fields.isEmpty()) {
            header.fields.last().value += line.text;
            return true;
        }
        const qsizetype colon = line.text.indexOf(':');
        if (colon <= 0) {
            header.bodyStart = line.start;
            header.ended = true;
            return false;
        }
        header.fields.append({line.text.first(colon).trimmed().toByteArray().toLower(),
                              line.text.sliced(colon + 1).toByteArray()});
        return true;
    });
    return header;
}

} // namespace mime
