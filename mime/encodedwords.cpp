#include "mime/encodedwords.h"

#include "mime/charset.h"
#include "mime/lines.h"
#include "mime/quotedprintable.h"

#include <algorithm>
#include <optional>

namespace mime {

namespace {

constexpr qsizetype MaxWord = 75;
constexpr qsizetype FoldAt = 78;

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

// The encoded-word starting at `at`, if one does: its text and where it
// ends. It is looked for only within the longest a word may be.
std::optional<QString> wordAt(QByteArrayView value, qsizetype at, qsizetype &end)
{
    const QByteArrayView v = value.sliced(at, std::min(MaxWord, value.size() - at));
    const qsizetype charsetEnd = v.indexOf('?', 2);
    if (charsetEnd < 0 || charsetEnd + 2 >= v.size() || v[charsetEnd + 2] != '?')
        return std::nullopt;
    const char encoding = v[charsetEnd + 1];
    const qsizetype textEnd = v.indexOf("?=", charsetEnd + 3);
    if (textEnd < 0)
        return std::nullopt;
    const QByteArrayView text = v.sliced(charsetEnd + 3, textEnd - charsetEnd - 3);
    QByteArray bytes;
    if (encoding == 'Q' || encoding == 'q')
        bytes = decodeQuotedPrintable(text, true);
    else if (encoding == 'B' || encoding == 'b')
        bytes = QByteArray::fromBase64(text.toByteArray());
    else
        return std::nullopt;
    end = at + textEnd + 2;
    return decodeCharset(bytes, v.sliced(2, charsetEnd - 2));
}

} // namespace

QByteArray encodeWords(const QByteArray &prefix, QByteArrayView text, QByteArrayView charset)
{
    const bool utf8 = charset == "utf-8";
    const QByteArray open = "=?" + charset.toByteArray() + "?Q?";
    const QByteArray close = QByteArrayLiteral("?=");
    QByteArray out = prefix + open;
    qsizetype room = std::min(MaxWord, FoldAt - prefix.size()) - open.size() - close.size();
    QByteArray token;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = i + 1;
        while (utf8 && end < text.size() && continuesUtf8(text[end]))
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
                appendEscaped(token, c);
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

QString decodeWords(QByteArrayView value)
{
    QString out;
    QByteArray pending; // raw text since the last encoded-word
    bool afterWord = false;
    for (qsizetype i = 0; i < value.size();) {
        qsizetype end = 0;
        if (value[i] == '=' && i + 1 < value.size() && value[i + 1] == '?') {
            if (const std::optional<QString> word = wordAt(value, i, end)) {
                // Only whitespace between two encoded-words is not text.
                if (!afterWord || !std::all_of(pending.cbegin(), pending.cend(), isSpace))
                    out += rawText(pending);
                pending.clear();
                out += *word;
                afterWord = true;
                i = end;
                continue;
            }
        }
        pending += value[i++];
    }
    return out + rawText(pending);
}

} // namespace mime
