#pragma once


#include <QProcess>

#include <optional>

// What the send benchmarks share: a line from a helper process (the sink,
// smtplib).

// The next line `p` writes, or nothing when none comes within two minutes.
inline std::optional<QByteArray> lineFrom(QProcess &p)
{
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(120000))
            return std::nullopt;
    }
    return p.readLine().trimmed();
}
