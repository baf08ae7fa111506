#pragma once

#include <QByteArray>
#include <QByteArrayView>

// RFC 5321 transparency: on the wire a message line that starts with "."
// gets another, so that no line of it can end the message early. The
// message may be written in pieces; `atLineStart` says whether the next
// piece begins a line, and carries over.
QByteArray dotStuffed(QByteArrayView bytes, bool &atLineStart);
