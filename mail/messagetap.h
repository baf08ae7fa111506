#pragma once

#include <QByteArrayView>
#include <QString>

// Sees a message as the server gets it, its lines as a reader has them
// (dots not doubled), and hears whether the server took it: how a copy of
// what was sent is kept.
class MessageTap
{
public:
    virtual ~MessageTap() = default;
    // A message starts.
    virtual void begin() = 0;
    // The next bytes of it.
    virtual void write(QByteArrayView bytes) = 0;
    // The server took it with `reply`; `server` is host and port,
    // `protection` the connection's ("TLS 1.3", "no encryption"). Empty, or
    // why no copy could be kept.
    virtual QString taken(const QString &reply, const QString &server,
                          const QString &protection) = 0;
    // It was not taken: what was seen of it goes.
    virtual void abandon() = 0;
};
