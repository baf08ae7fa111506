// Faxing from other programs, against what a user or a script would
// otherwise wait for.
//  1. Printing: from `lp` returning to the document shown in a running
//     Quillon's strip, a 10-page PDF through a cupsd of the benchmark's own
//     with CUPS's filters (median <= 1.5 s). Needs root, as CUPS's backend.
//  2. From scripts: `quillon --send` of a one-page fax to the sink, process
//     start included, against a command that sends the same bytes with
//     Python's smtplib (median ratio <= 1.0).

#include "benchkit.h"
#include "documentfiles.h"
#include "mail/message.h"
#include "mail/messagestream.h"
#include "print/printspool.h"
#include "privatecupsd.h"
#include "shellfixture.h"
#include "ui/frmmain.h"
#include "windowdriver.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

bool printing(double &ms)
{
    QTemporaryDir dir;
    PrivateCupsd cupsd;
    if (const QString error = cupsd.start(QStringLiteral(CUPS_BACKEND), QStringLiteral(QUILLON_PPD));
        !error.isEmpty()) {
        std::fprintf(stderr, "cupsd: %s\n", qPrintable(error));
        return false;
    }
    qputenv("QUILLON_SPOOL", QFile::encodeName(cupsd.spool()));
    writeBytes(dir.filePath(QStringLiteral("qln.rss")), "    ");
    Shell shell(dir.path());
    if (!shell.start().isEmpty())
        return false;
    const QString pdf = documentfiles::pdf(dir.filePath(QStringLiteral("ten.pdf")), 10);
    QList<double> times;
    for (int i = 0; i < 7; ++i) {
        const QString shownBefore = shown(shell.mainWindow(), "lblStatus");
        QElapsedTimer t;
        t.start();
        cupsd.print(pdf, QStringLiteral("Job %1").arg(i));
        t.restart(); // from lp returning
        const QString expected = QStringLiteral("%1 documents, %2 pages").arg(i + 1).arg(10 * (i + 1));
        while (shown(shell.mainWindow(), "lblStatus") !=
                   (i == 0 ? QStringLiteral("1 document, 10 pages") : expected) &&
               t.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (t.elapsed() >= 60000) {
            std::fprintf(stderr, "job %d never shown (status: %s)\n", i, qPrintable(shownBefore));
            return false;
        }
        times.append(t.nsecsElapsed() / 1e6);
    }
    ms = median(times);
    return true;
}

bool fromScripts(double &ours, double &theirs)
{
    QTemporaryDir dir;
    QProcess sink;
    sink.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(BENCH_DIR "/smtpsink.py")});
    const auto port = lineFrom(sink);
    if (!port)
        return false;
    writeBytes(dir.filePath(QStringLiteral("qln.rss")), "    ");
    writeBytes(dir.filePath(QStringLiteral("qln.db")),
               settingsBytes({}, "127.0.0.1:" + *port, "joe@example.org", {}));
    const QString program = dir.filePath(QStringLiteral("quillon"));
    QFile::copy(QStringLiteral(QUILLON_BINARY), program);
    const QString pdf = documentfiles::pdf(dir.filePath(QStringLiteral("page.pdf")), 1);
    // smtplib sends the message Quillon builds, byte for byte.
    const mail::Outgoing outgoing{QStringLiteral("5551234@fax1.example"),
                                  QStringLiteral("joe@example.org"), QStringLiteral("Benchmark"),
                                  QStringLiteral("One page."),
                                  {documentfiles::enclosure(pdf, "application/pdf")}};
    const mail::Message m = mail::build(outgoing, QStringLiteral("client.example"), true,
                                        mail::Stamp::now());
    MessageStream stream(m);
    QByteArray bytes;
    while (!stream.atEnd())
        bytes += stream.read(1 << 20);
    writeBytes(dir.filePath(QStringLiteral("message.eml")), bytes);

    auto timed = [](const QString &command, const QStringList &args) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(command, args);
        p.waitForFinished(60000);
        return p.exitCode() == 0 ? t.nsecsElapsed() / 1e6 : -1.0;
    };
    QList<double> mine, python;
    for (int i = 0; i < 15; ++i) {
        const double a = timed(program, {QStringLiteral("--send"), QStringLiteral("--to"),
                                         QStringLiteral("Jane"), QStringLiteral("--fax"),
                                         QStringLiteral("5551234"), QStringLiteral("--provider"),
                                         QStringLiteral("Fax1"), QStringLiteral("--subject"),
                                         QStringLiteral("Benchmark"), QStringLiteral("--message"),
                                         QStringLiteral("One page."), pdf});
        const double b = timed(QStringLiteral("/usr/bin/python3"),
                               {QStringLiteral(BENCH_DIR "/smtplib_cli.py"), QString::fromLatin1(*port),
                                dir.filePath(QStringLiteral("message.eml"))});
        if (a < 0 || b < 0 || !lineFrom(sink) || !lineFrom(sink))
            return false;
        mine.append(a);
        python.append(b);
    }
    sink.kill();
    sink.waitForFinished();
    ours = median(mine);
    theirs = median(python);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Shell::prepareApplication();
    bool met = true;
    if (::getuid() == 0) {
        double ms = 0;
        if (!printing(ms))
            return 1;
        const bool ok = ms <= 1500;
        met = met && ok;
        std::printf("print a 10-page PDF: lp to the strip, median %.0f ms (target <= 1500 ms)  %s\n",
                    ms, ok ? "met" : "MISSED");
    } else {
        std::printf("print: skipped, CUPS runs the backend as root only\n");
    }
    double ours = 0, theirs = 0;
    if (!fromScripts(ours, theirs))
        return 1;
    const double ratio = ours / theirs;
    met = met && ratio <= 1.0;
    std::printf("quillon --send    median %7.1f ms\nsmtplib command   median %7.1f ms\n"
                "  median ratio %.2f (target <= 1.0)  %s\n",
                ours, theirs, ratio, ratio <= 1.0 ? "met" : "MISSED");
    std::printf(met ? "all targets met\n" : "TARGET MISSED\n");
    return met ? 0 : 1;
}
