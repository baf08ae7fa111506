#include "sessionfixture.h"

#include <QSignalSpy>

class TestSmtpSession : public SessionFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { startSession(); }
    void normalExchange();
    void messageLines_data();
    void messageLines();
    void clientName_data();
    void clientName();
    void rejectedReplies_data();
    void rejectedReplies();
    void anyAnswerToQuitIsSuccess_data();
    void anyAnswerToQuitIsSuccess();
    void keepsItsOwnRequest();
    void cannotConnect();
    void framing_data();
    void framing();
    void overlongReply();
    void serverCloses();
    void socketError();
    void timeouts();
};

void TestSmtpSession::normalExchange()
{
    QCOMPARE(m_socket->host, QStringLiteral("mail.example"));
    QCOMPARE(m_socket->port, quint16(25));
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    const QList<QPair<QString, QStringList>> transcript = {
        {crlf("220 mail.example ESMTP"), {crlf("EHLO client.example")}},
        {crlf("250 mail.example"), {crlf("MAIL FROM:<joe@example.org>")}},
        {crlf("250 2.1.0 Ok"), {crlf("RCPT TO:<555@fax1.example>")}},
        {crlf("250 2.1.5 Ok"), {crlf("DATA")}},
        {crlf("354 End data with <CR><LF>.<CR><LF>"),
         {headers(crlf("Subject: Hi")) + crlf("a") + crlf("b") + crlf(".")}},
        {crlf("250 2.0.0 Ok: queued"), {crlf("QUIT")}},
        {crlf("221 2.0.0 Bye"), {}},
    };
    for (const auto &[reply, expected] : transcript) {
        QVERIFY(m_socket->open);
        m_socket->arrive(reply);
        QStringList sent = m_socket->takeSent();
        for (QString &write : sent)
            write = masked(write);
        QCOMPARE(sent, expected);
    }
    QVERIFY(!m_socket->open);
    QCOMPARE(m_statusText, QStringLiteral("Sent OK."));
    QCOMPARE(m_status->text, QStringLiteral("Sent OK."));
    QCOMPARE(m_status->history.first(), QString()); // blank while the exchange runs
    QCOMPARE(finished.count(), 1);
    QVERIFY(!m_session->isBusy());
}

void TestSmtpSession::messageLines_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList{};
    QTest::newRow("final break") << QStringLiteral("a\r\n") << QStringList{crlf("a"), crlf("")};
    QTest::newRow("empty lines kept")
        << QStringLiteral("a\r\n\r\nb") << QStringList{crlf("a"), crlf(""), crlf("b")};
    QTest::newRow("bare LF and CR")
        << QStringLiteral("a\nb\rc") << QStringList{crlf("a"), crlf("b"), crlf("c")};
    QTest::newRow("dot lines") << QStringLiteral(".\r\n..x\r\n.end")
                               << QStringList{crlf(".."), crlf("...x"), crlf("..end")};
    QTest::newRow("header-shaped first line")
        << QStringLiteral("Attn:Sales") << QStringList{crlf("Attn:Sales")};
    const QString word = QStringLiteral("word ");
    const QString para = word.repeated(300); // 1,500 characters on one line
    QTest::newRow("long line folded at a space")
        << para
        << QStringList{word.repeated(199) + QStringLiteral("\r\n"),
                       word.repeated(101) + QStringLiteral("\r\n")};
    const QString dots = QString(1200, u'.');
    QTest::newRow("long line without spaces")
        << dots
        << QStringList{QStringLiteral(".") + QString(997, u'.') + QStringLiteral("\r\n"),
                       QStringLiteral(".") + QString(203, u'.') + QStringLiteral("\r\n")};
}

void TestSmtpSession::messageLines()
{
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    startWith([&](mail::Outgoing &p) {
        p.text = message;
        p.subject = QStringLiteral("two\r\nlines\n");
    });
    runToData();
    const QStringList sent = m_socket->takeSent();
    QCOMPARE(sent.size(), 1); // the whole message in one write
    QCOMPARE(masked(sent.first()), headers(crlf("Subject: =?windows-1252?Q?two__lines_?=")) +
                                       lines.join(QString()) + crlf("."));
}

void TestSmtpSession::clientName_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("ehlo");
    QTest::newRow("domain name") << "client.example"
                                 << "192.0.2.7" << crlf("EHLO client.example");
    QTest::newRow("IPv4") << ""
                          << "127.0.0.1" << crlf("EHLO [127.0.0.1]");
    QTest::newRow("IPv6") << ""
                          << "::1" << crlf("EHLO [IPv6:::1]");
    QTest::newRow("IPv4 over IPv6") << ""
                                    << "::ffff:192.0.2.7" << crlf("EHLO [192.0.2.7]");
    QTest::newRow("scoped IPv6") << ""
                                 << "fe80::1%1" << crlf("EHLO [IPv6:fe80::1]");
}

void TestSmtpSession::clientName()
{
    QFETCH(QString, machine);
    QFETCH(QString, local);
    QFETCH(QString, ehlo);
    m_session->setMachineName(machine);
    m_socket->local = QHostAddress(local);
    m_socket->arrive(crlf("220 hi"));
    QCOMPARE(m_socket->takeSent(), QStringList{ehlo});
}

void TestSmtpSession::rejectedReplies_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("reply");
    QTest::newRow("greeting 554") << 0 << crlf("554 no service");
    QTest::newRow("EHLO 501") << 1 << crlf("501 bad name");
    QTest::newRow("MAIL 451") << 2 << crlf("451 try later");
    QTest::newRow("MAIL answered 354") << 2 << crlf("354 out of turn");
    QTest::newRow("RCPT 550") << 3 << crlf("550 5.1.1 no such user");
    QTest::newRow("DATA 503") << 4 << crlf("503 bad sequence");
    QTest::newRow("dot 552 multi-line")
        << 5 << crlf("552-5.3.4 message too big") + crlf("552 5.3.4 try smaller");
}

void TestSmtpSession::rejectedReplies()
{
    QFETCH(int, step);
    QFETCH(QString, reply);
    const QStringList good = {crlf("220 a"), crlf("250 b"), crlf("250 c"),
                              crlf("250 d"), crlf("354 e"), crlf("250 f")};
    for (int i = 0; i < step; ++i)
        m_socket->arrive(good[i]);
    m_socket->takeSent();
    m_socket->arrive(reply);
    QCOMPARE(m_socket->takeSent(), QStringList());
    QVERIFY(!m_socket->open);
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: ") + reply);
    QCOMPARE(int(m_session->waiting()), step);
}

void TestSmtpSession::anyAnswerToQuitIsSuccess_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("221") << crlf("221 bye");
    QTest::newRow("250") << crlf("250 bye");
    QTest::newRow("421") << crlf("421 closing");
}

void TestSmtpSession::anyAnswerToQuitIsSuccess()
{
    QFETCH(QString, reply);
    runToData();
    m_socket->arrive(crlf("250 queued"));
    QCOMPARE(m_socket->takeSent().last(), crlf("QUIT"));
    m_socket->arrive(reply);
    QVERIFY(!m_socket->open);
    QCOMPARE(m_status->text, QStringLiteral("Sent OK."));
}

// What the session sends is the request it was started with, whatever
// its caller changes meanwhile.
void TestSmtpSession::keepsItsOwnRequest()
{
    m_socket->arrive(crlf("220 a"));
    m_socket->arrive(crlf("250 b"));
    m_params.recipient = QStringLiteral("changed@example.org");
    m_socket->takeSent();
    m_socket->arrive(crlf("250 c"));
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("RCPT TO:<555@fax1.example>")});
}

void TestSmtpSession::cannotConnect()
{
    runToData();
    m_socket->arrive(crlf("250 queued"));
    m_socket->arrive(crlf("221 bye"));
    m_socket->acceptConnect = false;
    QVERIFY(!m_session->start({QStringLiteral("mail.example"), m_params}));
    QCOMPARE(m_session->waiting(), SmtpSession::Waiting::QuitReply);
    QVERIFY(!m_session->isBusy());

    m_socket->acceptConnect = true;
    for (const char *bad : {"", "host:", "host:0", "host:70000", "host:2x5", "[::1"})
        QVERIFY2(!m_session->start({QString::fromLatin1(bad), m_params}), bad);
}

void TestSmtpSession::framing_data()
{
    QTest::addColumn<QStringList>("arrivals");
    QTest::addColumn<QStringList>("sent");
    const QString greeting =
        crlf("220-mail.example first line") + crlf("220-second") + crlf("220 ready");
    QStringList bytes;
    for (QChar c : greeting)
        bytes.append(QString(c));
    const QString ehlo = crlf("EHLO client.example");
    QTest::newRow("one byte at a time") << bytes << QStringList{ehlo};
    QTest::newRow("multi-line greeting in parts")
        << QStringList{crlf("220-postscreen wait"), crlf("220 ready")} << QStringList{ehlo};
    QTest::newRow("line end split")
        << QStringList{QStringLiteral("220 ready\r"), QStringLiteral("\n")} << QStringList{ehlo};
    QTest::newRow("bare LF ends a line")
        << QStringList{QStringLiteral("220 ready\n")} << QStringList{ehlo};
    QTest::newRow("code alone") << QStringList{crlf("220")} << QStringList{ehlo};
    QTest::newRow("two replies in one arrival")
        << QStringList{crlf("220 ready") + crlf("250-hello") + crlf("250 SIZE 1000")}
        << QStringList{ehlo, crlf("MAIL FROM:<joe@example.org>")};
    QTest::newRow("unfinished reply waits")
        << QStringList{crlf("220-wait"), QStringLiteral("220 re")} << QStringList{};
}

void TestSmtpSession::framing()
{
    QFETCH(QStringList, arrivals);
    QFETCH(QStringList, sent);
    for (const QString &a : arrivals)
        m_socket->arrive(a);
    QCOMPARE(m_socket->takeSent(), sent);
    QVERIFY(m_socket->open);
}

void TestSmtpSession::overlongReply()
{
    m_socket->arrive(crlf("220-hello"));
    for (int i = 0; i < 70 && m_socket->open; ++i)
        m_socket->arrive(QString(1024, u'x'));
    QVERIFY(!m_socket->open);
    QVERIFY(m_status->text.startsWith(QStringLiteral("SMTP Error: ")));
    QVERIFY(m_socket->pending.isEmpty());
}

void TestSmtpSession::serverCloses()
{
    m_socket->arrive(crlf("220 hi"));
    Q_EMIT m_socket->closedByPeer();
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: connection closed by server"));
    QVERIFY(!m_session->isBusy());

    restart();
    runToData();
    m_socket->arrive(crlf("250 queued"));
    Q_EMIT m_socket->closedByPeer(); // instead of answering QUIT
    QCOMPARE(m_status->text, QStringLiteral("Sent OK."));
}

void TestSmtpSession::socketError()
{
    Q_EMIT m_socket->error(10061, QStringLiteral("Connection refused"));
    QCOMPARE(m_box->shown,
             QStringList{QStringLiteral(
                 "Winsock Error | Winsock Error number 10061\r\nConnection refused")});
    QVERIFY(!m_socket->open);
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: Connection refused"));

    // A late event of the ended exchange changes nothing; the next one runs.
    Q_EMIT m_socket->error(10053, QStringLiteral("late"));
    QCOMPARE(m_box->shown.size(), 1);
    restart();
    QVERIFY(m_socket->open);
    m_socket->arrive(crlf("220 hi"));
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("EHLO client.example")});
}

void TestSmtpSession::timeouts()
{
    // No connection.
    QTRY_COMPARE_WITH_TIMEOUT(m_status->text, QStringLiteral("SMTP Error: no reply from server"),
                              2000);
    QVERIFY(!m_socket->open);

    // Connected, then a silent server.
    restart();
    Q_EMIT m_socket->connected();
    m_socket->arrive(crlf("220 hi"));
    QTRY_COMPARE_WITH_TIMEOUT(m_status->text, QStringLiteral("SMTP Error: no reply from server"),
                              2000);

    // After the final dot the longer wait holds.
    restart();
    Q_EMIT m_socket->connected();
    runToData();
    QTest::qWait(600);
    QVERIFY(m_session->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!m_session->isBusy(), 3000);
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: no reply from server"));
}

QTEST_GUILESS_MAIN(TestSmtpSession)
#include "tst_smtpsession.moc"
