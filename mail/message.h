#pragma once

#include "mail/enclosure.h"
#include "mail/outgoing.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The message as it goes between the server's 354 reply and the final ".":
// the headers receivers and spam filters expect, then the body, every line
// ending in CR LF, no line over 998 bytes. Text goes in Windows-1252 when
// that holds it, else in UTF-8. With files attached it is multipart/mixed,
// one level deep as gateways read it: the text first, then each file in
// base64. Lines are as the reader gets them: the session doubles leading
// dots on the wire.
namespace mail {

// When the message was written and what makes its Message-ID unique.
struct Stamp
{
    QDateTime date;
    QString unique;

    // The local time now, and the time with 64 random bits.
    static Stamp now();
};

// A file in the message, and what follows its base64 lines: the next
// part's headers, or the end of the last part.
struct FilePart
{
    Enclosure file;
    QByteArray after;
};

struct Message
{
    // The message up to the first file's bytes; with no file, all of it.
    QByteArray data;
    QList<FilePart> files;
    // The body goes as 8-bit bytes: MAIL FROM must say BODY=8BITMIME.
    bool eightBit = false;

    // In bytes, files encoded.
    qint64 size() const;
};

// The message for `outgoing` (subject, recipient, sender, text and attached
// files). A body with bytes of 0x80 and above goes as 8-bit when
// `eightBitAllowed`, else quoted-printable. `clientName` gives the
// Message-ID its domain when the sender has none.
Message build(const Outgoing &outgoing, const QString &clientName, bool eightBitAllowed,
              const Stamp &stamp);

} // namespace mail
