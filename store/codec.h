#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Quillon's 8-bit text: Windows-1252, one byte per character, in both data
// files and on the wire. Characters the code page cannot represent become
// "?"; the five bytes it leaves undefined map to U+0081, U+008D, U+008F,
// U+0090 and U+009D so that they survive a round trip.
namespace cp1252 {

QByteArray encode(QStringView text);
// Every character of `text` has a byte of its own: encoding changes nothing.
bool fits(QStringView text);
// The characters of `text` that encoding turns into "?", each once, in the
// order they first appear.
QStringList unrepresentable(QStringView text);
// Appends the encoded `text` to `out`.
void encodeAppend(QByteArray &out, QStringView text);
QString decode(QByteArrayView bytes);

// Fixed-width fields: the text is cut to `width` characters or padded on the
// right with spaces; reading returns all `width` characters, pad included.
void storeField(char *field, qsizetype width, QStringView text);
QString loadField(const char *field, qsizetype width);

} // namespace cp1252
