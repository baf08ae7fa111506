#include "account/serveraddress.h"

#include <QHostAddress>

namespace {

using Security = ServerAddress::Security;

struct Scheme
{
    QStringView prefix;
    Security security;
    quint16 port;
};

const Scheme schemes[] = {
    {u"smtp://", Security::Plain, 25},
    {u"starttls://", Security::StartTls, 587},
    {u"smtps://", Security::Tls, 465},
};

// IMAP always signs in, so it has no plain form.
const Scheme imapSchemes[] = {
    {u"starttls://", Security::StartTls, 143},
    {u"imaps://", Security::Tls, 993},
};

std::optional<quint16> parsePort(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    uint value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + uint(c.unicode() - u'0');
    }
    if (value == 0 || value > 65535)
        return std::nullopt;
    return quint16(value);
}

// Letters, digits and "-" in labels of 1 to 63 characters, split by dots.
bool isHostName(QStringView s)
{
    if (s.isEmpty() || s.size() > 253)
        return false;
    for (QStringView label : s.split(u'.')) {
        if (label.isEmpty() || label.size() > 63)
            return false;
        for (QChar c : label) {
            const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                            (c >= u'0' && c <= u'9') || c == u'-';
            if (!ok)
                return false;
        }
    }
    return true;
}

// Hex digits, colons and dots, and a scope of letters and digits after "%":
// QHostAddress alone would also take surrounding spaces.
bool isIPv6(QStringView s)
{
    const qsizetype percent = s.indexOf(u'%');
    const QStringView address = percent < 0 ? s : s.left(percent);
    for (QChar c : address) {
        if ((c < u'0' || c > u'9') && !QStringView(u"abcdefABCDEF:.").contains(c))
            return false;
    }
    if (percent >= 0 && !isHostName(s.sliced(percent + 1)))
        return false;
    return s.contains(u':') && QHostAddress(s.toString()).protocol() == QHostAddress::IPv6Protocol;
}

Security securityForPort(quint16 port)
{
    return port == 587 ? Security::StartTls : port == 465 ? Security::Tls : Security::Plain;
}

Security imapSecurityForPort(quint16 port)
{
    return port == 143 ? Security::StartTls : Security::Tls;
}

} // namespace

std::optional<ServerAddress> ServerAddress::parse(QStringView setting)
{
    return parseWith(setting, schemes, 25, securityForPort);
}

std::optional<ServerAddress> ServerAddress::parseImap(QStringView setting)
{
    return parseWith(setting, imapSchemes, 993, imapSecurityForPort);
}

template <typename Schemes, typename SecurityFor>
std::optional<ServerAddress> ServerAddress::parseWith(QStringView setting, const Schemes &schemes,
                                                      quint16 defaultPort, SecurityFor securityFor)
{
    ServerAddress a;
    const Scheme *scheme = nullptr;
    for (const Scheme &s : schemes) {
        if (setting.startsWith(s.prefix, Qt::CaseInsensitive)) {
            scheme = &s;
            setting = setting.sliced(s.prefix.size());
            break;
        }
    }
    std::optional<quint16> port;
    if (setting.startsWith(u'[')) {
        const qsizetype close = setting.indexOf(u']');
        if (close < 0 || !isIPv6(setting.sliced(1, close - 1)))
            return std::nullopt;
        a.host = setting.sliced(1, close - 1).toString();
        const QStringView rest = setting.sliced(close + 1);
        if (!rest.isEmpty() && !(rest.startsWith(u':') && (port = parsePort(rest.sliced(1)))))
            return std::nullopt;
    } else if (isIPv6(setting)) {
        a.host = setting.toString();
    } else {
        const qsizetype colon = setting.indexOf(u':');
        a.host = setting.left(colon).toString();
        if (!isHostName(a.host) || (colon >= 0 && !(port = parsePort(setting.sliced(colon + 1)))))
            return std::nullopt;
    }
    if (scheme) {
        a.security = scheme->security;
        a.port = port.value_or(scheme->port);
    } else {
        a.port = port.value_or(defaultPort);
        a.security = securityFor(a.port);
    }
    return a;
}

QString ServerAddress::name() const
{
    return host.contains(u':') ? u'[' + host + u']' : host;
}

QString ServerAddress::hostAndPort() const
{
    return name() + u':' + QString::number(port);
}

QString ServerAddress::format() const
{
    // The port alone says how to secure it, or a scheme says so.
    if (security == securityForPort(port))
        return port == 25 ? name() : hostAndPort();
    for (const Scheme &s : schemes) {
        if (s.security == security)
            return s.prefix.toString() + (port == s.port ? name() : hostAndPort());
    }
    return {};
}
