// Delivery reports read over IMAP, from a Dovecot of the benchmark's own.
//  1. From a report saved into the inbox to the watch telling it (the
//     status line is set on that signal), with IDLE: median <= 1 s.
//  2. The first catch-up on an inbox of 20,000 messages holding 10 reports,
//     against Python's imaplib doing the same search and fetches on the
//     same server (median ratio <= 1.0); the bytes read from the server
//     <= 2 x the reports' size.
//  3. The memory the watch adds while it waits on that inbox: <= 2 MB.

#include "benchkit.h"
#include "privatedovecot.h"
#include "procmemory.h"
#include "reports/deliverywatch.h"
#include "imap/command.h"
#include "smtp/sslsocket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <cstdio>
#include <random>

namespace {

constexpr int Reports = 10;
constexpr int Inbox = 20000;

// The sign-in the user gave.
class GivenSignIn final : public CredentialSource
{
public:
    void request(const Account &, std::function<void(SignInResult)> done) override
    {
        done(SignInResult{SignIn{PrivateDovecot::User, PrivateDovecot::Password, {}, false}, {}});
    }
    void refused(const Account &) override {}
};

// The TLS socket, counting the bytes the server sends.
class CountingSocket final : public SmtpSocket
{
public:
    explicit CountingSocket(const QList<QSslCertificate> &issuers) : m_socket(issuers)
    {
        connect(&m_socket, &SmtpSocket::connected, this, &SmtpSocket::connected);
        connect(&m_socket, &SmtpSocket::encrypted, this, &SmtpSocket::encrypted);
        connect(&m_socket, &SmtpSocket::dataArrival, this, &SmtpSocket::dataArrival);
        connect(&m_socket, &SmtpSocket::bytesWritten, this, &SmtpSocket::bytesWritten);
        connect(&m_socket, &SmtpSocket::closedByPeer, this, &SmtpSocket::closedByPeer);
        connect(&m_socket, &SmtpSocket::error, this, &SmtpSocket::error);
        connect(&m_socket, &SmtpSocket::tlsError, this, &SmtpSocket::tlsError);
    }
    bool connectToServer(const QString &h, quint16 p, bool t) override
    {
        return m_socket.connectToServer(h, p, t);
    }
    void startEncryption() override { m_socket.startEncryption(); }
    void sendData(const QByteArray &b) override { m_socket.sendData(b); }
    qint64 bytesToWrite() const override { return m_socket.bytesToWrite(); }
    QString getData() override
    {
        const QString data = m_socket.getData();
        received += data.size();
        return data;
    }
    void close() override { m_socket.close(); }
    QHostAddress localAddress() const override { return m_socket.localAddress(); }
    QString protection() const override { return m_socket.protection(); }
    qint64 received = 0;

private:
    SslSmtpSocket m_socket;
};

QByteArray report(int n)
{
    // As the receiving server passes it on: its word that the gateway
    // signed it, under the name the benchmark reaches Dovecot by.
    return QStringLiteral("Authentication-Results: 127.0.0.1; dkim=pass header.d=fax1.example\r\n"
                          "Received: from gw.fax1.example by mx.example.org; Tue, 8 Dec 2026 14:06:00 +0000\r\n"
                          "From: Fax1 Reports <reports@fax1.example>\r\nTo: joe@example.org\r\n"
                          "Date: %1\r\nMessage-ID: <report%2.%3@fax1.example>\r\n"
                          "Subject: Successfully sent fax to Jane Doe (+1555123%4)\r\n"
                          "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
                          "Your fax of 3 pages was delivered at 2026-12-08 14:05:11.\r\n"
                          "Thank you for using Fax1.\r\n")
        .arg(QDateTime::currentDateTime().toString(Qt::RFC2822Date))
        .arg(n)
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(4000 + n, 4, 10, QLatin1Char('0'))
        .toUtf8();
}

// The Sent copies of faxes waiting for reports, numbers 555 123 4000 on.
void sentFaxes(const QString &dataFolder, int from, int count)
{
    QDir(dataFolder).mkpath(QStringLiteral("Sent/cur"));
    const QDateTime now = QDateTime::currentDateTime();
    for (int n = from; n < from + count; ++n) {
        QFile copy(QStringLiteral("%1/Sent/cur/%2.M%3P1Q1.bench:2,S")
                       .arg(dataFolder)
                       .arg(now.toSecsSinceEpoch())
                       .arg(n, 6, 10, QLatin1Char('0')));
        if (!copy.open(QIODevice::WriteOnly))
            qFatal("cannot write a Sent copy");
        copy.write(QStringLiteral("X-Quillon-Sent: %1\r\nX-Quillon-Fax: 555 123 %2\r\n"
                                  "From: joe@example.org\r\nTo: 555123%2@fax1.example\r\n"
                                  "Subject: Fax %3\r\nMessage-ID: <fax%3@example.org>\r\n\r\nHi\r\n")
                       .arg(now.addSecs(-60).toString(Qt::RFC2822Date))
                       .arg(4000 + n, 4, 10, QLatin1Char('0'))
                       .arg(n)
                       .toUtf8());
    }
}

struct Watch
{
    Watch(const QString &folder, const PrivateDovecot &dovecot)
        : socket(QSslCertificate::fromPath(dovecot.issuer())), watch(folder, socket, user)
    {
        watch.setAccount(WatchAccount{
            *ServerAddress::parseImap(QStringLiteral("imaps://127.0.0.1:%1").arg(dovecot.imapsPort)),
            Account{QStringLiteral("127.0.0.1"), dovecot.imapsPort, PrivateDovecot::User}});
    }
    GivenSignIn user;
    CountingSocket socket;
    DeliveryWatch watch;
};

bool waitFor(QSignalSpy &spy, int count, int ms = 60000)
{
    QElapsedTimer t;
    t.start();
    while (spy.size() < count && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return spy.size() >= count;
}

// 1: from the report saved to the watch telling it.
double latency(const PrivateDovecot &dovecot)
{
    QTemporaryDir folder;
    sentFaxes(folder.path(), 100, 8);
    Watch w(folder.path(), dovecot);
    QSignalSpy reported(&w.watch, &DeliveryWatch::reported);
    w.watch.check();
    QTest::qWait(1500); // signed in, caught up, idling
    QList<double> times;
    for (int i = 0; i < 7; ++i) {
        PrivateDovecot &d = const_cast<PrivateDovecot &>(dovecot);
        if (!d.deliver(report(100 + i)))
            return -1;
        QElapsedTimer t;
        t.start();
        if (!waitFor(reported, i + 1, 20000))
            return -1;
        times.append(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// An inbox of `Inbox` messages from many senders, `Reports` of them reports.
qint64 bigInbox(const PrivateDovecot &dovecot)
{
    const QString cur = dovecot.maildir() + QStringLiteral("/cur");
    QDir().mkpath(cur);
    QDir().mkpath(dovecot.maildir() + QStringLiteral("/new"));
    QDir().mkpath(dovecot.maildir() + QStringLiteral("/tmp"));
    std::mt19937 random(42);
    qint64 reportBytes = 0;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    // A month of mail, oldest first; the reports came in the last minutes.
    for (int i = 0; i < Inbox; ++i) {
        QByteArray message;
        QDateTime arrived = QDateTime::fromSecsSinceEpoch(now - (Inbox - i) * (30 * 86400 / Inbox));
        if (i % (Inbox / Reports) == Inbox / Reports / 2) {
            message = report(i / (Inbox / Reports));
            reportBytes += message.size();
            arrived = QDateTime::currentDateTime();
        } else {
            message = "From: Someone " + QByteArray::number(int(random() % 500)) +
                      " <someone" + QByteArray::number(int(random() % 500)) + "@example.com>\r\n"
                      "To: joe@example.org\r\nDate: " + arrived.toString(Qt::RFC2822Date).toUtf8() +
                      "\r\nSubject: Message " + QByteArray::number(i) + "\r\n\r\n" +
                      QByteArray(int(500 + random() % 3000), 'x') + "\r\n";
        }
        QFile f(QStringLiteral("%1/%2.M%3P1.bench:2,S").arg(cur).arg(arrived.toSecsSinceEpoch()).arg(i));
        if (!f.open(QIODevice::WriteOnly) || f.write(message) != message.size() ||
            !f.setFileTime(arrived, QFileDevice::FileModificationTime))
            qFatal("cannot write the inbox");
    }
    if (!dovecot.giveMail())
        qFatal("cannot give the inbox to its user");
    return reportBytes;
}

double imaplib(const PrivateDovecot &dovecot, int &found)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(BENCH_DIR "/imaplib_reports.py"), QString::number(dovecot.imapsPort),
             PrivateDovecot::User, PrivateDovecot::Password, dovecot.issuer(),
             QString::fromLatin1(imap::date(QDate::currentDate().addDays(-1))),
             QStringLiteral("fax1.example")});
    const std::optional<QByteArray> line = lineFrom(p);
    p.waitForFinished();
    if (!line)
        return -1;
    found = line->split(' ').value(1).toInt();
    return line->split(' ').value(0).toDouble() * 1000;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    PrivateDovecot dovecot;
    if (const QString problem = dovecot.start(); !problem.isEmpty()) {
        std::fprintf(stderr, "dovecot: %s\n", qPrintable(problem));
        return 1;
    }
    const double shown = latency(dovecot);

    PrivateDovecot big;
    if (const QString problem = big.start(); !problem.isEmpty()) {
        std::fprintf(stderr, "dovecot: %s\n", qPrintable(problem));
        return 1;
    }
    const qint64 reportBytes = bigInbox(big);
    int found = 0;
    imaplib(big, found); // Dovecot indexes the folder once
    QList<double> ours, theirs, ratios;
    qint64 received = 0;
    long added = 0;
    // In turn first, so that neither always finds the server's caches warm.
    for (int run = 0; run < 9; ++run) {
        if (run % 2)
            theirs.append(imaplib(big, found));
        QTemporaryDir folder;
        sentFaxes(folder.path(), 0, Reports);
        {
            Watch w(folder.path(), big);
            QSignalSpy reported(&w.watch, &DeliveryWatch::reported);
            const long before = statusKiB("VmRSS:");
            QElapsedTimer t;
            t.start();
            w.watch.check();
            if (!waitFor(reported, Reports)) {
                std::fprintf(stderr, "reports: %lld of %d read\n%s\n", qlonglong(reported.size()),
                             Reports, qPrintable(big.log().right(2000)));
                return 1;
            }
            ours.append(t.nsecsElapsed() / 1e6);
            received = w.socket.received;
            QTest::qWait(200);
            added = std::max(added, statusKiB("VmRSS:") - before);
        }
        if (run % 2 == 0)
            theirs.append(imaplib(big, found));
        ratios.append(ours.last() / theirs.last());
    }
    const double ratio = median(ratios);
    const bool met = shown >= 0 && shown <= 1000 && ratio <= 1.0 && received <= 2 * reportBytes &&
                     added <= 2048 && found == Reports;
    std::printf("report saved to its news, IDLE   median %6.1f ms (target <= 1000 ms)\n", shown);
    std::printf("first catch-up, %d messages:  Quillon median %.1f ms, imaplib median %.1f ms, "
                "ratio %.2f (target <= 1.0)\n",
                Inbox, median(ours), median(theirs), ratio);
    std::printf("bytes read from the server      %lld for %lld bytes of reports (target <= 2x)\n",
                qlonglong(received), qlonglong(reportBytes));
    std::printf("memory added while watching     %ld KiB (target <= 2048 KiB)\n", added);
    std::printf(met ? "all targets met\n" : "TARGET MISSED\n");
    return met ? 0 : 1;
}
