#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Quoted-printable (RFC 2045), both ways, and the "=XX" escape it shares
// with RFC 2047's Q encoding.
namespace mime {

// Appends "=" and the byte's two upper-case hex digits.
void appendEscaped(QByteArray &out, char byte);
// A hex digit's value, or -1.
int hexValue(char c);

// Appends one line of text (no line break in it) as quoted-printable lines
// of at most 76 characters, soft breaks ending in "=", whitespace at the
// end escaped so that no transport can strip it; every line ends in CR LF.
void appendQuotedPrintable(QByteArray &out, QByteArrayView line);

// The bytes of quoted-printable text; soft breaks go, a broken escape stays
// as it is. With `qEncoding` (RFC 2047's Q), "_" is a space.
QByteArray decodeQuotedPrintable(QByteArrayView in, bool qEncoding = false);

} // namespace mime
