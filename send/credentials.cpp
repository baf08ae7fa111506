#include "credentials.h"

#include <QUrl>

QString Account::key() const
{
    const QString name = host.contains(u':') ? u'[' + host + u']' : host;
    return QStringLiteral("smtp://") + QString::fromLatin1(QUrl::toPercentEncoding(defaultUser)) +
           u'@' + name + u':' + QString::number(port);
}
