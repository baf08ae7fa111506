#include "smtp/clientname.h"

#include "mail/address.h"

#include <QHostInfo>

namespace clientname {

QString machineDomainName()
{
    // Read once: the host name and the resolver's domain come from local
    // files, and a name that changes under a running program is rare.
    static const QString name = [] {
        const QString host = QHostInfo::localHostName();
        const QString domain = QHostInfo::localDomainName();
        const QString full = host.contains(u'.') || domain.isEmpty() ? host : host + u'.' + domain;
        // "localhost.localdomain" names every machine, so it names none.
        const bool isLocalhost =
            full.section(u'.', 0, 0).compare(u"localhost", Qt::CaseInsensitive) == 0;
        return address::isDomain(full) && !isLocalhost ? full : QString();
    }();
    return name;
}

QString addressLiteral(const QHostAddress &address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4); // also for ::ffff:a.b.c.d
    if (isV4)
        return u'[' + QHostAddress(v4).toString() + u']';
    QHostAddress v6 = address;
    v6.setScopeId(QString());
    return QStringLiteral("[IPv6:") + v6.toString() + u']';
}

} // namespace clientname
