#pragma once

#include "mime/headerfields.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A message's or part's body as its header describes it.
namespace mime {

// The bytes, its Content-Transfer-Encoding (base64, quoted-printable, or
// none) undone.
QByteArray decodeBody(QByteArrayView bytes, const Header &header);

// The text, in the charset its Content-Type names (UTF-8 when it is that,
// else one character a byte, for one Quillon does not read).
QString bodyText(QByteArrayView bytes, const Header &header);

} // namespace mime
