#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Multipart bodies (RFC 2046), read: the parts between the delimiters.
namespace mime {

// Each part's bytes, headers included, without the line break that belongs
// to the delimiter after it. Text before the first delimiter and after the
// closing one is not a part, nor is a last part no delimiter ends (the
// message was cut short).
QList<QByteArrayView> splitMultipart(QByteArrayView body, QByteArrayView boundary);

} // namespace mime
