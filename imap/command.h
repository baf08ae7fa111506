#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>

#include <optional>

// The pieces of a command Quillon sends an IMAP server. Every text comes
// from a setting or a file, so none may end the command line early.
namespace imap {

// A quoted string; nothing for text a quoted string cannot carry (CR, LF,
// NUL, 8-bit), which Quillon then leaves out rather than send as a literal.
std::optional<QByteArray> quoted(QStringView text);

// "7-Dec-2026": month names are the protocol's, whatever the locale.
QByteArray date(QDate day);

// "UID 42:* YOUNGER 3600 OR FROM "a" FROM "b"": messages after `lastUid`
// that arrived since `since`, from any of `senders` (each an address or a
// domain; the server matches part of the From field). Without WITHIN
// (RFC 5032, `within`), SINCE takes whole days in the server's time zone:
// from the day before, then.
QByteArray searchCriteria(quint32 lastUid, const QDateTime &since, const QStringList &senders,
                          bool within, const QDateTime &now = QDateTime::currentDateTime());

// "1:5,7" for a list of UIDs in ascending order.
QByteArray uidSet(const QList<quint32> &uids);

} // namespace imap
