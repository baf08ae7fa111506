#include "realsender.h"
#include "smtpcapture.h"
#include "tlsscriptedserver.h"

#include <QTest>

#ifndef MAKE_CERTS_SCRIPT
#error MAKE_CERTS_SCRIPT must name tests/make_certs.sh
#endif

namespace {

// A fax with accents, € and a "." line, to `server`.
QString sendFax(RealSender &sender, const QString &server)
{
    return sender.send(server, QStringLiteral("Jane"), QStringLiteral("555 1234"),
                       QStringLiteral("Angebot f\u00fcr M\u00fcller"),
                       QStringLiteral("Preis: 100 \u20ac\r\n.\r\nJoe"));
}

bool portIsFree(quint16 port)
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, port);
}

} // namespace

// Secure submission against real TLS: aiosmtpd with certificates the test
// makes, and a scripted server for the attacks and bad certificates.
class TestSecureSend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void signedInSendArrives_data();
    void signedInSendArrives();
    void wrongPasswordThenTheRightOne();
    void plainNeverSignsIn();
    void refusedBeforeAnythingIsSent_data();
    void refusedBeforeAnythingIsSent();

private:
    QString file(const char *name) const { return m_certs.filePath(QLatin1StringView(name)); }
    QList<QSslCertificate> issuer() const { return QSslCertificate::fromPath(file("ca.pem")); }

    QTemporaryDir m_certs;
};

void TestSecureSend::initTestCase()
{
    QProcess make;
    make.start(QStringLiteral("bash"), {QStringLiteral(MAKE_CERTS_SCRIPT), m_certs.path()});
    QVERIFY(make.waitForFinished(60000));
    QVERIFY2(make.exitCode() == 0, make.readAllStandardError().constData());
    QCOMPARE(issuer().size(), 1);
}

void TestSecureSend::signedInSendArrives_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("setting"); // %1: the server's port
    QTest::addColumn<int>("fixedPort");   // 0: any free one
    QTest::addColumn<QString>("signedInAs");
    const QStringList starttls = {QStringLiteral("--starttls"), QStringLiteral("<cert>"),
                                  QStringLiteral("<key>")};
    const QStringList tls = {QStringLiteral("--tls"), QStringLiteral("<cert>"),
                             QStringLiteral("<key>")};
    const QStringList auth = {QStringLiteral("--auth"), QStringLiteral("joe@example.org"),
                              QStringLiteral("s3cret p\u00e4ss")};
    const QString joe = QStringLiteral("joe@example.org");
    QTest::newRow("587, STARTTLS and PLAIN") << starttls + auth << "127.0.0.1:%1" << 587 << joe;
    QTest::newRow("LOGIN only") << starttls + auth + QStringList{QStringLiteral("--only-login")}
                                << "starttls://127.0.0.1:%1" << 0 << joe;
    QTest::newRow("465, TLS from the first byte") << tls + auth << "127.0.0.1:%1" << 465 << joe;
    QTest::newRow("starttls:// on a free port")
        << starttls + auth << "starttls://localhost:%1" << 0 << joe;
    QTest::newRow("smtps:// on a free port") << tls + auth << "smtps://127.0.0.1:%1" << 0 << joe;
    QTest::newRow("no AUTH offered: a relay") << starttls + QStringList{QStringLiteral("--no-auth")}
                                              << "starttls://127.0.0.1:%1" << 0 << QString();
}

void TestSecureSend::signedInSendArrives()
{
    QFETCH(QStringList, options);
    QFETCH(QString, setting);
    QFETCH(int, fixedPort);
    QFETCH(QString, signedInAs);
    if (fixedPort && !portIsFree(quint16(fixedPort)))
        QSKIP("the port is taken or needs privileges here");
    options.replaceInStrings(QStringLiteral("<cert>"), file("server.pem"));
    options.replaceInStrings(QStringLiteral("<key>"), file("server.key"));
    if (fixedPort)
        options << QStringLiteral("--port") << QString::number(fixedPort);
    SmtpCapture server;
    QVERIFY2(server.start(options), qPrintable(server.errors()));
    RealSender sender(issuer());
    sender.prompt.passwords = {QStringLiteral("s3cret p\u00e4ss")};

    QCOMPARE(sendFax(sender, setting.arg(server.port)), QStringLiteral("Sent OK."));
    // A relay that asks for no sign-in is not given a password.
    const int asked = signedInAs.isEmpty() ? 0 : 1;
    QCOMPARE(sender.prompt.asked.size(), asked);
    QCOMPARE(server.messages().size(), 1);
    const QJsonObject got = server.messages().first();
    QVERIFY(got[QStringLiteral("tls")].toBool());
    QCOMPARE(got[QStringLiteral("signed_in_as")].toString(), signedInAs);
    const QJsonObject parsed = got[QStringLiteral("parsed")].toObject();
    QCOMPARE(parsed[QStringLiteral("subject")].toString(),
             QStringLiteral("Angebot f\u00fcr M\u00fcller"));
    QCOMPARE(parsed[QStringLiteral("body")].toString(),
             QStringLiteral("Preis: 100 \u20ac\r\n.\r\nJoe\r\n"));

    // The password is kept: the next Send asks nothing.
    QCOMPARE(sendFax(sender, setting.arg(server.port)), QStringLiteral("Sent OK."));
    QCOMPARE(sender.prompt.asked.size(), asked);
}

void TestSecureSend::wrongPasswordThenTheRightOne()
{
    SmtpCapture server;
    QVERIFY2(server.start({QStringLiteral("--starttls"), file("server.pem"), file("server.key"),
                           QStringLiteral("--auth"), QStringLiteral("joe@example.org"),
                           QStringLiteral("right")}),
             qPrintable(server.errors()));
    RealSender sender(issuer());
    const QString setting = QStringLiteral("starttls://127.0.0.1:%1").arg(server.port);
    sender.prompt.passwords = {QStringLiteral("wrong"), QStringLiteral("right")};

    QCOMPARE(sendFax(sender, setting),
             QStringLiteral("SMTP Error: 535 5.7.8 Authentication credentials invalid\r\n"));
    QVERIFY(sender.keyring->entries.isEmpty()); // remembered, then forgotten
    QCOMPARE(sendFax(sender, setting), QStringLiteral("Sent OK."));
    QCOMPARE(sender.prompt.asked.size(), 2);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(sender.keyring->entries.size(), 1);
    QVERIFY(!sender.status.history.join(u'|').contains(QStringLiteral("right")));
    QVERIFY(!sender.status.history.join(u'|').contains(QStringLiteral("wrong")));
}

void TestSecureSend::plainNeverSignsIn()
{
    SmtpCapture server;
    QVERIFY2(server.start({QStringLiteral("--auth-optional")}), qPrintable(server.errors()));
    RealSender sender(issuer());
    sender.prompt.passwords = {QStringLiteral("never asked")};
    QCOMPARE(sendFax(sender, QStringLiteral("127.0.0.1:%1").arg(server.port)),
             QStringLiteral("Sent OK."));
    QVERIFY(sender.prompt.asked.isEmpty());
    QCOMPARE(server.messages().size(), 1);
    QVERIFY(server.messages().first()[QStringLiteral("signed_in_as")].isNull());
}

void TestSecureSend::refusedBeforeAnythingIsSent_data()
{
    QTest::addColumn<QString>("certificate");
    QTest::addColumn<bool>("implicitTls");
    QTest::addColumn<QByteArray>("ehlo");
    QTest::addColumn<QByteArray>("startTlsReply");
    QTest::addColumn<QString>("status");
    const QByteArray offered = "250-mail.example\r\n250-STARTTLS\r\n250 AUTH PLAIN LOGIN\r\n";
    const QByteArray go = "220 2.0.0 go ahead\r\n";
    const QString noTls =
        QStringLiteral("SMTP Error: the server does not offer encryption; nothing was sent");
    const QString insecure = QStringLiteral("SMTP Error: cannot set up a secure connection: ");
    QTest::newRow("no STARTTLS") << "server" << false
                                 << QByteArray("250-mail.example\r\n250 AUTH PLAIN LOGIN\r\n") << go
                                 << noTls;
    QTest::newRow("STARTTLS refused")
        << "server" << false << offered << QByteArray("454 4.7.0 TLS not available\r\n") << noTls;
    QTest::newRow("injected after the go-ahead")
        << "server" << false << offered
        << QByteArray("220 2.0.0 go ahead\r\n250-mail.example\r\n250 AUTH PLAIN\r\n")
        << QStringLiteral("SMTP Error: the server sent data before encryption started");
    for (bool implicitTls : {false, true}) {
        const char *how = implicitTls ? "TLS" : "STARTTLS";
        QTest::addRow("%s, unknown issuer", how)
            << "untrusted" << implicitTls << offered << go
            << insecure + QStringLiteral("the certificate is not from a trusted issuer");
        QTest::addRow("%s, another name", how)
            << "other" << implicitTls << offered << go
            << insecure + QStringLiteral("the certificate is for another name than 127.0.0.1");
        QTest::addRow("%s, expired", how)
            << "expired" << implicitTls << offered << go
            << insecure + QStringLiteral("the certificate has expired");
    }
}

// Each ends the Send before a sender, recipient or password goes out.
void TestSecureSend::refusedBeforeAnythingIsSent()
{
    QFETCH(QString, certificate);
    QFETCH(bool, implicitTls);
    QFETCH(QByteArray, ehlo);
    QFETCH(QByteArray, startTlsReply);
    QFETCH(QString, status);
    TlsScriptedServer server(file((certificate + QStringLiteral(".pem")).toLatin1().constData()),
                             file("server.key"), implicitTls);
    QVERIFY(server.listening);
    server.ehlo = ehlo;
    server.startTlsReply = startTlsReply;
    RealSender sender(issuer());
    sender.prompt.passwords = {QStringLiteral("secret")};
    const QString scheme = implicitTls ? QStringLiteral("smtps") : QStringLiteral("starttls");
    QCOMPARE(
        sendFax(sender, QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(server.serverPort())),
        status);
    QTest::qWait(50); // anything the client might still send reaches the log
    QVERIFY2(!server.log.contains("MAIL FROM"), server.log.constData());
    QVERIFY2(!server.log.contains("AUTH"), server.log.constData());
    QVERIFY2(!server.log.contains("c2VjcmV0"), server.log.constData());
}

QTEST_GUILESS_MAIN(TestSecureSend)
#include "tst_securesend.moc"
