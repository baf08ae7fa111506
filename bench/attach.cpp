// Faxing a 20 MB PDF: through the real SMTP session and socket to the
// benchmark sink, interleaved with Python's smtplib sending an
// email.message.EmailMessage that carries the same file (built anew each
// time, as a Python program would), 10 messages each. Prints both medians
// and their ratio, and Quillon's peak memory above idle while sending. Then
// attaches a 200-page PDF the way the window does and prints the longest
// time the event loop was held up meanwhile.

#include "benchkit.h"
#include "documents/attachmentlist.h"
#include "mail/message.h"
#include "mail/outgoing.h"
#include "procmemory.h"
#include "smtp/session.h"
#include "smtp/sslsocket.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <malloc.h>
#include <cstdio>
#include <optional>

#ifndef BENCH_DIR
#error BENCH_DIR must name the bench folder
#endif

namespace {

// `pages` pages, each a line of text and, with `noisy`, a random picture
// that no compression shrinks.
QString makePdf(const QString &path, int pages, bool noisy)
{
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        QRandomGenerator random(7);
        for (int i = 0; i < pages; ++i) {
            if (i > 0)
                writer.newPage();
            painter.drawText(600, 800, QStringLiteral("Page %1").arg(i + 1));
            if (noisy) {
                QImage noise(820, 820, QImage::Format_RGB888);
                for (int y = 0; y < noise.height(); ++y)
                    random.fillRange(reinterpret_cast<quint32 *>(noise.scanLine(y)),
                                     noise.bytesPerLine() / 4);
                painter.drawImage(QRect(600, 1200, 8000, 8000), noise);
            }
        }
    }
    return path;
}

// A PDF of about `bytes`: a page's worth is measured first.
QString makePdfOfSize(const QString &path, qint64 bytes)
{
    const qint64 twoPages = QFileInfo(makePdf(path, 2, true)).size();
    return makePdf(path, int(bytes / (twoPages / 2)) + 1, true);
}

Enclosure enclosureOf(const QString &path)
{
    QFile file;
    FileIdentity identity;
    QString reason;
    if (openRegular(file, path, identity, reason) != OpenResult::Opened)
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    const QFileInfo info(path);
    return {path, info.fileName(), "application/pdf", info.size(), info.lastModified(),
            hash.result(), identity};
}

bool sendBoth(const QString &pdf, int count, QList<double> &ours, QList<double> &theirs,
              long &peakKiB)
{
    QProcess sink;
    sink.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(BENCH_DIR "/smtpsink.py")});
    const auto port = lineFrom(sink);
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(BENCH_DIR "/smtplib_attach.py"), QString::fromLatin1(*port), pdf});
    if (!port || !python.waitForStarted())
        return false;

    const mail::Outgoing params{QStringLiteral("5551234@fax1.example"),
                            QStringLiteral("joe@example.org"), QStringLiteral("Benchmark"),
                            QStringLiteral("The contract, signed."),
                            {enclosureOf(pdf)}};
    QString statusText;
    SslSmtpSocket socket;
    SmtpSession session(socket);
    QEventLoop loop;
    QObject::connect(&session, &SmtpSession::finished, &loop, [&](const QString &outcome) {
        statusText = outcome;
        loop.quit();
    });
    const QString server = QStringLiteral("127.0.0.1:") + QString::fromLatin1(*port);

    // What making the documents left in the allocator goes back first, so
    // that the send cannot hide in it.
    ::malloc_trim(0);
    const long idle = statusKiB("VmRSS:");
    resetPeak();
    for (int i = 0; i < count; ++i) {
        QElapsedTimer t;
        t.start();
        statusText = QStringLiteral("Cannot connect to SMTP server");
        if (session.start({server, params}))
            loop.exec();
        ours.append(t.nsecsElapsed() / 1e6);
        if (statusText != QStringLiteral("Sent OK.") || !lineFrom(sink)) {
            std::fprintf(stderr, "send %d failed: %s\n", i, qPrintable(statusText));
            return false;
        }
        python.write("go\n");
        const auto ms = lineFrom(python);
        if (!ms || !lineFrom(sink)) {
            std::fprintf(stderr, "smtplib failed: %s\n", python.readAllStandardError().constData());
            return false;
        }
        theirs.append(ms->toDouble());
    }
    peakKiB = statusKiB("VmHWM:") - idle;
    python.closeWriteChannel();
    python.waitForFinished();
    sink.kill();
    sink.waitForFinished();
    return true;
}

// The longest stretch, in milliseconds, that the event loop could not run
// while a document was attached, from the start until it was read.
double longestHoldUp(const QString &pdf, int &pages)
{
    AttachmentList list;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.nsecsElapsed() - last);
        last = clock.nsecsElapsed();
    });
    QEventLoop loop;
    QObject::connect(&list, &AttachmentList::attached, &loop, &QEventLoop::quit);
    tick.start();
    clock.start();
    list.attach({pdf});
    loop.exec();
    longest = std::max(longest, clock.nsecsElapsed() - last);
    pages = list.documents().isEmpty() ? 0 : list.documents().first().pages();
    return longest / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString big = makePdfOfSize(dir.filePath(QStringLiteral("contract.pdf")), 20'000'000);
    const QString thick = makePdf(dir.filePath(QStringLiteral("manual.pdf")), 200, false);
    const qint64 size = QFileInfo(big).size();
    std::printf("document: %.1f MB PDF\n", size / 1e6);

    bool ok = true;
    constexpr int count = 10;
    QList<double> ours;
    QList<double> theirs;
    long peakKiB = 0;
    if (!sendBoth(big, count, ours, theirs, peakKiB))
        return 1;
    std::sort(ours.begin(), ours.end());
    std::sort(theirs.begin(), theirs.end());
    const double ratio = ours[count / 2] / theirs[count / 2];
    const double memory = peakKiB * 1024.0 / double(size);
    ok = ok && ratio <= 1.0 && memory <= 1.5;
    std::printf("  quillon  median %8.1f ms\n  smtplib  median %8.1f ms\n", ours[count / 2],
                theirs[count / 2]);
    std::printf("  median ratio %.2f (target <= 1.0)\n", ratio);
    std::printf("  peak memory above idle while sending: %ld KiB, %.2f x the file (target <= "
                "1.5)\n",
                peakKiB, memory);

    int pages = 0;
    const double held = longestHoldUp(thick, pages);
    ok = ok && held <= 100 && pages == 200;
    std::printf("attaching a %d-page PDF: the event loop was held up %.1f ms at most (target "
                "<= 100 ms)\n",
                pages, held);
    std::printf("%s\n", ok ? "all targets met" : "TARGET MISSED");
    return ok ? 0 : 2;
}
