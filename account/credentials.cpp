#include "account/credentials.h"

#include "account/serveraddress.h"

#include <QUrl>

QString Account::tokenKey() const
{
    return QStringLiteral("oauth2") + key().mid(4);
}

QString Account::key() const
{
    ServerAddress server;
    server.host = host;
    server.port = port;
    return QStringLiteral("smtp://") + QString::fromLatin1(QUrl::toPercentEncoding(defaultUser)) +
           u'@' + server.hostAndPort();
}
