#pragma once

#include "imap/response.h"

#include <QByteArray>
#include <QList>

namespace imap {

// A text part of a message as BODYSTRUCTURE describes it: where it is
// (the section to fetch) and how it is written.
struct TextPart
{
    QByteArray section; // "1", "1.2"
    QByteArray subtype; // lower case: "plain", "html"
    QByteArray charset;
    QByteArray encoding; // lower case: "7bit", "quoted-printable", "base64"...
    QByteArray body;     // once fetched, as the server holds it
};

// The plain and HTML text parts of a message, in order, from its
// BODYSTRUCTURE; attachments (a part marked so, any other type, a message
// inside the message) are left out, so that their bytes are never fetched.
QList<TextPart> textParts(const Value &structure);

} // namespace imap
