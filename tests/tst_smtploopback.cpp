#include "realsender.h"
#include "scriptedserver.h"
#include "sessionfixture.h"
using Action = ScriptedServer::Action;

class TestSmtpLoopback : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void wireBytes();
    void failures_data();
    void failures();
    void connectionRefused();
    void ipv6WithPort();

private:
    QString send(const QString &server);

    std::unique_ptr<RealSender> m_sender;
};

void TestSmtpLoopback::init()
{
    OutboxParts parts;
    parts.timeouts = {3000ms, 1000ms, 1000ms};
    parts.machineName = QStringLiteral("client.example");
    m_sender = std::make_unique<RealSender>(QList<QSslCertificate>(), std::move(parts));
    m_sender->waitMs = 5000;
}

QString TestSmtpLoopback::send(const QString &server)
{
    return m_sender->send(server, QStringLiteral("555@fax1.example"), QString(),
                          QStringLiteral("Price \u20ac5"), QStringLiteral("one\r\n.\r\ntwo"));
}

void TestSmtpLoopback::wireBytes()
{
    ScriptedServer server;
    QVERIFY(server.listening);
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.server.serverPort());
    QCOMPARE(send(address), QStringLiteral("Sent OK."));
    QCOMPARE(masked(QString::fromLatin1(server.received)),
             crlf("EHLO client.example") + crlf("MAIL FROM:<joe@example.org>") +
                 crlf("RCPT TO:<555@fax1.example>") + crlf("DATA") +
                 headers(crlf("Subject: =?windows-1252?Q?Price_=805?=")) + crlf("one") +
                 crlf("..") + crlf("two") + crlf(".") + crlf("QUIT"));
}

void TestSmtpLoopback::failures_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("action");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("status");
    const char *steps[] = {"greeting", "EHLO", "MAIL", "RCPT", "DATA", "dot", "QUIT"};
    for (int step = 0; step <= 6; ++step) {
        const bool after = step == 6; // the message is in once QUIT is out
        const QString ok = QStringLiteral("Sent OK.");
        auto row = [&](const char *what, Action a, const QByteArray &reply, const QString &status) {
            QTest::addRow("%s %s", steps[step], what) << step << int(a) << reply << status;
        };
        row("closes", Action::Close, {},
            after ? ok : QStringLiteral("SMTP Error: connection closed by server"));
        row("silent", Action::Silent, {},
            after ? ok : QStringLiteral("SMTP Error: no reply from server"));
        for (const char *code : {"421 closing", "450 busy", "550 refused", "554 failed"})
            row(code, Action::Reply, code,
                after ? ok : QStringLiteral("SMTP Error: %1\r\n").arg(QLatin1StringView(code)));
        row("garbage", Action::Garbage, {},
            after ? ok : QStringLiteral("SMTP Error: hello there\r\n"));
    }
}

void TestSmtpLoopback::failures()
{
    QFETCH(int, step);
    QFETCH(int, action);
    QFETCH(QByteArray, reply);
    QFETCH(QString, status);
    ScriptedServer server;
    QVERIFY(server.listening);
    server.failStep = step;
    server.action = Action(action);
    server.reply = reply;
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.server.serverPort());
    QCOMPARE(send(address), status);
    QVERIFY(m_sender->box.shown.isEmpty());

    server.failStep = -1;
    QCOMPARE(send(address), QStringLiteral("Sent OK."));
}

void TestSmtpLoopback::connectionRefused()
{
    quint16 port;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    const QString status = send(QStringLiteral("127.0.0.1:%1").arg(port));
    QCOMPARE(status, QStringLiteral("SMTP Error: Connection refused"));
    QCOMPARE(m_sender->box.shown,
             QStringList{QStringLiteral(
                 "Winsock Error | Winsock Error number 10061\r\nConnection refused")});

    ScriptedServer server;
    QVERIFY(server.listening);
    QCOMPARE(send(QStringLiteral("localhost:%1").arg(server.server.serverPort())),
             QStringLiteral("Sent OK."));
}

void TestSmtpLoopback::ipv6WithPort()
{
    ScriptedServer server(QHostAddress::LocalHostIPv6);
    if (!server.listening)
        QSKIP("no IPv6 loopback here");
    QCOMPARE(send(QStringLiteral("[::1]:%1").arg(server.server.serverPort())),
             QStringLiteral("Sent OK."));
}

QTEST_GUILESS_MAIN(TestSmtpLoopback)
#include "tst_smtploopback.moc"
