// The SMTP server of the send benchmark: accepts connections on a loopback
// port, answers every command and discards the message. It offers
// PIPELINING, 8BITMIME and SIZE; given a certificate, STARTTLS, and after it
// AUTH PLAIN and LOGIN, taking any password.
//
// Usage: bench_smtpsink [--delay MS] [--tls CERT KEY]
// Prints its port, then, for every connection that ends, "waits N": how
// many times the client had to wait for the server. Each such round trip
// is delayed by MS milliseconds, as a distant server would be.

#include <QCoreApplication>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <cstdio>

namespace {

struct Options
{
    int delay = 0;
    QSslConfiguration tls; // null: no STARTTLS
};

class Connection : public QObject
{
public:
    Connection(qintptr descriptor, const Options &options) : m_options(options)
    {
        m_socket.setParent(this);
        m_socket.setSocketDescriptor(descriptor);
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(&m_socket, &QSslSocket::readyRead, this, &Connection::onRead);
        connect(&m_socket, &QSslSocket::disconnected, this, &Connection::finish);
        m_flush.setSingleShot(true);
        connect(&m_flush, &QTimer::timeout, this, &Connection::flush);
        reply("220 sink ready");
    }

private:
    // Replies wait, gathered, until the round trip's delay is over.
    void reply(const QByteArray &line)
    {
        m_pending += line + "\r\n";
        if (!m_flush.isActive())
            m_flush.start(m_options.delay);
    }

    void flush()
    {
        ++m_waits;
        m_socket.write(std::exchange(m_pending, QByteArray()));
        if (m_startTls) {
            m_startTls = false;
            m_socket.setSslConfiguration(m_options.tls);
            m_socket.startServerEncryption();
        }
        if (m_quit)
            m_socket.disconnectFromHost();
    }

    void onRead()
    {
        m_buffer += m_socket.readAll();
        for (;;) {
            if (m_inData) {
                const qsizetype end = m_buffer.indexOf("\r\n.\r\n");
                if (end < 0)
                    return;
                m_buffer.remove(0, end + 5);
                m_inData = false;
                reply("250 queued");
                continue;
            }
            const qsizetype end = m_buffer.indexOf("\r\n");
            if (end < 0)
                return;
            const QByteArray line = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            command(line);
        }
    }

    void command(const QByteArray &line)
    {
        const QByteArray verb = line.left(4).toUpper();
        if (m_login > 0) {
            reply(--m_login > 0 ? "334 UGFzc3dvcmQ6" : "235 2.7.0 signed in");
        } else if (verb == "EHLO") {
            const bool encrypted = m_socket.isEncrypted();
            reply("250-sink");
            reply("250-PIPELINING");
            reply("250-8BITMIME");
            if (!m_options.tls.isNull() && !encrypted)
                reply("250-STARTTLS");
            if (encrypted)
                reply("250-AUTH PLAIN LOGIN");
            reply("250 SIZE 10000000");
        } else if (verb == "STAR") {
            reply("220 go ahead");
            m_startTls = true;
        } else if (verb == "AUTH") {
            if (line.toUpper().startsWith("AUTH LOGIN")) {
                m_login = 2;
                reply("334 VXNlcm5hbWU6");
            } else {
                reply("235 2.7.0 signed in");
            }
        } else if (verb == "DATA") {
            m_inData = true;
            // the terminator search needs the line break before the dot
            m_buffer.prepend("\r\n");
            reply("354 go ahead");
        } else if (verb == "QUIT") {
            reply("221 bye");
            m_quit = true;
        } else {
            reply("250 ok");
        }
    }

    void finish()
    {
        std::printf("waits %d\n", m_waits);
        std::fflush(stdout);
        deleteLater();
    }

    const Options &m_options;
    QSslSocket m_socket;
    QTimer m_flush;
    QByteArray m_buffer;
    QByteArray m_pending;
    int m_waits = 0;
    int m_login = 0; // AUTH LOGIN lines still to come
    bool m_inData = false;
    bool m_startTls = false;
    bool m_quit = false;
};

class Sink : public QTcpServer
{
public:
    explicit Sink(const Options &options) : m_options(options) {}

protected:
    void incomingConnection(qintptr descriptor) override { new Connection(descriptor, m_options); }

private:
    const Options &m_options;
};

QSslConfiguration serverTls(const QString &certFile, const QString &keyFile)
{
    QFile cert(certFile);
    QFile key(keyFile);
    if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        return {};
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificateChain(QSslCertificate::fromDevice(&cert));
    tls.setPrivateKey(QSslKey(&key, QSsl::Ec));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--delay") && i + 1 < args.size()) {
            options.delay = args[++i].toInt();
        } else if (args[i] == QStringLiteral("--tls") && i + 2 < args.size()) {
            options.tls = serverTls(args[i + 1], args[i + 2]);
            i += 2;
        }
    }
    Sink sink(options);
    if (!sink.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "smtpsink: %s\n", qPrintable(sink.errorString()));
        return 1;
    }
    std::printf("%d\n", sink.serverPort());
    std::fflush(stdout);
    return app.exec();
}
