#include "mime/body.h"

#include "mime/base64.h"
#include "mime/charset.h"
#include "mime/parameter.h"
#include "mime/quotedprintable.h"

namespace mime {

QByteArray decodeBody(QByteArrayView bytes, const Header &header)
{
    const QByteArray encoding = header.value("content-transfer-encoding").trimmed().toLower();
    if (encoding == "base64")
        return decodeBase64(bytes);
    if (encoding == "quoted-printable")
        return decodeQuotedPrintable(bytes);
    return bytes.toByteArray();
}

QString bodyText(QByteArrayView bytes, const Header &header)
{
    const QByteArray decoded = decodeBody(bytes, header);
    const QString charset = decodeParameter(header.value("content-type"), "charset");
    return decodeCharset(decoded, charset.toLatin1()).value_or(rawText(decoded));
}

} // namespace mime
