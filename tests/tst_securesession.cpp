#include "account/serveraddress.h"
#include "sessionfixture.h"

#include <QSignalSpy>

using Security = ServerAddress::Security;

// The session on an encrypted connection, over the scripted socket: STARTTLS
// and TLS from the first byte, sign-in, and the ways a server or a network
// can try to get a command or a password sent in the clear.
class TestSecureSession : public SessionFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_credentials = FakeCredentials();
        makeSession();
        m_session->setCredentialSource(&m_credentials);
    }
    void serverForms_data();
    void serverForms();
    void startTlsAndPlain();
    void implicitTlsAndLogin();
    void noEncryptionOffered_data();
    void noEncryptionOffered();
    void dataBeforeEncryption_data();
    void dataBeforeEncryption();
    void whatCameBeforeEncryptionIsForgotten();
    void tlsFailure();
    void handshakeTimeout();
    void signInRefused_data();
    void signInRefused();
    void noSupportedMechanism();
    void noAuthOfferedSendsWithout();
    void plainNeverSignsIn();
    void signInCancelled();
    void signInAnsweredLater();

private:
    void start(const char *server)
    {
        QVERIFY(m_session->start({QString::fromLatin1(server), m_params}));
    }
    // Plays `replies` one by one and returns every write, "<start TLS>"
    // where the client started the handshake.
    QStringList play(const QStringList &replies)
    {
        for (const QString &r : replies)
            m_socket->arrive(r);
        return m_socket->takeSent();
    }
    QString log() const { return m_socket->sent.join(QString()); }
    // TLS from the first byte: the connection, then the handshake.
    void connectEncrypted()
    {
        Q_EMIT m_socket->connected();
        Q_EMIT m_socket->encrypted();
    }

    FakeCredentials m_credentials;
    const QString ehloTls = crlf("250-mail.example") + crlf("250-STARTTLS") + crlf("250 8BITMIME");
    const QString ehloAuth =
        crlf("250-mail.example") + crlf("250-AUTH PLAIN LOGIN") + crlf("250 8BITMIME");
};

void TestSecureSession::serverForms_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("host"); // empty: refused
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("security");
    QTest::addColumn<QString>("formatted");
    auto row = [](const char *setting, const char *host, int port, Security s, const char *f) {
        QTest::newRow(setting) << QString::fromUtf8(setting) << QString::fromLatin1(host) << port
                               << int(s) << QString::fromLatin1(f);
    };
    row("mail.example", "mail.example", 25, Security::Plain, "mail.example");
    row("mail.example:25", "mail.example", 25, Security::Plain, "mail.example");
    row("mail.example:2525", "mail.example", 2525, Security::Plain, "mail.example:2525");
    row("mail.example:587", "mail.example", 587, Security::StartTls, "mail.example:587");
    row("mail.example:465", "mail.example", 465, Security::Tls, "mail.example:465");
    row("starttls://mail.example", "mail.example", 587, Security::StartTls, "mail.example:587");
    row("starttls://mail.example:25", "mail.example", 25, Security::StartTls,
        "starttls://mail.example:25");
    row("smtps://mail.example", "mail.example", 465, Security::Tls, "mail.example:465");
    row("SMTPS://mail.example:4650", "mail.example", 4650, Security::Tls,
        "smtps://mail.example:4650");
    row("smtp://mail.example:587", "mail.example", 587, Security::Plain, "smtp://mail.example:587");
    row("smtp://mail.example", "mail.example", 25, Security::Plain, "mail.example");
    row("[::1]:587", "::1", 587, Security::StartTls, "[::1]:587");
    row("::1", "::1", 25, Security::Plain, "[::1]");
    row("smtps://[2001:db8::25]", "2001:db8::25", 465, Security::Tls, "[2001:db8::25]:465");
    row("192.0.2.25:465", "192.0.2.25", 465, Security::Tls, "192.0.2.25:465");
    for (const char *bad : {"",
                            "mail.example:",
                            "mail.example:0",
                            "mail.example:70000",
                            "mail.example:2x5",
                            "mail.example:+25",
                            "[::1",
                            "[mail]:25",
                            "http://mail.example",
                            "smtp://",
                            "smtp://smtps://mail.example",
                            "mail.example/x",
                            "user@mail.example",
                            "mail example",
                            "m\u00e4il.example",
                            "mail..example",
                            "mail.example:25:26",
                            ":: ",
                            "[::1 ]:25",
                            "[ ::1]",
                            "::1%",
                            "::1%a b"})
        row(bad, "", 0, Security::Plain, "");
}

void TestSecureSession::serverForms()
{
    QFETCH(QString, setting);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(int, security);
    QFETCH(QString, formatted);
    const std::optional<ServerAddress> a = ServerAddress::parse(setting);
    QCOMPARE(a.has_value(), !host.isEmpty());
    if (!a)
        return;
    QCOMPARE(a->host, host);
    QCOMPARE(a->port, quint16(port));
    QCOMPARE(int(a->security), security);
    QCOMPARE(a->format(), formatted);
    QCOMPARE(ServerAddress::parse(formatted), a);
}

void TestSecureSession::startTlsAndPlain()
{
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    start("mail.example:587");
    QVERIFY(!m_socket->tls); // encryption starts after STARTTLS
    QCOMPARE(play({crlf("220 mail.example ESMTP")}), QStringList{crlf("EHLO client.example")});
    QCOMPARE(play({ehloTls}), QStringList{crlf("STARTTLS")});
    QCOMPARE(play({crlf("220 2.0.0 go ahead")}), QStringList{QStringLiteral("<start TLS>")});
    Q_EMIT m_socket->encrypted();
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("EHLO client.example")});
    QVERIFY(m_credentials.requests.isEmpty()); // asked only once the server wants it
    QCOMPARE(play({ehloAuth}), QStringList{crlf("AUTH PLAIN AGpvZQBzZWNyZXQ=")});
    QCOMPARE(m_credentials.requests.size(), 1);
    QCOMPARE(m_credentials.requests.first().key(),
             QStringLiteral("smtp://joe%40example.org@mail.example:587"));
    QCOMPARE(play({crlf("235 2.7.0 Authentication successful")}),
             QStringList{crlf("MAIL FROM:<joe@example.org>")});
    play({crlf("250 ok"), crlf("250 ok"), crlf("354 go"), crlf("250 queued")});
    play({crlf("221 bye")});
    QCOMPARE(m_status->text, QStringLiteral("Sent OK."));
    QCOMPARE(finished.count(), 1);
}

void TestSecureSession::implicitTlsAndLogin()
{
    start("smtps://mail.example");
    QVERIFY(m_socket->tls);
    QCOMPARE(m_socket->port, quint16(465));
    connectEncrypted();
    QCOMPARE(play({crlf("220 mail.example ESMTP")}), QStringList{crlf("EHLO client.example")});
    QCOMPARE(play({crlf("250-mail.example") + crlf("250 AUTH LOGIN")}),
             QStringList{crlf("AUTH LOGIN")});
    QCOMPARE(play({crlf("334 VXNlcm5hbWU6")}), QStringList{crlf("am9l")});
    QCOMPARE(play({crlf("334 UGFzc3dvcmQ6")}), QStringList{crlf("c2VjcmV0")});
    QCOMPARE(play({crlf("235 ok")}), QStringList{crlf("MAIL FROM:<joe@example.org>")});
    QCOMPARE(m_socket->encryptionStarts, 0);
}

void TestSecureSession::noEncryptionOffered_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::newRow("no STARTTLS") << QStringList{crlf("220 hi"), ehloAuth};
    QTest::newRow("STARTTLS refused")
        << QStringList{crlf("220 hi"), ehloTls, crlf("454 4.7.0 TLS not available")};
    QTest::newRow("STARTTLS answered 250") << QStringList{crlf("220 hi"), ehloTls, crlf("250 ok")};
    QTest::newRow("server from before ESMTP")
        << QStringList{crlf("220 hi"), crlf("502 no"), crlf("250 hello")};
}

// STARTTLS required means required: no fall-back to the clear.
void TestSecureSession::noEncryptionOffered()
{
    QFETCH(QStringList, replies);
    start("starttls://mail.example");
    play(replies);
    QCOMPARE(m_status->text,
             QStringLiteral("SMTP Error: the server does not offer encryption; nothing was sent"));
    QVERIFY(!log().contains(QStringLiteral("MAIL")) && !log().contains(QStringLiteral("AUTH")));
    QCOMPARE(m_socket->encryptionStarts, 0);
    QVERIFY(!m_socket->open);
}

void TestSecureSession::dataBeforeEncryption_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<int>("encryptionStarts");
    QTest::newRow("with the go-ahead")
        << "mail.example:587"
        << QStringList{crlf("220 hi"), ehloTls, crlf("220 go ahead") + crlf("250 AUTH PLAIN")} << 0;
    QTest::newRow("during the handshake")
        << "mail.example:587"
        << QStringList{crlf("220 hi"), ehloTls, crlf("220 go ahead"), crlf("250 injected")} << 1;
    QTest::newRow("before TLS from the first byte")
        << "mail.example:465" << QStringList{crlf("220 hi")} << 0;
}

// A man in the middle may add plain text that the client would read as if
// it had come encrypted (CVE-2021-22947, CVE-2020-14928, CVE-2021-38371).
void TestSecureSession::dataBeforeEncryption()
{
    QFETCH(QString, server);
    QFETCH(QStringList, replies);
    QFETCH(int, encryptionStarts);
    start(server.toLatin1().constData());
    play(replies);
    QCOMPARE(m_status->text,
             QStringLiteral("SMTP Error: the server sent data before encryption started"));
    QCOMPARE(m_socket->encryptionStarts, encryptionStarts);
    Q_EMIT m_socket->encrypted(); // too late: nothing follows
    QVERIFY(!log().contains(QStringLiteral("AUTH")) && !log().contains(QStringLiteral("MAIL")));
}

void TestSecureSession::whatCameBeforeEncryptionIsForgotten()
{
    start("mail.example:587");
    play({crlf("220 hi"),
          crlf("250-mail.example") + crlf("250-PIPELINING") + crlf("250-SIZE 10") +
              crlf("250-AUTH PLAIN") + crlf("250 STARTTLS"),
          crlf("220 go")});
    Q_EMIT m_socket->encrypted();
    m_socket->takeSent();
    // The encrypted EHLO offers none of them: no sign-in, no size limit,
    // one command at a time.
    QCOMPARE(play({crlf("250 mail.example")}), QStringList{crlf("MAIL FROM:<joe@example.org>")});
}

void TestSecureSession::tlsFailure()
{
    start("mail.example:587");
    QCOMPARE(play({crlf("220 hi"), ehloTls, crlf("220 go")}),
             (QStringList{crlf("EHLO client.example"), crlf("STARTTLS"),
                          QStringLiteral("<start TLS>")}));
    Q_EMIT m_socket->tlsError(QStringLiteral("the certificate is not from a trusted issuer"));
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: cannot set up a secure connection: the "
                                            "certificate is not from a trusted issuer"));
    Q_EMIT m_socket->encrypted();
    m_socket->arrive(crlf("250 AUTH PLAIN"));
    QCOMPARE(m_socket->takeSent(), QStringList());
}

void TestSecureSession::handshakeTimeout()
{
    start("smtps://mail.example");
    Q_EMIT m_socket->connected();
    QTRY_COMPARE_WITH_TIMEOUT(
        m_status->text, QStringLiteral("SMTP Error: cannot set up a secure connection: no answer"),
        2000);
    QVERIFY(!m_socket->open);
}

void TestSecureSession::signInRefused_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("forgotten");
    QTest::newRow("535") << crlf("535 5.7.8 Authentication credentials invalid") << true;
    QTest::newRow("534 app password")
        << crlf("534-5.7.9 Application-specific password required") + crlf("534 5.7.9 see help")
        << true;
    QTest::newRow("454 passing") << crlf("454 4.7.0 Temporary authentication failure") << false;
    QTest::newRow("501 syntax") << crlf("501 5.5.2 cannot decode") << false;
}

void TestSecureSession::signInRefused()
{
    QFETCH(QString, reply);
    QFETCH(bool, forgotten);
    start("smtps://mail.example:2465");
    connectEncrypted();
    play({crlf("220 hi"), ehloAuth, reply});
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: ") + reply);
    QCOMPARE(m_credentials.refusals.size(), forgotten ? 1 : 0);
    if (forgotten)
        QCOMPARE(m_credentials.refusals.first().key(), m_credentials.requests.first().key());
    QVERIFY(!m_status->history.join(u'|').contains(QStringLiteral("secret")));
}

void TestSecureSession::noSupportedMechanism()
{
    start("smtps://mail.example");
    connectEncrypted();
    play({crlf("220 hi"), crlf("250-mail.example") + crlf("250 AUTH CRAM-MD5 XOAUTH2")});
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: the server offers no sign-in method "
                                            "Quillon supports (CRAM-MD5 XOAUTH2)"));
    QVERIFY(!log().contains(QStringLiteral("AUTH")));
}

void TestSecureSession::noAuthOfferedSendsWithout()
{
    start("mail.example:465");
    connectEncrypted();
    QCOMPARE(play({crlf("220 hi"), crlf("250-relay.example") + crlf("250 8BITMIME")}),
             (QStringList{crlf("EHLO client.example"), crlf("MAIL FROM:<joe@example.org>")}));
}

void TestSecureSession::plainNeverSignsIn()
{
    start("mail.example:2525");
    QVERIFY(m_credentials.requests.isEmpty());
    Q_EMIT m_socket->encrypted(); // never asked for: changes nothing
    QCOMPARE(play({crlf("220 hi"), ehloAuth}),
             (QStringList{crlf("EHLO client.example"), crlf("MAIL FROM:<joe@example.org>")}));
}

void TestSecureSession::signInCancelled()
{
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    m_credentials.answer.reset();
    start("smtps://mail.example");
    connectEncrypted();
    QCOMPARE(play({crlf("220 hi"), ehloAuth}),
             (QStringList{crlf("EHLO client.example"), crlf("QUIT")}));
    QCOMPARE(m_status->text, QStringLiteral("Not sent: no password given."));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!m_session->isBusy() && !m_socket->open);
}

// The server waits while the user types; no time-out of Quillon's runs
// meanwhile.
void TestSecureSession::signInAnsweredLater()
{
    m_credentials.later = true;
    start("smtps://mail.example");
    connectEncrypted();
    QCOMPARE(play({crlf("220 hi"), ehloAuth}), QStringList{crlf("EHLO client.example")});
    QTest::qWait(400); // beyond the reply time-out
    QVERIFY(m_session->isBusy());
    m_credentials.answerNow();
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("AUTH PLAIN AGpvZQBzZWNyZXQ=")});
}

QTEST_GUILESS_MAIN(TestSecureSession)
#include "tst_securesession.moc"
