#pragma once

#include <QHostAddress>
#include <QString>

// The name a client greets a server with: its fully qualified domain name,
// or, when it has none, the address it connects from.
namespace clientname {

// The machine's fully qualified domain name; empty when it has none that
// holds a dot.
QString machineDomainName();

// "[192.0.2.1]" or "[IPv6:2001:db8::1]".
QString addressLiteral(const QHostAddress &address);

} // namespace clientname
