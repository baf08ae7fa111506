#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Base64 as a message body carries it (RFC 2045): lines of 76 characters,
// each ending in CR LF.
namespace mime {

// The raw bytes per full line.
inline constexpr qsizetype Base64LineBytes = 57;

// `raw` encoded; a piece of a longer body must hold whole lines' bytes
// (a multiple of Base64LineBytes) except at its end.
QByteArray base64Lines(QByteArrayView raw);

// How long base64Lines() makes `bytes` bytes.
qint64 base64LinesSize(qint64 bytes);

// The bytes of base64 text, line breaks and other stray characters skipped.
QByteArray decodeBase64(QByteArrayView text);

} // namespace mime
