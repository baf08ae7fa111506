#include "account/oauthsignin.h"
#include "sessionfixture.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QUrlQuery>

// OAuth 2.0 on the wire, over the scripted socket: the token before the
// connection, XOAUTH2 and OAUTHBEARER lines whole, a refusal answered as
// each mechanism has it, one renewal on a new connection; and a sign-in in
// the browser that never comes back.
class TestOAuthSession : public SessionFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_credentials = FakeCredentials();
        m_credentials.beforeConnecting = true;
        m_credentials.answer = SignIn{QStringLiteral("joe@example.org"), {}, m_token, false};
        makeSession();
        m_session->setCredentialSource(&m_credentials);
    }
    void tokenLinesWhole_data();
    void tokenLinesWhole();
    void refusedTokenRenewedOnce_data();
    void refusedTokenRenewedOnce();
    void noSignInWithinTheLimit();

private:
    void startSigningIn(const QString &mechanisms)
    {
        QVERIFY(m_session->start({QStringLiteral("smtps://mail.example"), m_params}));
        QCOMPARE(m_credentials.requests.size(), 1); // before connecting
        Q_EMIT m_socket->connected();
        Q_EMIT m_socket->encrypted();
        m_socket->arrive(crlf("220 mail.example"));
        m_socket->takeSent();
        m_socket->arrive(crlf("250-mail.example") + QStringLiteral("250 AUTH ") + mechanisms +
                         QStringLiteral("\r\n"));
    }

    FakeCredentials m_credentials;
    const QString m_token = QStringLiteral("t").repeated(2000); // as long as Microsoft's
};

void TestOAuthSession::tokenLinesWhole_data()
{
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QByteArray>("response");
    const QByteArray token = QByteArray(2000, 't');
    QTest::newRow("XOAUTH2") << "LOGIN XOAUTH2"
                             << "XOAUTH2 " + ("user=joe@example.org\x01" "auth=Bearer " + token +
                                              "\x01\x01")
                                                 .toBase64();
    QTest::newRow("OAUTHBEARER, preferred")
        << "XOAUTH2 OAUTHBEARER"
        << "OAUTHBEARER " + ("n,a=joe@example.org,\x01host=mail.example\x01port=465\x01"
                             "auth=Bearer " + token + "\x01\x01")
                                .toBase64();
}

void TestOAuthSession::tokenLinesWhole()
{
    QFETCH(QString, offered);
    QFETCH(QByteArray, response);
    startSigningIn(offered);
    QCOMPARE(m_socket->takeSent(),
             QStringList{QStringLiteral("AUTH ") + QString::fromLatin1(response) + crlf("")});
    QCOMPARE(m_socket->takeSent(), QStringList());
    m_socket->arrive(crlf("235 2.7.0 Authentication successful"));
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("MAIL FROM:<joe@example.org>")});
}

void TestOAuthSession::refusedTokenRenewedOnce_data()
{
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("answer"); // to the 334 that says why
    QTest::newRow("XOAUTH2: an empty line") << "XOAUTH2" << crlf("");
    QTest::newRow("OAUTHBEARER: %x01") << "OAUTHBEARER" << crlf("AQ==");
}

// A token from memory may have been revoked: once, a fresh one on a new
// connection; a fresh one refused is the end.
void TestOAuthSession::refusedTokenRenewedOnce()
{
    QFETCH(QString, offered);
    QFETCH(QString, answer);
    QSignalSpy finished(m_session.get(), &SmtpSession::finished);
    const QString why = crlf("334 eyJzdGF0dXMiOiI0MDEiLCJzY2hlbWVzIjoiYmVhcmVyIn0=");
    const QString refusal = crlf("535 5.7.3 Authentication unsuccessful");
    startSigningIn(offered);
    m_socket->takeSent();
    m_socket->arrive(why);
    QCOMPARE(m_socket->takeSent(), QStringList{answer});
    m_credentials.answer->fresh = true; // what the renewal gives
    m_socket->arrive(refusal);
    QCOMPARE(m_socket->takeSent(), QStringList{crlf("QUIT")});
    QCOMPARE(m_credentials.refusals.size(), 1);
    QCOMPARE(m_credentials.requests.size(), 2);
    QCOMPARE(m_socket->connects, 2);
    QCOMPARE(finished.count(), 0);

    Q_EMIT m_socket->connected();
    Q_EMIT m_socket->encrypted();
    m_socket->arrive(crlf("220 mail.example"));
    m_socket->arrive(crlf("250-mail.example") + QStringLiteral("250 AUTH ") + offered + crlf(""));
    m_socket->arrive(why);
    m_socket->arrive(refusal);
    QCOMPARE(m_status->text, QStringLiteral("SMTP Error: ") + refusal);
    QCOMPARE(m_socket->connects, 2);
    QCOMPARE(finished.count(), 1);
    QVERIFY(!m_session->holdsSecret());
}

// Nobody comes back from the browser: the sign-in ends, and its listener
// with it.
void TestOAuthSession::noSignInWithinTheLimit()
{
    QUrl opened;
    OAuthSignIn signIn({QStringLiteral("Test"), {QStringLiteral("mail.example")},
                        QUrl(QStringLiteral("http://127.0.0.1:9/authorize")),
                        QUrl(QStringLiteral("http://127.0.0.1:9/token")), QStringLiteral("client"),
                        QString(), QStringLiteral("smtp")},
                       [&opened](const QUrl &url) {
                           opened = url;
                           return true;
                       });
    QSignalSpy failed(&signIn, &OAuthSignIn::failed);
    signIn.authorize(QStringLiteral("joe@example.org"), 300ms);
    QTRY_VERIFY(!opened.isEmpty());
    const QUrlQuery asked(opened);
    QCOMPARE(asked.queryItemValue(QStringLiteral("code_challenge_method")), QStringLiteral("S256"));
    const QUrl redirect(asked.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    QCOMPARE(redirect.host(), QStringLiteral("127.0.0.1"));
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, quint16(redirect.port()));
    QVERIFY(probe.waitForConnected(2000)); // listening meanwhile
    probe.abort();

    QVERIFY(failed.wait(2000));
    QCOMPARE(failed.first().first().toString(),
             QStringLiteral("Not sent: no sign-in within 5 minutes."));
    probe.connectToHost(QHostAddress::LocalHost, quint16(redirect.port()));
    QVERIFY(!probe.waitForConnected(1000));
}

QTEST_GUILESS_MAIN(TestOAuthSession)
#include "tst_oauthsession.moc"
