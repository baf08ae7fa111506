#include "mime/charset.h"

#include "store/codec.h"

#include <cctype>
#include <cerrno>
#include <iconv.h>

namespace mime {

namespace {

// Any other character set the C library converts (ISO-8859-x, Windows-125x,
// ISO-2022-JP, Shift_JIS, EUC-KR, GB2312...): mail from abroad uses them.
// A byte that is no character of the set becomes U+FFFD.
std::optional<QString> throughIconv(QByteArrayView bytes, const QByteArray &charset)
{
    for (const char c : charset)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.' &&
            c != ':')
            return std::nullopt;
    iconv_t cd = ::iconv_open("UTF-8", charset.constData());
    if (cd == iconv_t(-1))
        return std::nullopt;
    QByteArray out;
    char buffer[4096];
    char *in = const_cast<char *>(bytes.data());
    size_t left = size_t(bytes.size());
    bool flushed = false;
    while (!flushed) {
        char *to = buffer;
        size_t room = sizeof buffer;
        const size_t done = left > 0 ? ::iconv(cd, &in, &left, &to, &room)
                                     : ::iconv(cd, nullptr, nullptr, &to, &room);
        flushed = left == 0 && done != size_t(-1);
        out.append(buffer, to - buffer);
        if (done == size_t(-1) && errno != E2BIG) {
            if (left == 0)
                break;
            out.append("\xEF\xBF\xBD"); // U+FFFD for the byte that is no character
            ++in;
            --left;
        }
    }
    ::iconv_close(cd);
    return QString::fromUtf8(out);
}

} // namespace

std::optional<QString> decodeCharset(QByteArrayView bytes, QByteArrayView name)
{
    QByteArray charset = name.toByteArray().toLower();
    if (const qsizetype star = charset.indexOf('*'); star >= 0) // RFC 2231 language
        charset.truncate(star);
    if (charset == "utf-8" || charset == "utf8")
        return QString::fromUtf8(bytes);
    if (charset == "windows-1252" || charset == "cp1252")
        return cp1252::decode(bytes);
    if (charset == "us-ascii" || charset == "iso-8859-1" || charset == "latin1")
        return QString::fromLatin1(bytes);
    if (charset.isEmpty() || charset.size() > 40)
        return std::nullopt;
    return throughIconv(bytes, charset);
}

QString rawText(QByteArrayView bytes)
{
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == bytes ? utf8 : QString::fromLatin1(bytes);
}

} // namespace mime
