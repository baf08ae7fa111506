#include "account/credentialstore.h"
#include "fakekeyring.h"
#include "sessionfixture.h"

#include <QRegularExpression>
#include <QSignalSpy>

// What a server, the network or the keyring can do to an exchange at the
// worst moment: answer, close or fail inside a write, challenge a sign-in
// for ever, or never answer at all. Each exchange ends once, with the true
// outcome, and keeps no password past its end.
class TestSessionFaults : public SessionFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_credentials = FakeCredentials();
        makeSession({200ms, 200ms, 2000ms, 200ms, 300ms});
        m_session->setCredentialSource(&m_credentials);
    }
    void eventsInsideAWrite_data();
    void eventsInsideAWrite();
    void noSecretKeptAfterTheExchange_data();
    void noSecretKeptAfterTheExchange();
    void endlessChallengesEnd_data();
    void endlessChallengesEnd();
    void slowSignInHasADeadline();
    void silentKeyringStillAsksTheUser();

private:
    // A server that answers every command inside the write that sends it,
    // except `at`, where `event` happens instead.
    void answerInsideWrites(const QString &ehlo, const QString &at, const QString &event);
    void start(const QString &server)
    {
        QVERIFY(m_session->start({server, m_params}));
        Q_EMIT m_socket->connected();
        if (server.startsWith(QStringLiteral("smtps")))
            Q_EMIT m_socket->encrypted();
    }

    FakeCredentials m_credentials;
};

void TestSessionFaults::answerInsideWrites(const QString &ehlo, const QString &at,
                                           const QString &event)
{
    const bool pipelined = ehlo.contains(QStringLiteral("PIPELINING"));
    const QHash<QString, QString> answers = {
        {QStringLiteral("EHLO"), ehlo},
        {QStringLiteral("AUTH"), crlf("235 ok")},
        {QStringLiteral("MAIL"),
         pipelined ? crlf("250 ok") + crlf("250 ok") + crlf("354 go") : crlf("250 ok")},
        {QStringLiteral("RCPT"), crlf("250 ok")},
        {QStringLiteral("DATA"), crlf("354 go")},
        {QStringLiteral("Subject"),
         pipelined ? crlf("250 queued") + crlf("221 bye") : crlf("250 queued")},
        {QStringLiteral("QUIT"), crlf("221 bye")},
    };
    m_socket->duringWrite = [this, answers, at, event](const QString &written) {
        static const QRegularExpression firstWord(QStringLiteral("^[A-Za-z]+"));
        const QString command = firstWord.match(written).captured();
        if (command != at || event == QStringLiteral("reply, then close"))
            m_socket->arrive(answers.value(command));
        if (command != at)
            return;
        if (event.endsWith(QStringLiteral("close")))
            Q_EMIT m_socket->closedByPeer();
        else if (event == QStringLiteral("error"))
            Q_EMIT m_socket->error(10054, QStringLiteral("Connection reset by peer"));
    };
}

void TestSessionFaults::eventsInsideAWrite_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("ehlo");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("outcome");
    const QString plain = crlf("250 mail.example");
    const QString pipelining = crlf("250-mail.example") + crlf("250 PIPELINING");
    const QString auth = crlf("250-mail.example") + crlf("250 AUTH PLAIN");
    const QString sent = QStringLiteral("Sent OK.");
    const QString closed = QStringLiteral("SMTP Error: connection closed by server");
    const QString reset = QStringLiteral("SMTP Error: Connection reset by peer");
    auto row = [](const char *name, const char *server, const QString &ehlo, const char *at,
                  const char *event, const QString &outcome) {
        QTest::newRow(name) << QString::fromLatin1(server) << ehlo << QString::fromLatin1(at)
                            << QString::fromLatin1(event) << outcome;
    };
    row("every reply inside its write", "mail.example", plain, "-", "-", sent);
    for (const char *at : {"EHLO", "MAIL", "RCPT", "DATA"}) {
        row(qPrintable(QStringLiteral("close at ") + QLatin1StringView(at)), "mail.example", plain,
            at, "close", closed);
        row(qPrintable(QStringLiteral("error at ") + QLatin1StringView(at)), "mail.example", plain,
            at, "error", reset);
    }
    row("close during the message", "mail.example", plain, "Subject", "close", closed);
    row("250 and close in one packet", "mail.example", plain, "Subject", "reply, then close",
        sent);
    row("close at QUIT", "mail.example", plain, "QUIT", "close", sent);
    row("error at QUIT", "mail.example", plain, "QUIT", "error", sent);
    row("pipelined: replies and close in one packet", "mail.example", pipelining, "Subject",
        "reply, then close", sent);
    row("pipelined: close at MAIL", "mail.example", pipelining, "MAIL", "close", closed);
    row("signed in, every reply inside", "smtps://mail.example", auth, "-", "-", sent);
    row("close at AUTH", "smtps://mail.example", auth, "AUTH", "close", closed);
    row("error at AUTH", "smtps://mail.example", auth, "AUTH", "error", reset);
}

void TestSessionFaults::eventsInsideAWrite()
{
    QFETCH(QString, server);
    QFETCH(QString, ehlo);
    QFETCH(QString, at);
    QFETCH(QString, event);
    QFETCH(QString, outcome);
    answerInsideWrites(ehlo, at, event);
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    qsizetype writesAtEnd = -1;
    connect(m_session.get(), &SmtpSession::finished, this,
            [&] { writesAtEnd = m_socket->sent.size(); });
    start(server);
    m_socket->arrive(crlf("220 mail.example"));

    QCOMPARE(m_status->text, outcome);
    QCOMPARE(finished.count(), 1);
    // No timer of the ended exchange goes off later, and nothing more is
    // written.
    QTest::qWait(400);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(m_status->text, outcome);
    QCOMPARE(m_socket->sent.size(), writesAtEnd);
    QCOMPARE(m_box->shown.size(), outcome.endsWith(QStringLiteral("reset by peer")) ? 1 : 0);
}

void TestSessionFaults::noSecretKeptAfterTheExchange_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("outcome");
    const QString ehlo = crlf("250-mail.example") + crlf("250 AUTH LOGIN");
    QTest::newRow("password refused")
        << QStringList{crlf("220 hi"), ehlo, crlf("334 VXNlcm5hbWU6"), crlf("334 UGFzc3dvcmQ6"),
                       crlf("535 5.7.8 invalid")}
        << QStringLiteral("SMTP Error: 535 5.7.8 invalid\r\n");
    QTest::newRow("sent") << QStringList{crlf("220 hi"),          ehlo,
                                         crlf("334 VXNlcm5hbWU6"), crlf("334 UGFzc3dvcmQ6"),
                                         crlf("235 ok"),          crlf("250 ok"),
                                         crlf("250 ok"),          crlf("354 go"),
                                         crlf("250 queued"),      crlf("221 bye")}
                          << QStringLiteral("Sent OK.");
    QTest::newRow("server gone mid-sign-in")
        << QStringList{crlf("220 hi"), ehlo, crlf("334 VXNlcm5hbWU6"), crlf("421 going away")}
        << QStringLiteral("SMTP Error: 421 going away\r\n");
}

void TestSessionFaults::noSecretKeptAfterTheExchange()
{
    QFETCH(QStringList, replies);
    QFETCH(QString, outcome);
    start(QStringLiteral("smtps://mail.example"));
    for (int i = 0; i < replies.size(); ++i) {
        m_socket->arrive(replies[i]);
        if (i == 1)
            QVERIFY(m_session->holdsSecret()); // signing in
    }
    QCOMPARE(m_status->text, outcome);
    QVERIFY(!m_session->isBusy());
    QVERIFY(!m_session->holdsSecret());
}

void TestSessionFaults::endlessChallengesEnd_data()
{
    QTest::addColumn<QString>("ehlo");
    QTest::addColumn<QStringList>("writes");
    QTest::newRow("PLAIN") << crlf("250-mail.example") + crlf("250 AUTH PLAIN")
                           << QStringList{crlf("AUTH PLAIN AGpvZQBzZWNyZXQ="),
                                          crlf("AGpvZQBzZWNyZXQ="), crlf("*")};
    QTest::newRow("LOGIN") << crlf("250-mail.example") + crlf("250 AUTH LOGIN")
                           << QStringList{crlf("AUTH LOGIN"), crlf("am9l"), crlf("c2VjcmV0"),
                                          crlf("*")};
}

// Every answer is met with another challenge: once the mechanism has had
// its last word ("*"), the next challenge ends the exchange.
void TestSessionFaults::endlessChallengesEnd()
{
    QFETCH(QString, ehlo);
    QFETCH(QStringList, writes);
    start(QStringLiteral("smtps://mail.example"));
    m_socket->arrive(crlf("220 hi"));
    m_socket->arrive(ehlo);
    for (int i = 0; i < 10 && m_session->isBusy(); ++i)
        m_socket->arrive(crlf("334 again"));
    QCOMPARE(m_socket->takeSent().mid(1), writes);
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: 334 again\r\n"));
}

// A server that lets each challenge come just before the reply time-out
// would hold the Send for minutes; the sign-in as a whole has a deadline.
void TestSessionFaults::slowSignInHasADeadline()
{
    makeSession({200ms, 2000ms, 2000ms, 200ms, 300ms});
    m_session->setCredentialSource(&m_credentials);
    start(QStringLiteral("smtps://mail.example"));
    m_socket->arrive(crlf("220 hi"));
    m_socket->arrive(crlf("250-mail.example") + crlf("250 AUTH LOGIN"));
    QTRY_COMPARE_WITH_TIMEOUT(
        m_status->text,
        QStringLiteral("SMTP Error: the server did not finish the sign-in in time"), 1500);
    QVERIFY(!m_session->holdsSecret());
}

void TestSessionFaults::silentKeyringStillAsksTheUser()
{
    MemoryKeyring keyring;
    keyring.silent = true;
    ScriptedPrompt prompt;
    prompt.passwords = {QStringLiteral("typed")};
    CredentialStore store(keyring, prompt, {}, 100ms);
    std::optional<SignIn> got;
    store.request({QStringLiteral("mail.example"), 465, QStringLiteral("joe@example.org")},
                  [&got](SignInResult s) { got = std::move(s.signIn); });
    QTRY_VERIFY_WITH_TIMEOUT(got.has_value(), 2000);
    QCOMPARE(got->password, QStringLiteral("typed"));
    QVERIFY(!prompt.lastKeyringAvailable); // nothing can be remembered in it
}

QTEST_GUILESS_MAIN(TestSessionFaults)
#include "tst_sessionfaults.moc"
