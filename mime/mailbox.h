#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Addresses in header fields as RFC 5322 writes them, read as a mail
// server reads them: the address is the angle address outside quoted
// strings and comments, and nothing in a display name counts, however
// much it looks like an address. Encoded-words are not decoded first: a
// name that decodes to "<someone@example.org>" is still a name.
namespace mime {

// The value with its comments, nested or not, turned into single spaces;
// quoted strings kept whole, escapes and all.
QByteArray withoutComments(QByteArrayView value);

// The one address of a From field's value, lower case; empty when the
// field holds none, a group, several mailboxes or anything malformed, so
// that a caller can never take the wrong one.
QString senderAddress(QByteArrayView value);

} // namespace mime
