#include "account/credentialstore.h"
#include "account/keyring.h"
#include "fakes.h"
#include "fakesend.h"
#include "oauthserver.h"
#include "privatebus.h"
#include "realsender.h"
#include "smtpcapture.h"
#include "ui/frmsignin.h"
#include "windowdriver.h"

#include <QDesktopServices>

#ifndef MAKE_CERTS_SCRIPT
#error MAKE_CERTS_SCRIPT must name tests/make_certs.sh
#endif
#ifndef STAND_IN_BROWSER_SCRIPT
#error STAND_IN_BROWSER_SCRIPT must name tests/stand_in_browser.py
#endif

namespace {

// The user at the real sign-in window: presses "Open the browser", or
// Cancel; the browser is the stand-in, started by Qt as $BROWSER.
struct BrowserUser : SignInPrompt
{
    std::optional<Answer> ask(const Account &, bool) override
    {
        ++passwordsAsked;
        return Answer{{QStringLiteral("joe@example.org"), QStringLiteral("right"), {}, false}, false};
    }
    std::optional<TokenAnswer> askBrowser(const Account &account, const OAuthProvider &provider,
                                          bool keyringAvailable, QString &failure) override
    {
        ++browserFaces;
        frmSignIn window(account, provider, keyringAvailable,
                         [](const QUrl &url) { return QDesktopServices::openUrl(url); });
        QTimer::singleShot(0, &window, [&] {
            invitation = shown(&window, "lblSignIn");
            click(&window, cancels ? "cmdCancel" : "cmdBrowser");
            waiting = shown(&window, "lblSignIn");
        });
        if (window.exec() == QDialog::Accepted)
            return window.tokenAnswer();
        failure = window.failure();
        return std::nullopt;
    }
    void notRemembered(const Account &) override {}

    bool cancels = false;
    int browserFaces = 0;
    int passwordsAsked = 0;
    QString invitation;
    QString waiting;
};

} // namespace

// Signing in with OAuth 2.0 for real, all on loopback: the test's
// authorization server, aiosmtpd taking XOAUTH2 and OAUTHBEARER and checking
// each token with it, the sign-in window's browser face, Qt opening
// $BROWSER (a stand-in that approves or is refused and follows the
// redirect), and GNOME Keyring keeping the refresh token.
class TestOAuth : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void signInOnceThenNoBrowser_data();
    void signInOnceThenNoBrowser();
    void onlyXoauth2Offered();
    void tokenRenewal_data();
    void tokenRenewal();
    void revokedRefreshBringsTheBrowserBack();
    void refusals_data();
    void refusals();
    void wrongStateIsIgnored();
    void keyringAcrossARestart();
    void passwordServersUnchanged();
    void noTokenInAnyFile();
    void tokenEndpointThatNeverAnswers();
    void signedInAsAnotherAccount();
    void storedTokenGoesOnlyToItsProvider();

private:
    // Quillon as one run has it: the desktop's keyring, the sign-in
    // window's browser face and the Outbox.
    struct Run
    {
        Run(const QList<QSslCertificate> &issuers, const QList<OAuthProvider> &providers,
            std::chrono::milliseconds tokenWait)
            : sender(issuers, parts(providers, tokenWait), &user)
        {
            sender.waitMs = 60000; // the browser takes its time
        }
        static OutboxParts parts(const QList<OAuthProvider> &providers,
                                 std::chrono::milliseconds tokenWait)
        {
            OutboxParts parts;
            parts.keyring = std::make_unique<DesktopKeyring>();
            parts.providers = providers;
            parts.tokenWait = tokenWait;
            return parts;
        }
        QString send(const QString &server)
        {
            return sender.send(server, QStringLiteral("jane@example.org"), {},
                               QStringLiteral("Contract"), QStringLiteral("Signed."));
        }
        BrowserUser user;
        RealSender sender;
    };
    QList<QJsonObject> authLog() const;
    QString server() const { return QStringLiteral("starttls://127.0.0.1:%1").arg(m_smtp->port); }
    void browserConfig(const QJsonObject &config)
    {
        QFile f(m_browser);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(QJsonDocument(config).toJson());
    }
    QJsonObject browserLog() const
    {
        QFile f(m_browser);
        f.open(QIODevice::ReadOnly);
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    std::unique_ptr<Run> newRun(bool secret = false,
                                std::chrono::milliseconds tokenWait = std::chrono::minutes(2),
                                const OAuthServer *auth = nullptr)
    {
        return std::make_unique<Run>(
            QSslCertificate::fromPath(m_certs.filePath(QStringLiteral("ca.pem"))),
            QList<OAuthProvider>{(auth ? *auth : m_auth).provider({QStringLiteral("127.0.0.1")}, secret)},
            tokenWait);
    }
    static qsizetype refreshes(const QJsonObject &log)
    {
        qsizetype n = 0;
        for (const QJsonValue &t : log[QStringLiteral("token")].toArray())
            n += t[QStringLiteral("grant_type")].toString() == QStringLiteral("refresh_token");
        return n;
    }
    bool startSmtp(const QStringList &extra = {})
    {
        m_smtp = std::make_unique<SmtpCapture>();
        return m_smtp->start(QStringList{QStringLiteral("--starttls"),
                                         m_certs.filePath(QStringLiteral("server.pem")),
                                         m_certs.filePath(QStringLiteral("server.key")),
                                         QStringLiteral("--oauth"), QString::number(m_auth.port)} +
                             extra);
    }

    PrivateBus m_bus;
    QTemporaryDir m_certs;
    QTemporaryDir m_scratch;
    QString m_browser; // the stand-in's settings and log
    OAuthServer m_auth;
    std::unique_ptr<SmtpCapture> m_smtp;
    std::unique_ptr<Run> m_run;
};

void TestOAuth::initTestCase()
{
    const QString error = m_bus.start(true);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QProcess make;
    make.start(QStringLiteral("bash"), {QStringLiteral(MAKE_CERTS_SCRIPT), m_certs.path()});
    QVERIFY(make.waitForFinished(60000) && make.exitCode() == 0);
    QVERIFY(m_auth.start());
    // Qt opens $BROWSER with the address; xdg-open, where there is one,
    // does too when no desktop is named.
    m_browser = m_scratch.filePath(QStringLiteral("browser.json"));
    qputenv("BROWSER", STAND_IN_BROWSER_SCRIPT);
    qputenv("STAND_IN_BROWSER", QFile::encodeName(m_browser));
    qunsetenv("XDG_CURRENT_DESKTOP");
}

void TestOAuth::init()
{
    browserConfig({});
    m_auth.control({{QStringLiteral("deny"), false},
                    {QStringLiteral("lifetime"), 3600},
                    {QStringLiteral("silent"), false},
                    {QStringLiteral("id_email"), QJsonValue()}});
    QVERIFY2(startSmtp(), qPrintable(m_smtp->errors()));
    m_run = newRun();
}

QList<QJsonObject> TestOAuth::authLog() const
{
    QList<QJsonObject> entries;
    QFile f(QFileInfo(m_smtp->mailFilePath()).dir().filePath(QStringLiteral("auth.jsonl")));
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : f.readAll().split('\n')) {
            if (!line.isEmpty())
                entries.append(QJsonDocument::fromJson(line).object());
        }
    }
    return entries;
}

void TestOAuth::signInOnceThenNoBrowser_data()
{
    QTest::addColumn<bool>("secret");
    QTest::newRow("public client, as Microsoft's") << false;
    QTest::newRow("client with a secret, as Google's") << true;
}

void TestOAuth::signInOnceThenNoBrowser()
{
    QFETCH(bool, secret);
    m_run = newRun(secret);
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(m_run->user.browserFaces, 1);
    QCOMPARE(m_run->user.invitation, QStringLiteral("Sign in to 127.0.0.1 in your web browser."));
    QCOMPARE(m_run->user.waiting, QStringLiteral("Waiting for your web browser\u2026"));
    QCOMPARE(m_smtp->messages().first()[QStringLiteral("signed_in_as")].toString(),
             QStringLiteral("joe@example.org"));
    const QJsonObject authorized = m_auth.log()[QStringLiteral("authorize")].toArray().last().toObject();
    QCOMPARE(authorized[QStringLiteral("login_hint")].toString(), QStringLiteral("joe@example.org"));
    QCOMPARE(authorized[QStringLiteral("code_challenge_method")].toString(), QStringLiteral("S256"));
    QCOMPARE(browserLog()[QStringLiteral("log")].toArray().last()[QStringLiteral("visits")][0],
             QJsonArray({200, QStringLiteral("Quillon is signed in. You can close this page.\n")}));
    // OAUTHBEARER, preferred, its AUTH line whole however long the token.
    const QJsonObject auth = authLog().last();
    QCOMPARE(auth[QStringLiteral("mechanism")].toString(), QStringLiteral("OAUTHBEARER"));
    QVERIFY(auth[QStringLiteral("line_length")].toInt() > 1600);

    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(m_run->user.browserFaces, 1);
}

void TestOAuth::onlyXoauth2Offered()
{
    QVERIFY(startSmtp({QStringLiteral("--only-mechanism"), QStringLiteral("XOAUTH2")}));
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(authLog().last()[QStringLiteral("mechanism")].toString(), QStringLiteral("XOAUTH2"));
}

void TestOAuth::tokenRenewal_data()
{
    QTest::addColumn<int>("lifetime");
    QTest::addColumn<bool>("expireAtServer");
    QTest::addColumn<QString>("answerToRefusal"); // hex; empty: no refusal
    QTest::newRow("ends within 5 minutes: refreshed first") << 60 << false << QString();
    QTest::newRow("ended early at the server: refused, refreshed, sent anew")
        << 3600 << true << QStringLiteral("01"); // OAUTHBEARER's %x01
}

void TestOAuth::tokenRenewal()
{
    QFETCH(int, lifetime);
    QFETCH(bool, expireAtServer);
    QFETCH(QString, answerToRefusal);
    m_auth.control({{QStringLiteral("lifetime"), lifetime}});
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    const qsizetype refreshes = [&] {
        qsizetype n = 0;
        for (const QJsonValue &t : m_auth.log()[QStringLiteral("token")].toArray())
            n += t[QStringLiteral("grant_type")].toString() == QStringLiteral("refresh_token");
        return n;
    }();
    if (expireAtServer)
        m_auth.control({{QStringLiteral("expire"), true}});
    const qsizetype before = authLog().size();
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(m_run->user.browserFaces, 1);
    qsizetype refreshedNow = 0;
    for (const QJsonValue &t : m_auth.log()[QStringLiteral("token")].toArray())
        refreshedNow += t[QStringLiteral("grant_type")].toString() == QStringLiteral("refresh_token");
    QCOMPARE(refreshedNow, refreshes + 1);
    const QList<QJsonObject> attempts = authLog().mid(before);
    QCOMPARE(attempts.size(), answerToRefusal.isEmpty() ? 1 : 2);
    if (!answerToRefusal.isEmpty())
        QCOMPARE(attempts.first()[QStringLiteral("answer_to_refusal")].toString(), answerToRefusal);
    QVERIFY(attempts.last()[QStringLiteral("accepted")].toBool());
}

void TestOAuth::revokedRefreshBringsTheBrowserBack()
{
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    m_auth.control({{QStringLiteral("expire"), true}, {QStringLiteral("revoke"), true}});
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(m_run->user.browserFaces, 2);
}

void TestOAuth::refusals_data()
{
    QTest::addColumn<bool>("deny");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("the user denies") << true << false
                                     << "Not sent: the sign-in was refused: access_denied: The "
                                        "resource owner or authorization server denied the "
                                        "request";
    QTest::newRow("Cancel") << false << true << "Not sent: no sign-in given.";
}

void TestOAuth::refusals()
{
    QFETCH(bool, deny);
    QFETCH(bool, cancel);
    QFETCH(QString, outcome);
    m_auth.control({{QStringLiteral("deny"), deny}});
    m_run->user.cancels = cancel;
    QCOMPARE(m_run->send(server()), outcome);
    QCOMPARE(m_smtp->messages().size(), 0);
    QCOMPARE(authLog().size(), 0); // nothing reached the server
}

// A redirect that does not bring the state back is refused and changes
// nothing; the right one still signs in.
void TestOAuth::wrongStateIsIgnored()
{
    browserConfig({{QStringLiteral("wrong_state"), true}});
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    const QJsonArray visits =
        browserLog()[QStringLiteral("log")].toArray().last()[QStringLiteral("visits")].toArray();
    QCOMPARE(visits.size(), 2);
    QCOMPARE(visits[0][0].toInt(), 400);
    QCOMPARE(visits[1][0].toInt(), 200);
}

void TestOAuth::keyringAcrossARestart()
{
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    m_run.reset();
    auto next = newRun();
    QCOMPARE(next->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(next->user.browserFaces, 0); // the refresh token was in the keyring
}

void TestOAuth::passwordServersUnchanged()
{
    SmtpCapture passwords;
    QVERIFY(passwords.start({QStringLiteral("--starttls"),
                             m_certs.filePath(QStringLiteral("server.pem")),
                             m_certs.filePath(QStringLiteral("server.key")), QStringLiteral("--auth"),
                             QStringLiteral("joe@example.org"), QStringLiteral("right")}));
    QCOMPARE(m_run->send(QStringLiteral("starttls://localhost:%1").arg(passwords.port)),
             QStringLiteral("Sent OK."));
    QCOMPARE(m_run->user.passwordsAsked, 1);
    QCOMPARE(m_run->user.browserFaces, 0);
}

// Access tokens live in memory only; refresh tokens in the keyring, which
// keeps them encrypted.
void TestOAuth::noTokenInAnyFile()
{
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    m_run.reset();
    const QJsonArray issued = m_auth.log()[QStringLiteral("issued")].toArray();
    QVERIFY(issued.size() > 4);
    for (const QJsonValue &token : issued) {
        const QByteArray t = token.toString().toUtf8();
        QCOMPARE(m_bus.filesHolding(t), QStringList());
        QVERIFY(!fileBytes(m_smtp->mailFilePath()).contains(t));
    }
}

// The token endpoint takes the refresh and never answers: the Send ends
// when the deadline for token requests passes, and says why.
void TestOAuth::tokenEndpointThatNeverAnswers()
{
    m_run = newRun(false, std::chrono::milliseconds(500));
    m_auth.control({{QStringLiteral("lifetime"), 60}}); // refreshed at the next Send
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    m_auth.control({{QStringLiteral("silent"), true}});
    QCOMPARE(m_run->send(server()),
             QStringLiteral("Not sent: the sign-in server did not answer in time."));
    QVERIFY(!m_run->sender.outbox->isBusy());
    QCOMPARE(m_smtp->messages().size(), 1);
}

// The browser signed in another account than the E-mail setting's: the
// Send ends, nothing of that sign-in is kept, and the right account works.
void TestOAuth::signedInAsAnotherAccount()
{
    m_auth.control({{QStringLiteral("id_email"), QStringLiteral("mallory@example.org")}});
    QCOMPARE(m_run->send(server()),
             QStringLiteral("Not sent: signed in as mallory@example.org, not joe@example.org"));
    QCOMPARE(m_smtp->messages().size(), 0);
    QCOMPARE(authLog().size(), 0);
    m_auth.control({{QStringLiteral("id_email"), QStringLiteral("JOE@example.org")}});
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    QCOMPARE(m_run->user.browserFaces, 2); // the first sign-in was not kept
}

// oauth.ini now sends the host to another token endpoint: the refresh
// token the keyring holds is not posted there; the browser signs in anew.
void TestOAuth::storedTokenGoesOnlyToItsProvider()
{
    QCOMPARE(m_run->send(server()), QStringLiteral("Sent OK."));
    const qsizetype refreshedAtFirst = refreshes(m_auth.log());
    m_run.reset();
    OAuthServer other;
    QVERIFY(other.start());
    auto moved = newRun(false, std::chrono::minutes(2), &other);
    moved->send(server()); // the mail server trusts only the first's tokens
    QCOMPARE(moved->user.browserFaces, 1);
    QCOMPARE(refreshes(other.log()), 0);
    QCOMPARE(refreshes(m_auth.log()), refreshedAtFirst);
}

QTEST_MAIN(TestOAuth)
#include "tst_oauth.moc"
