#include "mime/base64.h"

#include "mime/lines.h"

namespace mime {

QByteArray base64Lines(QByteArrayView raw)
{
    constexpr qsizetype LineChars = 76;
    const QByteArray characters = raw.toByteArray().toBase64();
    QByteArray out;
    out.reserve(characters.size() + characters.size() / 38 + 2);
    for (qsizetype at = 0; at < characters.size(); at += LineChars) {
        out += QByteArrayView(characters).sliced(at, std::min(LineChars, characters.size() - at));
        out += crlf;
    }
    return out;
}

qint64 base64LinesSize(qint64 bytes)
{
    const qint64 characters = (bytes + 2) / 3 * 4;
    return characters + 2 * ((characters + 75) / 76);
}

QByteArray decodeBase64(QByteArrayView text)
{
    return QByteArray::fromBase64(text.toByteArray());
}

} // namespace mime
