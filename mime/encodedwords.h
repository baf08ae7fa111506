#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// RFC 2047 encoded-words, "=?charset?Q?text?=", both ways.
namespace mime {

// `prefix` ("Subject: ") followed by `text` (bytes in `charset`) as
// encoded-words in the Q encoding, at most 75 characters each, one per line
// after the first, lines within 78 characters. A character's bytes always
// share a word (UTF-8 is told by its continuation bytes): a reader decodes
// each word on its own. No line break at the end.
QByteArray encodeWords(const QByteArray &prefix, QByteArrayView text, QByteArrayView charset);

// A header field's value as a reader shows it: encoded-words (Q or B, in a
// character set Quillon reads) decoded, whitespace between two of them
// dropped, anything else as it is. Linear in the value's length: a word
// ends within 75 characters or is not one.
QString decodeWords(QByteArrayView value);

} // namespace mime
