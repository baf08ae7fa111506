#include "credentials.h"

#include "serveraddress.h"

#include <QUrl>

QString Account::key() const
{
    ServerAddress server;
    server.host = host;
    server.port = port;
    return QStringLiteral("smtp://") + QString::fromLatin1(QUrl::toPercentEncoding(defaultUser)) +
           u'@' + server.hostAndPort();
}
