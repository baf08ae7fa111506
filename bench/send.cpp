// Sends a 10,000-character, 200-line fax through the real SMTP session and
// socket to a local sink, interleaved with Python's smtplib sending the same
// bytes to the same sink in the same run, in these cases:
//   D = 0   the sink answers at once (200 messages each)
//   D = 10  every round trip to the sink takes 10 ms, as to a distant
//           server (50 messages each)
//   sign-in STARTTLS and AUTH PLAIN first, smtplib doing starttls() and
//           login() (200 messages each)
// Prints each client's median and slowest time per message, the ratio of
// the medians, and how often each client waited for the server per message.

#include "account/credentials.h"
#include "benchkit.h"
#include "mail/message.h"
#include "mail/outgoing.h"
#include "smtp/session.h"
#include "smtp/sslsocket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>

#ifndef BENCH_DIR
#error BENCH_DIR must name the bench folder
#endif
#ifndef MAKE_CERTS_SCRIPT
#error MAKE_CERTS_SCRIPT must name tests/make_certs.sh
#endif

namespace {

QString faxText()
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines.append(QStringLiteral("Line %1 of the benchmark fax, padded out to fifty")
                         .arg(i, 3, 10, QLatin1Char('0'))
                         .left(48));
    return lines.join(QStringLiteral("\r\n"));
}

// A user who has given the password already.
struct Known : CredentialSource
{
    void request(const Account &, std::function<void(SignInResult)> done) override
    {
        done({SignIn{QStringLiteral("joe@example.org"), QStringLiteral("secret"), {}, false}, {}});
    }
    void refused(const Account &) override {}
};

struct Case
{
    const char *name;
    int delay;
    int count;
    double maxRatio;
    double maxMs; // 0: no limit on the slowest message
    bool signIn;
};

// The sink's certificate and its issuer, made by the tests' script.
struct Certificates
{
    QTemporaryDir dir;
    bool made = false;
    QString file(const char *name) const { return dir.filePath(QLatin1StringView(name)); }
};

struct Client
{
    QList<double> ms;
    double waits = 0;

    double median() const { return ms[ms.size() / 2]; }
};

// The sink's count of waits for the connection that just ended.
bool readWaits(QProcess &sink, Client &client)
{
    const auto line = lineFrom(sink);
    if (!line || !line->startsWith("waits "))
        return false;
    client.waits += line->mid(6).toDouble();
    return true;
}

bool run(const Case &c, const mail::Outgoing &params, const QString &messageFile,
         const Certificates &certs, Client &ours, Client &theirs)
{
    QStringList sinkArgs = {QStringLiteral("--delay"), QString::number(c.delay)};
    if (c.signIn)
        sinkArgs << QStringLiteral("--tls") << certs.file("server.pem") << certs.file("server.key");
    QProcess sink;
    sink.start(QStringLiteral("/usr/bin/python3"),
               QStringList{QStringLiteral(BENCH_DIR "/smtpsink.py")} + sinkArgs);
    const auto port = lineFrom(sink);
    if (!port) {
        std::fprintf(stderr, "the sink did not start\n");
        return false;
    }
    QStringList pythonArgs = {QStringLiteral(BENCH_DIR "/smtplib_send.py"),
                              QString::fromLatin1(*port), messageFile};
    if (c.signIn)
        pythonArgs << certs.file("ca.pem");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), pythonArgs);
    if (!python.waitForStarted()) {
        std::fprintf(stderr, "cannot start /usr/bin/python3\n");
        return false;
    }

    QString statusText;
    SslSmtpSocket socket(c.signIn ? QSslCertificate::fromPath(certs.file("ca.pem"))
                                  : QList<QSslCertificate>());
    SmtpSession session(socket);
    Known known;
    session.setCredentialSource(&known);
    QEventLoop loop;
    QObject::connect(&session, &SmtpSession::finished, &loop, [&](const QString &outcome) {
        statusText = outcome;
        loop.quit();
    });
    const QString server =
        (c.signIn ? QStringLiteral("starttls://127.0.0.1:") : QStringLiteral("127.0.0.1:")) +
        QString::fromLatin1(*port);

    // One of ours, then one of smtplib's, so that both see the same machine.
    for (int i = 0; i < c.count; ++i) {
        QElapsedTimer t;
        t.start();
        statusText = QStringLiteral("Cannot connect to SMTP server");
        if (session.start({server, params}))
            loop.exec();
        ours.ms.append(t.nsecsElapsed() / 1e6);
        if (statusText != QStringLiteral("Sent OK.") || !readWaits(sink, ours)) {
            std::fprintf(stderr, "send %d failed: %s\n", i, qPrintable(statusText));
            return false;
        }
        python.write("go\n");
        const auto ms = lineFrom(python);
        if (!ms || !readWaits(sink, theirs)) {
            std::fprintf(stderr, "smtplib failed: %s\n", python.readAllStandardError().constData());
            return false;
        }
        theirs.ms.append(ms->toDouble());
    }
    python.closeWriteChannel();
    python.waitForFinished();
    sink.kill();
    sink.waitForFinished();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const mail::Outgoing params{QStringLiteral("5551234@fax1.example"),
                            QStringLiteral("joe@example.org"), QStringLiteral("Benchmark"),
                            faxText(), {}};

    // smtplib sends the message the session builds, byte for byte.
    QTemporaryDir dir;
    QFile message(dir.filePath(QStringLiteral("message.txt")));
    if (!message.open(QIODevice::WriteOnly))
        return 1;
    message.write(
        mail::build(params, QStringLiteral("client.example"), true, mail::Stamp::now()).data);
    message.close();

    Certificates certs;
    QProcess make;
    make.start(QStringLiteral("bash"), {QStringLiteral(MAKE_CERTS_SCRIPT), certs.dir.path()});
    if (!make.waitForFinished(60000) || make.exitCode() != 0) {
        std::fprintf(stderr, "cannot make the certificates\n");
        return 1;
    }

    const Case cases[] = {
        {"D = 0", 0, 200, 1.0, 10.0, false},
        {"D = 10", 10, 50, 0.75, 0.0, false},
        {"sign-in", 0, 200, 1.0, 0.0, true},
    };
    bool ok = true;
    for (const Case &c : cases) {
        Client ours;
        Client theirs;
        if (!run(c, params, message.fileName(), certs, ours, theirs))
            return 1;
        std::sort(ours.ms.begin(), ours.ms.end());
        std::sort(theirs.ms.begin(), theirs.ms.end());
        const double ratio = ours.median() / theirs.median();
        const bool met = ratio <= c.maxRatio && (c.maxMs == 0 || ours.ms.last() <= c.maxMs);
        ok = ok && met;
        std::printf("%s\n", c.name);
        std::printf("  quillon  median %8.3f ms   max %8.3f ms   %.1f waits per message\n",
                    ours.median(), ours.ms.last(), ours.waits / c.count);
        std::printf("  smtplib  median %8.3f ms   max %8.3f ms   %.1f waits per message\n",
                    theirs.median(), theirs.ms.last(), theirs.waits / c.count);
        std::printf("  median ratio %.2f (target <= %.2f)", ratio, c.maxRatio);
        if (c.maxMs > 0)
            std::printf(", max %.3f ms (target <= %.0f ms)", ours.ms.last(), c.maxMs);
        std::printf("  %s\n", met ? "met" : "MISSED");
    }
    std::printf("%s\n", ok ? "all targets met" : "TARGET MISSED");
    return ok ? 0 : 2;
}
