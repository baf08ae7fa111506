#pragma once

#include <QString>

// The SMTP server setting: "host", "host:port", "[ipv6]:port" or a bare IPv6
// address; port 25 unless one is given.
struct ServerAddress
{
    QString host;
    quint16 port = 25;
    bool valid = false;

    static ServerAddress parse(const QString &setting);
};
