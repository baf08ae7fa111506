#include "account/credentialstore.h"
#include "account/keyring.h"
#include "fakekeyring.h"
#include "realsender.h"

#include "privatebus.h"
#include "smtpcapture.h"

#include <QSignalSpy>
#include <QTest>

#ifndef MAKE_CERTS_SCRIPT
#error MAKE_CERTS_SCRIPT must name tests/make_certs.sh
#endif

namespace {

const QString password = QStringLiteral("p4ss-w\u00f6rd of the keyring test");

// What the keyring holds under `key`, once its answer is in.
std::pair<Keyring::Result, QByteArray> readBack(Keyring &keyring, const QString &key)
{
    std::optional<std::pair<Keyring::Result, QByteArray>> got;
    keyring.read(key, [&got](Keyring::Result r, const QByteArray &s) { got.emplace(r, s); });
    if (!QTest::qWaitFor([&got] { return got.has_value(); }, 10000))
        qWarning("the keyring did not answer");
    return got.value_or(std::pair{Keyring::Result::Unavailable, QByteArray()});
}

std::optional<SignIn> request(CredentialStore &store, const Account &account)
{
    std::optional<std::optional<SignIn>> got;
    store.request(account, [&got](SignInResult s) { got.emplace(std::move(s.signIn)); });
    if (!QTest::qWaitFor([&got] { return got.has_value(); }, 10000))
        qWarning("the keyring did not answer");
    return got.value_or(std::nullopt);
}

} // namespace

// The desktop keyring for real: GNOME Keyring in a D-Bus session of the
// test's own.
class TestKeyring : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void rememberedForTheNextRun();
    void notRememberedLastsTheRun();
    void refusedBySignInIsForgotten();
    void cleanupTestCase();

private:
    PrivateBus m_bus;
    DesktopKeyring m_keyring;
    QTemporaryDir m_certs;
};

void TestKeyring::initTestCase()
{
    const QString error = m_bus.start(true);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QProcess make;
    make.start(QStringLiteral("bash"), {QStringLiteral(MAKE_CERTS_SCRIPT), m_certs.path()});
    QVERIFY(make.waitForFinished(60000) && make.exitCode() == 0);
}

void TestKeyring::rememberedForTheNextRun()
{
    const Account account{QStringLiteral("mail.example"), 587, QStringLiteral("joe@example.org")};
    {
        ScriptedPrompt prompt;
        prompt.user = QStringLiteral("joe.login");
        prompt.passwords = {password};
        CredentialStore store(m_keyring, prompt);
        const std::optional<SignIn> signIn = request(store, account);
        QVERIFY(signIn);
        QCOMPARE(signIn->user, QStringLiteral("joe.login"));
        QVERIFY(prompt.lastKeyringAvailable);
        QTRY_COMPARE_WITH_TIMEOUT(readBack(m_keyring, account.key()).first, Keyring::Result::Found,
                                  10000);
    }
    ScriptedPrompt nextRun; // has no password to give: asking would fail
    CredentialStore store(m_keyring, nextRun);
    const std::optional<SignIn> signIn = request(store, account);
    QVERIFY(signIn);
    QCOMPARE(signIn->user, QStringLiteral("joe.login"));
    QCOMPARE(signIn->password, password);
    QVERIFY(nextRun.asked.isEmpty());
}

void TestKeyring::notRememberedLastsTheRun()
{
    const Account account{QStringLiteral("mail.example"), 465, QStringLiteral("joe@example.org")};
    ScriptedPrompt prompt;
    prompt.passwords = {password};
    prompt.remember = false;
    CredentialStore store(m_keyring, prompt);
    QCOMPARE(request(store, account)->password, password);
    QCOMPARE(request(store, account)->password, password);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(readBack(m_keyring, account.key()).first, Keyring::Result::NotFound);
}

void TestKeyring::refusedBySignInIsForgotten()
{
    SmtpCapture server;
    QVERIFY2(
        server.start({QStringLiteral("--starttls"), m_certs.filePath(QStringLiteral("server.pem")),
                      m_certs.filePath(QStringLiteral("server.key")), QStringLiteral("--auth"),
                      QStringLiteral("joe@example.org"), QStringLiteral("the right one")}),
        qPrintable(server.errors()));
    const QString setting = QStringLiteral("starttls://127.0.0.1:%1").arg(server.port);
    const Account account{QStringLiteral("127.0.0.1"), server.port,
                          QStringLiteral("joe@example.org")};

    OutboxParts parts;
    parts.keyring = std::make_unique<DesktopKeyring>();
    RealSender sender(QSslCertificate::fromPath(m_certs.filePath(QStringLiteral("ca.pem"))),
                      std::move(parts));
    ScriptedPrompt &prompt = sender.prompt;
    prompt.passwords = {password};
    auto send = [&] {
        return sender.send(setting, QStringLiteral("jane@example.org"), QString(),
                           QStringLiteral("Hi"), QStringLiteral("Hello"));
    };
    QCOMPARE(send(), QStringLiteral("SMTP Error: 535 5.7.8 Authentication credentials invalid\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(readBack(m_keyring, account.key()).first, Keyring::Result::NotFound,
                              10000);

    // The next Send asks again.
    prompt.passwords = {QStringLiteral("the right one")};
    QCOMPARE(send(), QStringLiteral("Sent OK."));
    QCOMPARE(prompt.asked.size(), 2);
}

// Only the keyring's own file holds the passwords, encrypted.
void TestKeyring::cleanupTestCase()
{
    for (const QString &secret : {password, QStringLiteral("the right one")}) {
        QCOMPARE(m_bus.filesHolding(secret.toUtf8()), QStringList());
        QCOMPARE(m_bus.filesHolding(secret.toUtf8().toBase64()), QStringList());
    }
}

QTEST_GUILESS_MAIN(TestKeyring)
#include "tst_keyring.moc"
