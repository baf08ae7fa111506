#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Text in a named character set, as MIME labels it ("utf-8",
// "windows-1252", "iso-8859-1", with RFC 2231's "*language" allowed).
namespace mime {

// A UTF-8 continuation byte: it belongs to the character before it.
constexpr bool continuesUtf8(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The text, or nothing for a character set Quillon does not read.
std::optional<QString> decodeCharset(QByteArrayView bytes, QByteArrayView charset);

// Text in no named character set: UTF-8 when it is that, else one
// character a byte.
QString rawText(QByteArrayView bytes);

} // namespace mime
