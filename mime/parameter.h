#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// MIME parameters ("name", "filename", "boundary", "charset") of a header
// field's value, both ways, with RFC 2231's character sets and pieces.
namespace mime {

// `name` and `value` for a field of its own line, led by a space:
// name="value" when the value is short printable ASCII that holds no "=?"
// (readers would decode it as an encoded-word), else in RFC 2231
// form (UTF-8, percent-encoded, in numbered pieces of at most 60
// characters, never splitting an escape). Control characters become "_".
QByteArray encodeParameter(QByteArrayView name, const QString &value);

// The parameter `name` of a field's value: quoted or a token, or in RFC
// 2231 form with pieces and a character set; empty when there is none.
QString decodeParameter(QByteArrayView value, QByteArrayView name);

} // namespace mime
