#pragma once

#include <QList>
#include <QProcess>

#include <algorithm>
#include <optional>

// What the send benchmarks share: a line from a helper process (the sink,
// smtplib), and the median of the times taken.

inline double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.isEmpty() ? 0 : times[times.size() / 2];
}

// The next line `p` writes, or nothing when none comes within two minutes.
inline std::optional<QByteArray> lineFrom(QProcess &p)
{
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(120000))
            return std::nullopt;
    }
    return p.readLine().trimmed();
}
