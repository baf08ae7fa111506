// The Sent folder: opening the Sent window on 10,000 copies, each with a
// 100 KB document, until its table has drawn its first rows, against
// Python's mailbox.Maildir reading the same 10,000 headers (target: ratio
// <= 0.5); and what keeping the copy adds to a Send, with the server taking
// 10 ms a round trip, against the same Send keeping none, interleaved
// (target <= 5 %).

#include "benchkit.h"
#include "mail/message.h"
#include "mail/messagestream.h"
#include "sent/sentcopy.h"
#include "smtp/session.h"
#include "smtp/sslsocket.h"
#include "ui/frmsent.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <optional>

#ifndef BENCH_DIR
#error BENCH_DIR must name the bench folder
#endif

namespace {

// 10,000 copies as Quillon keeps them, each with its own subject and the
// same 100 KB document.
bool fill(const SentFolder &folder, int count)
{
    if (!folder.prepare().isEmpty())
        return false;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("scan.pdf"));
    QByteArray bytes = "%PDF-1.4\n";
    bytes.resize(100 * 1024);
    QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(bytes.data() + 12),
                                  (bytes.size() - 12) / 4);
    QFile out(pdf);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return false;
    out.close();
    QFile written;
    FileIdentity identity;
    QString reason;
    if (openRegular(written, pdf, identity, reason) != OpenResult::Opened)
        return false;
    const Enclosure document{pdf, QStringLiteral("scan.pdf"), "application/pdf", bytes.size(),
                             {}, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256),
                             identity};
    for (int i = 0; i < count; ++i) {
        const mail::Outgoing params{QStringLiteral("5551234@fax1.example"),
                                    QStringLiteral("joe@example.org"),
                                    QStringLiteral("Invoice %1").arg(i), QStringLiteral("Attached."),
                                    {document}};
        const mail::Message m = mail::build(params, QStringLiteral("client.example"), true,
                                            mail::Stamp::now());
        MessageStream stream(m);
        QByteArray copy = SentCopy::traceFields({QStringLiteral("Jane Doe"),
                                                 QStringLiteral("555 1234"),
                                                 QStringLiteral("Fax1"), 1},
                                                QDateTime::currentDateTime(),
                                                QStringLiteral("smtp.example.org:587"),
                                                QStringLiteral("TLS 1.3"),
                                                QStringLiteral("250 2.0.0 Ok: queued"));
        while (!stream.atEnd())
            copy += stream.read(1 << 20);
        QFile file(QDir(folder.cur()).filePath(folder.uniqueName() + QStringLiteral(":2,S")));
        if (!file.open(QIODevice::WriteOnly) || file.write(copy) != copy.size())
            return false;
    }
    return true;
}

// From nothing to the table's first rows drawn, in milliseconds.
double openWindow(const QString &dataFolder, int &rows)
{
    QElapsedTimer t;
    t.start();
    frmSent window(dataFolder);
    auto *table = window.findChild<QTableView *>(QStringLiteral("lstSent"));
    bool drawn = false;
    struct Painted : QObject
    {
        bool &drawn;
        explicit Painted(bool &d) : drawn(d) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                drawn = true;
            return false;
        }
    } painted(drawn);
    table->viewport()->installEventFilter(&painted);
    window.show();
    while (!drawn)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    rows = table->model()->rowCount();
    return t.nsecsElapsed() / 1e6;
}

// Sends the benchmark fax `count` times with and without a copy kept,
// alternating, and gives the two medians.
bool keepingCost(const QString &dataFolder, int count, double &with, double &without)
{
    QProcess sink;
    sink.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(BENCH_DIR "/smtpsink.py"), QStringLiteral("--delay"),
                QStringLiteral("10")});
    const auto port = lineFrom(sink);
    if (!port)
        return false;
    QString lines;
    for (int i = 0; i < 200; ++i)
        lines += QStringLiteral("Line %1 of the benchmark fax, padded out to fifty\r\n").arg(i);
    const mail::Outgoing params{QStringLiteral("5551234@fax1.example"),
                            QStringLiteral("joe@example.org"), QStringLiteral("Benchmark"),
                            lines, {}};
    QString statusText;
    SslSmtpSocket socket;
    SmtpSession session(socket);
    SentFolder folder(dataFolder);
    SentCopy copy(folder);
    copy.expect({QStringLiteral("Jane Doe"), QStringLiteral("555 1234"), QStringLiteral("Fax1"), 0});
    QEventLoop loop;
    QObject::connect(&session, &SmtpSession::finished, &loop, [&](const QString &outcome) {
        statusText = outcome;
        loop.quit();
    });
    QList<double> kept;
    QList<double> plain;
    for (int i = 0; i < 2 * count; ++i) {
        const bool keep = i % 2 == 0;
        session.setMessageTap(keep ? &copy : nullptr);
        QElapsedTimer t;
        t.start();
        statusText = QStringLiteral("Cannot connect to SMTP server");
        if (session.start({QStringLiteral("127.0.0.1:") + QString::fromLatin1(*port), params}))
            loop.exec();
        (keep ? kept : plain).append(t.nsecsElapsed() / 1e6);
        if (statusText != QStringLiteral("Sent OK.") || !lineFrom(sink)) {
            std::fprintf(stderr, "send failed: %s\n", qPrintable(statusText));
            return false;
        }
    }
    sink.kill();
    sink.waitForFinished();
    with = median(kept);
    without = median(plain);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir data;
    constexpr int count = 10000;
    SentFolder folder(data.path());
    std::printf("writing %d copies of faxes with a 100 KB document...\n", count);
    std::fflush(stdout);
    if (!fill(folder, count))
        return 1;
    // On disk before anything is timed: a Send's copy, put on disk, would
    // otherwise carry these too.
    ::sync();

    QList<double> ours;
    QList<double> theirs;
    for (int run = 0; run < 5; ++run) {
        int rows = 0;
        ours.append(openWindow(data.path(), rows));
        if (rows != count)
            return 1;
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral(BENCH_DIR "/maildir_headers.py"), folder.path()});
        const auto ms = lineFrom(python);
        python.waitForFinished();
        if (!ms)
            return 1;
        theirs.append(ms->toDouble());
    }
    const double open = median(ours);
    const double read = median(theirs);
    const double ratio = open / read;
    bool ok = ratio <= 0.5;
    std::printf("Sent window on %d copies, first rows drawn: %.1f ms\n", count, open);
    std::printf("mailbox.Maildir reading their headers:     %.1f ms\n", read);
    std::printf("  ratio %.3f (target <= 0.5)\n", ratio);

    double with = 0;
    double without = 0;
    QTemporaryDir sends;
    if (!keepingCost(sends.path(), 50, with, without))
        return 1;
    const double extra = (with - without) / without * 100;
    ok = ok && extra <= 5;
    std::printf("a Send at 10 ms a round trip: %.2f ms keeping the copy, %.2f ms without\n", with,
                without);
    std::printf("  extra %.1f %% (target <= 5 %%)\n", extra);
    std::printf("%s\n", ok ? "all targets met" : "TARGET MISSED");
    return ok ? 0 : 2;
}
