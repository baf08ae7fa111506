#include "mime/date.h"

#include <QLocale>

namespace mime {

QString dateField(const QDateTime &date)
{
    const int offset = date.offsetFromUtc() / 60;
    const int minutes = offset < 0 ? -offset : offset;
    return QLocale::c().toString(date, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss ")) +
           (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QDateTime parseDate(const QString &value)
{
    return QDateTime::fromString(value, Qt::RFC2822Date);
}

} // namespace mime
