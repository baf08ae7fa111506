#pragma once

#include <QDateTime>
#include <QString>

// The Date field's form (RFC 5322), both ways.
namespace mime {

// "Mon, 07 Dec 2026 17:05:09 +0100", in English whatever the locale.
QString dateField(const QDateTime &date);

// The time a Date field names; invalid when it names none.
QDateTime parseDate(const QString &value);

} // namespace mime
