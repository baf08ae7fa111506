#pragma once

#include "sendparams.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The message as it goes between the server's 354 reply and the final ".":
// the headers receivers and spam filters expect, then the body, every line
// ending in CR LF, dot-stuffed, no line over 998 bytes. Text goes in
// Windows-1252 when that holds it, else in UTF-8.
namespace mail {

// When the message was written and what makes its Message-ID unique.
struct Stamp
{
    QDateTime date;
    QString unique;

    // The local time now, and the time with 64 random bits.
    static Stamp now();
};

struct Message
{
    QByteArray data;
    // The body goes as 8-bit bytes: MAIL FROM must say BODY=8BITMIME.
    bool eightBit = false;
};

// "Mon, 07 Dec 2026 17:05:09 +0100", in English whatever the locale.
QString dateHeader(const QDateTime &date);

// The message for `params` (subject, recipient, sender and text). A body
// with bytes of 0x80 and above goes as 8-bit when `eightBitAllowed`, else
// quoted-printable. `clientName` gives the Message-ID its domain when the
// sender has none.
Message build(const SendParams &params, const QString &clientName, bool eightBitAllowed,
              const Stamp &stamp);

} // namespace mail
