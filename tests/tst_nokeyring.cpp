#include "account/credentialstore.h"
#include "account/keyring.h"
#include "ui/signinfaces.h"

#include "privatebus.h"
#include "windowdriver.h"

#include <QCheckBox>

// A desktop without a keyring: the sign-in window says the password
// cannot be remembered, and it lasts until the program ends.
class TestNoKeyring : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void passwordLastsTheRun();

private:
    PrivateBus m_bus;
};

void TestNoKeyring::initTestCase()
{
    const QString error = m_bus.start(false);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestNoKeyring::passwordLastsTheRun()
{
    QWidget window;
    SignInFaces faces(&window);
    DesktopKeyring keyring;
    CredentialStore store(keyring, faces);
    const Account account{QStringLiteral("mail.example"), 587, QStringLiteral("joe@example.org")};

    bool rememberEnabled = true;
    QString rememberText;
    QTimer user; // at the sign-in window when it opens
    user.setInterval(10);
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto *signIn = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!signIn || signIn->objectName() != QStringLiteral("frmSignIn"))
            return;
        user.stop();
        auto *remember = child<QCheckBox>(signIn, "chkRemember");
        rememberEnabled = remember->isEnabled();
        rememberText = remember->text();
        QTest::keyClicks(child(signIn, "txtPassword"), QStringLiteral("secret"));
        click(signIn, "cmdSend");
    });
    user.start();

    std::optional<std::optional<SignIn>> got;
    store.request(account, [&got](SignInResult s) { got.emplace(std::move(s.signIn)); });
    QTRY_VERIFY_WITH_TIMEOUT(got.has_value(), 10000);
    QVERIFY(!user.isActive());
    QCOMPARE(got->value().password, QStringLiteral("secret"));
    QVERIFY(!rememberEnabled);
    QCOMPARE(rememberText,
             QStringLiteral("No keyring available: the password is kept until Quillon ends"));

    // The next Send asks nothing.
    got.reset();
    store.request(account, [&got](SignInResult s) { got.emplace(std::move(s.signIn)); });
    QVERIFY(got.has_value());
    QCOMPARE(got->value().password, QStringLiteral("secret"));
}

QTEST_MAIN(TestNoKeyring)
#include "tst_nokeyring.moc"
