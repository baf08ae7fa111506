#include "fakesend.h"
#include "smtpsession.h"

#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

QString crlf(const char *line)
{
    return QString::fromUtf8(line) + QStringLiteral("\r\n");
}

} // namespace

class TestSmtpSession : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void normalExchange();
    void messageLines_data();
    void messageLines();
    void greeting_data();
    void greeting();
    void rejectedReplies_data();
    void rejectedReplies();
    void anyAnswerToQuitIsSuccess_data();
    void anyAnswerToQuitIsSuccess();
    void readsParametersAtEachStep();
    void cannotConnect();
    void framing_data();
    void framing();
    void overlongReply();
    void serverCloses();
    void socketError();
    void timeouts();

private:
    // Plays the server's replies up to and including the one to DATA.
    void runToData();

    std::unique_ptr<FakeSocket> m_socket;
    std::unique_ptr<FakeStatus> m_status;
    std::unique_ptr<FakeMessageBox> m_box;
    std::unique_ptr<SmtpSession> m_session;
    SendParams m_params;
    QString m_statusText;
};

void TestSmtpSession::init()
{
    m_socket = std::make_unique<FakeSocket>();
    m_status = std::make_unique<FakeStatus>();
    m_box = std::make_unique<FakeMessageBox>();
    m_params = {QStringLiteral("555@fax1.example"), QStringLiteral("joe@example.org"),
                QStringLiteral("Hi"), QStringLiteral("a\r\nb"), QStringLiteral("mail.example")};
    m_statusText.clear();
    m_session = std::make_unique<SmtpSession>(*m_socket, m_params, m_statusText, *m_status, *m_box,
                                              SmtpTimeouts{200ms, 200ms, 2000ms});
    m_session->send_mail({}, {}, QStringLiteral(" mail.example "), {}, {}, m_statusText);
    QCOMPARE(m_socket->host, QStringLiteral("mail.example"));
    QCOMPARE(m_socket->port, quint16(25));
}

void TestSmtpSession::runToData()
{
    m_socket->arrive(crlf("220 mail.example ESMTP"));
    m_socket->arrive(crlf("250 hello"));
    m_socket->arrive(crlf("250 ok"));
    m_socket->arrive(crlf("250 ok"));
    m_socket->takeSent();
    m_socket->arrive(crlf("354 go ahead"));
}

void TestSmtpSession::normalExchange()
{
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    const QList<QPair<QString, QStringList>> transcript = {
        {crlf("220 mail.example ESMTP"), {crlf("HELO joe")}},
        {crlf("250 mail.example"), {crlf("MAIL FROM:<joe@example.org>")}},
        {crlf("250 2.1.0 Ok"), {crlf("RCPT TO:<555@fax1.example>")}},
        {crlf("250 2.1.5 Ok"), {crlf("DATA")}},
        {crlf("354 End data with <CR><LF>.<CR><LF>"),
         {crlf("Subject:Hi"), crlf("To:555@fax1.example"), crlf(""), crlf("a"), crlf("b"),
          crlf(".")}},
        {crlf("250 2.0.0 Ok: queued"), {crlf("QUIT")}},
        {crlf("221 2.0.0 Bye"), {}},
    };
    for (const auto &[reply, expected] : transcript) {
        QVERIFY(m_socket->open);
        m_socket->arrive(reply);
        QCOMPARE(m_socket->takeSent(), expected);
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
    m_params.message = message;
    m_params.subject = QStringLiteral("two\r\nlines\n");
    runToData();
    const QStringList head = {crlf("Subject:two  lines "), crlf("To:555@fax1.example"), crlf("")};
    QCOMPARE(m_socket->takeSent(), head + lines + QStringList{crlf(".")});
}

void TestSmtpSession::greeting_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("helo");
    QTest::newRow("local part") << QStringLiteral("joe@example.org") << crlf("HELO joe");
    QTest::newRow("trimmed") << QStringLiteral("  joe@example.org ") << crlf("HELO joe");
    QTest::newRow("no at sign") << QStringLiteral(" joe ") << crlf("HELO joe");
    QTest::newRow("empty") << QString() << crlf("HELO localhost");
    QTest::newRow("nothing before at") << QStringLiteral("@example.org") << crlf("HELO localhost");
}

void TestSmtpSession::greeting()
{
    QFETCH(QString, sender);
    QFETCH(QString, helo);
    m_params.sender = sender;
    m_socket->arrive(crlf("220 hi"));
    QCOMPARE(m_socket->takeSent(), QStringList{helo});
}

void TestSmtpSession::rejectedReplies_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("reply");
    QTest::newRow("greeting 554") << 0 << crlf("554 no service");
    QTest::newRow("HELO 501") << 1 << crlf("501 bad name");
    QTest::newRow("MAIL 451") << 2 << crlf("451 try later");
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
    QCOMPARE(m_session->strState(), qint16(step));
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

void TestSmtpSession::readsParametersAtEachStep()
{
    m_socket->arrive(crlf("220 a"));
    m_socket->arrive(crlf("250 b"));
    m_params.recipient = QStringLiteral("changed@example.org");
    m_socket->takeSent();
    m_socket->arrive(crlf("250 c"));
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("RCPT TO:<changed@example.org>")});
}

void TestSmtpSession::cannotConnect()
{
    runToData();
    m_socket->arrive(crlf("250 queued"));
    m_socket->arrive(crlf("221 bye"));
    m_socket->acceptConnect = false;
    QString error;
    m_session->send_mail({}, {}, QStringLiteral("mail.example"), {}, {}, error);
    QCOMPARE(error, QStringLiteral("Cannot connect to SMTP server"));
    QCOMPARE(m_session->strState(), qint16(6));
    QVERIFY(!m_session->isBusy());

    m_socket->acceptConnect = true;
    for (const char *bad : {"", "host:", "host:0", "host:70000", "host:2x5", "[::1"}) {
        error.clear();
        m_session->send_mail({}, {}, QString::fromLatin1(bad), {}, {}, error);
        QVERIFY2(!error.isEmpty(), bad);
    }
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
    QTest::newRow("one byte at a time") << bytes << QStringList{crlf("HELO joe")};
    QTest::newRow("multi-line greeting in parts")
        << QStringList{crlf("220-postscreen wait"), crlf("220 ready")}
        << QStringList{crlf("HELO joe")};
    QTest::newRow("line end split")
        << QStringList{QStringLiteral("220 ready\r"), QStringLiteral("\n")}
        << QStringList{crlf("HELO joe")};
    QTest::newRow("bare LF ends a line")
        << QStringList{QStringLiteral("220 ready\n")} << QStringList{crlf("HELO joe")};
    QTest::newRow("code alone") << QStringList{crlf("220")} << QStringList{crlf("HELO joe")};
    QTest::newRow("two replies in one arrival")
        << QStringList{crlf("220 ready") + crlf("250-hello") + crlf("250 SIZE 1000")}
        << QStringList{crlf("HELO joe"), crlf("MAIL FROM:<joe@example.org>")};
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

    m_session->send_mail({}, {}, QStringLiteral("mail.example"), {}, {}, m_statusText);
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
    m_session->send_mail({}, {}, QStringLiteral("mail.example"), {}, {}, m_statusText);
    QVERIFY(m_socket->open);
    m_socket->arrive(crlf("220 hi"));
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("HELO joe")});
}

void TestSmtpSession::timeouts()
{
    // No connection.
    QTRY_COMPARE_WITH_TIMEOUT(m_status->text, QStringLiteral("SMTP Error: no reply from server"),
                              2000);
    QVERIFY(!m_socket->open);

    // Connected, then a silent server.
    m_session->send_mail({}, {}, QStringLiteral("mail.example"), {}, {}, m_statusText);
    Q_EMIT m_socket->connected();
    m_socket->arrive(crlf("220 hi"));
    QTRY_COMPARE_WITH_TIMEOUT(m_status->text, QStringLiteral("SMTP Error: no reply from server"),
                              2000);

    // After the final dot the longer wait holds.
    m_session->send_mail({}, {}, QStringLiteral("mail.example"), {}, {}, m_statusText);
    Q_EMIT m_socket->connected();
    runToData();
    QTest::qWait(600);
    QVERIFY(m_session->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(!m_session->isBusy(), 3000);
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: no reply from server"));
}

QTEST_GUILESS_MAIN(TestSmtpSession)
#include "tst_smtpsession.moc"
