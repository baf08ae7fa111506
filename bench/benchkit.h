#pragma once

#include "userinterface.h"

#include <QProcess>

#include <optional>

// What the send benchmarks share: a session's window that shows nothing,
// and a line from a helper process (the sink, smtplib).

struct Quiet : StatusLine, MessageBox
{
    void setStatus(const QString &t) override { last = t; }
    void exclamation(const QString &text, const QString &) override { last = text; }
    QString last;
};

// The next line `p` writes, or nothing when none comes within two minutes.
inline std::optional<QByteArray> lineFrom(QProcess &p)
{
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(120000))
            return std::nullopt;
    }
    return p.readLine().trimmed();
}
