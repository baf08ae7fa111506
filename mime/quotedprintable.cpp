#include "mime/quotedprintable.h"

#include "mime/lines.h"

namespace mime {

void appendEscaped(QByteArray &out, char byte)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    const auto b = static_cast<unsigned char>(byte);
    out += '=';
    out += digits[b >> 4];
    out += digits[b & 15];
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void appendQuotedPrintable(QByteArray &out, QByteArrayView line)
{
    constexpr qsizetype MaxEncoded = 76;
    QByteArray current;
    QByteArray token;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const bool last = i == line.size() - 1;
        const bool whitespace = c == ' ' || c == '\t';
        token.clear();
        if ((c > ' ' && c < 0x7f && c != '=') || (whitespace && !last))
            token += c;
        else
            appendEscaped(token, c);
        if (current.size() + token.size() > MaxEncoded - 1) {
            out += current + '=' + crlf;
            current.clear();
        }
        current += token;
    }
    out += current + crlf;
}

QByteArray decodeQuotedPrintable(QByteArrayView in, bool qEncoding)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '=' && i + 2 < in.size() && hexValue(in[i + 1]) >= 0 && hexValue(in[i + 2]) >= 0) {
            out += char(hexValue(in[i + 1]) * 16 + hexValue(in[i + 2]));
            i += 2;
        } else if (c == '=' && i + 1 < in.size() && isLineBreak(in[i + 1])) {
            i += in[i + 1] == '\r' && i + 2 < in.size() && in[i + 2] == '\n' ? 2 : 1; // soft break
        } else {
            out += qEncoding && c == '_' ? ' ' : c;
        }
    }
    return out;
}

} // namespace mime
