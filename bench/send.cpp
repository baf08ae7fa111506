// 200 sequential sends of a 10,000-character, 200-line fax through the real
// SMTP session and QTcpSocket to a local sink, against Python's smtplib
// sending the same bytes to the same sink in the same run. Prints median
// and maximum latency per message and the ratio of the medians.

#include "sendparams.h"
#include "smtpsession.h"
#include "tcpsmtpsocket.h"
#include "userinterface.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

#ifndef BENCH_DIR
#error BENCH_DIR must name the bench folder
#endif

namespace {

constexpr int Count = 200;

struct Quiet : StatusLine, MessageBox
{
    void setStatus(const QString &t) override { last = t; }
    void exclamation(const QString &text, const QString &) override { last = text; }
    QString last;
};

QString faxText()
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines.append(QStringLiteral("Line %1 of the benchmark fax, padded out to fifty")
                         .arg(i, 3, 10, QLatin1Char('0'))
                         .left(48));
    return lines.join(QStringLiteral("\r\n"));
}

void report(const char *name, QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s median %7.3f ms   max %7.3f ms\n", name, ms[ms.size() / 2], ms.last());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QProcess sink;
    sink.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_smtpsink"), {});
    if (!sink.waitForReadyRead(5000)) {
        std::fprintf(stderr, "the sink did not start\n");
        return 1;
    }
    const int port = sink.readLine().trimmed().toInt();

    SendParams params{QStringLiteral("5551234@fax1.example"), QStringLiteral("joe@example.org"),
                      QStringLiteral("Benchmark"), faxText(), QString()};
    QString statusText;
    Quiet ui;
    TcpSmtpSocket socket;
    SmtpSession session(socket, params, statusText, ui, ui);
    QEventLoop loop;
    QObject::connect(&session, &SmtpSession::finished, &loop, &QEventLoop::quit);

    // The same bytes the session puts between DATA and the final dot.
    QTemporaryDir dir;
    QFile message(dir.filePath(QStringLiteral("message.txt")));
    if (!message.open(QIODevice::WriteOnly))
        return 1;
    message.write("Subject:Benchmark\r\nTo:5551234@fax1.example\r\n\r\n");
    message.write(params.message.toLatin1() + "\r\n");
    message.close();
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(BENCH_DIR "/smtplib_send.py"),
                                                      QString::number(port), message.fileName()});
    if (!python.waitForStarted()) {
        std::fprintf(stderr, "cannot start /usr/bin/python3\n");
        return 1;
    }

    // One of ours, then one of smtplib's, so that both see the same machine.
    QList<double> ours;
    QList<double> theirs;
    for (int i = 0; i < Count; ++i) {
        QElapsedTimer t;
        t.start();
        statusText.clear();
        session.send_mail({}, {}, QStringLiteral("127.0.0.1:%1").arg(port), {}, {}, statusText);
        loop.exec();
        ours.append(t.nsecsElapsed() / 1e6);
        if (statusText != QStringLiteral("Sent OK.")) {
            std::fprintf(stderr, "send %d failed: %s\n", i, qPrintable(statusText));
            return 1;
        }
        python.write("go\n");
        while (!python.canReadLine()) {
            if (!python.waitForReadyRead(10000)) {
                std::fprintf(stderr, "smtplib failed: %s\n",
                             python.readAllStandardError().constData());
                return 1;
            }
        }
        theirs.append(python.readLine().trimmed().toDouble());
    }
    python.closeWriteChannel();
    python.waitForFinished();
    sink.kill();
    sink.waitForFinished();

    report("quillon", ours);
    report("smtplib", theirs);
    std::sort(ours.begin(), ours.end());
    std::sort(theirs.begin(), theirs.end());
    const double ratio = ours[Count / 2] / theirs[Count / 2];
    const bool ok = ratio <= 1.0 && ours.last() <= 10.0;
    std::printf("median ratio %.2f (target <= 1.0), max %.3f ms (target <= 10 ms)\n%s\n", ratio,
                ours.last(), ok ? "all targets met" : "TARGET MISSED");
    return ok ? 0 : 2;
}
