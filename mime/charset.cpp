#include "mime/charset.h"

#include "store/codec.h"

namespace mime {

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
    return std::nullopt;
}

QString rawText(QByteArrayView bytes)
{
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == bytes ? utf8 : QString::fromLatin1(bytes);
}

} // namespace mime
