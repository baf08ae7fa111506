#include "serveraddress.h"

namespace {

bool parsePort(QStringView digits, quint16 &port)
{
    bool ok = false;
    const uint value = digits.toUInt(&ok);
    if (!ok || value == 0 || value > 65535 || !digits.front().isDigit())
        return false;
    port = quint16(value);
    return true;
}

} // namespace

ServerAddress ServerAddress::parse(const QString &setting)
{
    ServerAddress a;
    const QStringView s(setting);
    if (s.startsWith(u'[')) {
        const qsizetype close = s.indexOf(u']');
        if (close < 0)
            return a;
        a.host = s.mid(1, close - 1).toString();
        const QStringView rest = s.mid(close + 1);
        if (!rest.isEmpty() && !(rest.startsWith(u':') && parsePort(rest.mid(1), a.port)))
            return a;
    } else if (s.count(u':') == 1) {
        const qsizetype colon = s.indexOf(u':');
        a.host = s.left(colon).toString();
        if (!parsePort(s.mid(colon + 1), a.port))
            return a;
    } else {
        a.host = setting; // a name, an IPv4 address, or a bare IPv6 address
    }
    a.valid = !a.host.isEmpty();
    return a;
}
