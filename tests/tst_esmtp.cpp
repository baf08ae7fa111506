#include "sessionfixture.h"
#include "smtp/capabilities.h"

#include <QSignalSpy>

// What the session makes of the server's EHLO reply: the extensions it uses
// and how the exchange goes with and without them.
class TestEsmtp : public SessionFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { startSession(); }
    void capabilities_data();
    void capabilities();
    void heloFallback_data();
    void heloFallback();
    void ehloRefused();
    void eightBitMime_data();
    void eightBitMime();
    void sizeLimit_data();
    void sizeLimit();
    void pipelinedExchange();
    void pipelinedRefusals_data();
    void pipelinedRefusals();
    void messageRefusedWithQuitOut();
    void pipelinedRepliesInAnyPieces_data();
    void pipelinedRepliesInAnyPieces();

private:
    // Greets and answers EHLO with `extensions`, one per line.
    void greet(const QStringList &extensions)
    {
        m_socket->arrive(crlf("220 mail.example ESMTP"));
        QString reply = crlf(extensions.isEmpty() ? "250 mail.example" : "250-mail.example");
        for (qsizetype i = 0; i < extensions.size(); ++i)
            reply += (i + 1 < extensions.size() ? QStringLiteral("250-") : QStringLiteral("250 ")) +
                     extensions[i] + QStringLiteral("\r\n");
        m_socket->takeSent();
        m_socket->arrive(reply);
    }
};

void TestEsmtp::capabilities_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<QStringList>("auth");
    QTest::newRow("none") << crlf("250 mail.example") << QStringList() << qint64(0)
                          << QStringList();
    QTest::newRow("Postfix") << crlf("250-mail.example") + crlf("250-PIPELINING") +
                                    crlf("250-SIZE 10240000") + crlf("250-8BITMIME") +
                                    crlf("250-AUTH PLAIN LOGIN") + crlf("250 SMTPUTF8")
                             << QStringList{QStringLiteral("pipelining"),
                                            QStringLiteral("8bitmime"), QStringLiteral("Smtputf8")}
                             << qint64(10240000)
                             << QStringList{QStringLiteral("PLAIN"), QStringLiteral("LOGIN")};
    QTest::newRow("old AUTH= form, lower case, bare LF")
        << QStringLiteral("250-hi\n250-auth=login\n250-Auth login plain\n250 size\n")
        << QStringList{QStringLiteral("SIZE")} << qint64(0)
        << QStringList{QStringLiteral("LOGIN"), QStringLiteral("PLAIN")};
    QTest::newRow("nonsense size")
        << crlf("250-hi") + crlf("250 SIZE -5x") << QStringList() << qint64(0) << QStringList();
}

void TestEsmtp::capabilities()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, offered);
    QFETCH(qint64, sizeLimit);
    QFETCH(QStringList, auth);
    const SmtpCapabilities caps = SmtpCapabilities::fromEhloReply(SmtpReply{reply});
    for (const QString &keyword : offered)
        QVERIFY2(caps.has(keyword), qPrintable(keyword));
    QVERIFY(!caps.has(u"STARTTLS"));
    QVERIFY(!caps.has(u"mail.example"));
    QCOMPARE(caps.sizeLimit(), sizeLimit);
    QCOMPARE(caps.authMechanisms(), auth);
}

void TestEsmtp::heloFallback_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::newRow("500") << crlf("500 5.5.1 command unrecognized");
    QTest::newRow("502") << crlf("502 5.5.2 not implemented");
    QTest::newRow("504") << crlf("504 5.5.4 not implemented");
}

// A server from before ESMTP: HELO instead, no extensions, and 8-bit text
// goes quoted-printable.
void TestEsmtp::heloFallback()
{
    QFETCH(QString, refusal);
    startWith([](mail::Outgoing &p) { p.text = QStringLiteral("100 \u20ac"); });
    const QList<QPair<QString, QStringList>> transcript = {
        {crlf("220 mail.example"), {crlf("EHLO client.example")}},
        {refusal, {crlf("HELO client.example")}},
        {crlf("250-mail.example") + crlf("250 8BITMIME"), {crlf("MAIL FROM:<joe@example.org>")}},
        {crlf("250 ok"), {crlf("RCPT TO:<555@fax1.example>")}},
        {crlf("250 ok"), {crlf("DATA")}},
        {crlf("354 go"),
         {headers(crlf("Subject: Hi"), "windows-1252", "quoted-printable") + crlf("100 =80") +
          crlf(".")}},
    };
    for (const auto &[reply, expected] : transcript) {
        m_socket->arrive(reply);
        QStringList sent = m_socket->takeSent();
        for (QString &write : sent)
            write = masked(write);
        QCOMPARE(sent, expected);
    }
}

void TestEsmtp::ehloRefused()
{
    m_socket->arrive(crlf("220 mail.example"));
    m_socket->takeSent();
    m_socket->arrive(crlf("550 5.7.1 go away"));
    QCOMPARE(m_socket->takeSent(), QStringList());
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: 550 5.7.1 go away\r\n"));
    QVERIFY(!m_socket->open);
}

void TestEsmtp::eightBitMime_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("mailFrom");
    QTest::addColumn<QString>("message");
    const QString euro = QStringLiteral("100 \u20ac");
    QTest::newRow("8-bit, offered")
        << euro << true << crlf("MAIL FROM:<joe@example.org> BODY=8BITMIME")
        << headers(crlf("Subject: Hi"), "windows-1252", "8bit") +
               QStringLiteral("100 \u20ac\r\n.\r\n");
    QTest::newRow("8-bit, not offered")
        << euro << false << crlf("MAIL FROM:<joe@example.org>")
        << headers(crlf("Subject: Hi"), "windows-1252", "quoted-printable") + crlf("100 =80") +
               crlf(".");
    QTest::newRow("ASCII, offered")
        << QStringLiteral("100 EUR") << true << crlf("MAIL FROM:<joe@example.org>")
        << headers(crlf("Subject: Hi")) + crlf("100 EUR") + crlf(".");
}

void TestEsmtp::eightBitMime()
{
    QFETCH(QString, body);
    QFETCH(bool, offered);
    QFETCH(QString, mailFrom);
    QFETCH(QString, message);
    startWith([&](mail::Outgoing &p) { p.text = body; });
    greet(offered ? QStringList{QStringLiteral("8BITMIME")} : QStringList());
    QCOMPARE(m_socket->takeSent(), QStringList{mailFrom});
    m_socket->arrive(crlf("250 ok"));
    m_socket->arrive(crlf("250 ok"));
    m_socket->takeSent();
    m_socket->arrive(crlf("354 go"));
    QCOMPARE(masked(m_socket->takeSent().join(QString())), message);
}

void TestEsmtp::sizeLimit_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("refused");
    // The fixture's message is a few hundred bytes.
    QTest::newRow("smaller") << QStringLiteral("SIZE 100") << true;
    QTest::newRow("larger") << QStringLiteral("SIZE 100000") << false;
    QTest::newRow("no limit named") << QStringLiteral("SIZE") << false;
    QTest::newRow("zero means none") << QStringLiteral("SIZE 0") << false;
}

void TestEsmtp::sizeLimit()
{
    QFETCH(QString, size);
    QFETCH(bool, refused);
    greet({size});
    if (refused) {
        QCOMPARE(m_socket->takeSent(), QStringList());
        QCOMPARE(m_status->text,
                 QStringLiteral(
                     "SMTP Error: the message is larger than the server accepts (100 bytes)"));
        QVERIFY(!m_session->isBusy());
    } else {
        QCOMPARE(m_socket->takeSent(), QStringList{crlf("MAIL FROM:<joe@example.org>")});
    }
}

void TestEsmtp::pipelinedExchange()
{
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    greet({QStringLiteral("PIPELINING"), QStringLiteral("8BITMIME")});
    QCOMPARE(m_socket->takeSent(),
             QStringList{crlf("MAIL FROM:<joe@example.org>") + crlf("RCPT TO:<555@fax1.example>") +
                         crlf("DATA")}); // one write
    m_socket->arrive(crlf("250 2.1.0 Ok"));
    m_socket->arrive(crlf("250 2.1.5 Ok"));
    QCOMPARE(m_socket->takeSent(), QStringList());
    m_socket->arrive(crlf("354 go ahead"));
    const QStringList message = m_socket->takeSent();
    QCOMPARE(message.size(), 1); // the message and QUIT in one write
    QCOMPARE(masked(message.first()),
             headers(crlf("Subject: Hi")) + crlf("a") + crlf("b") + crlf(".") + crlf("QUIT"));
    m_socket->arrive(crlf("250 queued"));
    QCOMPARE(m_socket->takeSent(), QStringList());
    QCOMPARE(m_status->text, QString()); // not sent before the reply to QUIT, or its end
    m_socket->arrive(crlf("221 bye"));
    QCOMPARE(m_status->text, QStringLiteral("Sent OK."));
    QCOMPARE(finished.count(), 1);
}

void TestEsmtp::pipelinedRefusals_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("status");
    QTest::newRow("MAIL") << QStringList{crlf("550 5.1.8 bad sender"), crlf("503 no sender"),
                                         crlf("503 no recipients")}
                          << QStringLiteral("SMTP Error: 550 5.1.8 bad sender\r\n");
    QTest::newRow("RCPT") << QStringList{crlf("250 ok"), crlf("550 5.1.1 no such user"),
                                         crlf("554 no valid recipients")}
                          << QStringLiteral("SMTP Error: 550 5.1.1 no such user\r\n");
    QTest::newRow("DATA") << QStringList{crlf("250 ok"), crlf("250 ok"), crlf("451 try later")}
                          << QStringLiteral("SMTP Error: 451 try later\r\n");
}

// The first refusal ends the exchange, as it does one step at a time.
void TestEsmtp::pipelinedRefusals()
{
    QFETCH(QStringList, replies);
    QFETCH(QString, status);
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    greet({QStringLiteral("PIPELINING")});
    m_socket->takeSent();
    m_socket->arrive(replies.join(QString()));
    QCOMPARE(m_socket->takeSent(), QStringList());
    QCOMPARE(m_status->text, status);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!m_socket->open);
}

// QUIT went out with the message; the message is refused all the same.
void TestEsmtp::messageRefusedWithQuitOut()
{
    greet({QStringLiteral("PIPELINING")});
    m_socket->arrive(crlf("250 ok") + crlf("250 ok") + crlf("354 go"));
    QVERIFY(m_socket->takeSent().last().endsWith(QStringLiteral(".\r\nQUIT\r\n")));
    m_socket->arrive(crlf("552 5.3.4 too big") + crlf("221 bye"));
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: 552 5.3.4 too big\r\n"));
    QVERIFY(!m_socket->open);
}

void TestEsmtp::pipelinedRepliesInAnyPieces_data()
{
    QTest::addColumn<QStringList>("arrivals");
    const QString three = crlf("250 2.1.0 Ok") + crlf("250 2.1.5 Ok") + crlf("354 go ahead");
    QTest::newRow("all in one") << QStringList{three};
    QStringList bytes;
    for (QChar c : three)
        bytes.append(QString(c));
    QTest::newRow("byte by byte") << bytes;
    QTest::newRow("split inside a reply")
        << QStringList{QStringLiteral("250 2.1.0 Ok\r\n250 2.1"), QStringLiteral(".5 Ok\r\n354 "),
                       QStringLiteral("go ahead\r\n")};
    QTest::newRow("multi-line RCPT reply")
        << QStringList{crlf("250 ok") + crlf("250-first"), crlf("250 second") + crlf("354 go")};
}

void TestEsmtp::pipelinedRepliesInAnyPieces()
{
    QFETCH(QStringList, arrivals);
    greet({QStringLiteral("PIPELINING")});
    m_socket->takeSent();
    for (const QString &a : arrivals)
        m_socket->arrive(a);
    const QStringList sent = m_socket->takeSent();
    QCOMPARE(sent.size(), 1);
    QVERIFY(sent.first().endsWith(QStringLiteral("\r\na\r\nb\r\n.\r\nQUIT\r\n")));
    QVERIFY(m_session->isBusy());
}

QTEST_GUILESS_MAIN(TestEsmtp)
#include "tst_esmtp.moc"
