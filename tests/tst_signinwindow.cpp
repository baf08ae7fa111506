#include "ui/frmsignin.h"

#include "windowdriver.h"

#include <QCheckBox>

namespace {

const Account account{QStringLiteral("mail.example"), 587, QStringLiteral("joe@example.org")};

} // namespace

// The sign-in window as the user meets it, without a server.
class TestSignInWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fields();
    void enterSends();
    void cancelSendsNothing_data();
    void cancelSendsNothing();
    void withoutKeyring();
};

void TestSignInWindow::fields()
{
    frmSignIn w(account, true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.objectName(), QStringLiteral("frmSignIn"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Sign in"));
    QVERIFY(w.isModal());
    QCOMPARE(shown(&w, "lblSignIn"), QStringLiteral("Sign in to mail.example:"));
    QCOMPARE(shown(&w, "txtUser"), QStringLiteral("joe@example.org"));
    QCOMPARE(child<QLineEdit>(&w, "txtPassword")->echoMode(), QLineEdit::Password);
    QCOMPARE(QApplication::focusWidget(), child(&w, "txtPassword"));
    auto *remember = child<QCheckBox>(&w, "chkRemember");
    QCOMPARE(remember->text(), QStringLiteral("Remember the password"));
    QVERIFY(remember->isChecked() && remember->isEnabled());
    auto *send = child<QPushButton>(&w, "cmdSend");
    QCOMPARE(send->text(), QStringLiteral("Send"));
    QVERIFY(send->isDefault());
    QCOMPARE(child<QPushButton>(&w, "cmdCancel")->text(), QStringLiteral("Cancel"));
    QVERIFY(!send->isEnabled()); // nothing to send without a password
    QTest::keyClicks(child(&w, "txtPassword"), QStringLiteral("x"));
    QVERIFY(send->isEnabled());
    type(&w, "txtUser", QString());
    QVERIFY(!send->isEnabled());
}

void TestSignInWindow::enterSends()
{
    frmSignIn w(account, true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    type(&w, "txtUser", QStringLiteral("joe.login"));
    QTest::keyClicks(child(&w, "txtPassword"), QStringLiteral("s3cret"));
    QTest::keyClick(child(&w, "txtPassword"), Qt::Key_Return);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    const SignInPrompt::Answer a = w.answer();
    QCOMPARE(a.signIn.user, QStringLiteral("joe.login"));
    QCOMPARE(a.signIn.password, QStringLiteral("s3cret"));
    QVERIFY(a.remember);
}

void TestSignInWindow::cancelSendsNothing_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
}

void TestSignInWindow::cancelSendsNothing()
{
    QFETCH(bool, byEscape);
    frmSignIn w(account, true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClicks(child(&w, "txtPassword"), QStringLiteral("s3cret"));
    if (byEscape)
        QTest::keyClick(child(&w, "txtPassword"), Qt::Key_Escape);
    else
        click(&w, "cmdCancel");
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QVERIFY(!w.isVisible());
}

void TestSignInWindow::withoutKeyring()
{
    frmSignIn w(account, false);
    auto *remember = child<QCheckBox>(&w, "chkRemember");
    QVERIFY(!remember->isEnabled());
    QVERIFY(!remember->isChecked());
    QCOMPARE(remember->text(),
             QStringLiteral("No keyring available: the password is kept until Quillon ends"));
    QVERIFY(!w.answer().remember);
}

QTEST_MAIN(TestSignInWindow)
#include "tst_signinwindow.moc"
