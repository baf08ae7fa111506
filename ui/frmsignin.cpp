#include "frmsignin.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

frmSignIn::frmSignIn(const Account &account, bool keyringAvailable, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSignIn"));
    setWindowTitle(QStringLiteral("Sign in"));
    setModal(true);

    lblSignIn = named(new QLabel(QStringLiteral("Sign in to ") + account.host + u':'), "lblSignIn");
    lblSignIn->setTextFormat(Qt::PlainText);
    Label1 = named(new QLabel(QStringLiteral("User name")), "Label1");
    txtUser = named(new QLineEdit(account.defaultUser), "txtUser");
    Label2 = named(new QLabel(QStringLiteral("Password")), "Label2");
    txtPassword = named(new QLineEdit, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    chkRemember = named(new QCheckBox(QStringLiteral("Remember the password")), "chkRemember");
    chkRemember->setChecked(keyringAvailable);
    if (!keyringAvailable) {
        chkRemember->setEnabled(false);
        chkRemember->setText(
            QStringLiteral("No keyring available: the password is kept until Quillon ends"));
    }
    auto *buttons = new QDialogButtonBox;
    cmdSend =
        named(buttons->addButton(QStringLiteral("Send"), QDialogButtonBox::AcceptRole), "cmdSend");
    cmdCancel = named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole),
                      "cmdCancel");
    cmdSend->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Nothing to send without both.
    auto complete = [this] {
        cmdSend->setEnabled(!txtUser->text().isEmpty() && !txtPassword->text().isEmpty());
    };
    connect(txtUser, &QLineEdit::textChanged, this, complete);
    connect(txtPassword, &QLineEdit::textChanged, this, complete);
    complete();

    auto *form = new QFormLayout;
    form->addRow(Label1, txtUser);
    form->addRow(Label2, txtPassword);
    form->addRow(chkRemember);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSignIn);
    layout->addLayout(form);
    layout->addWidget(buttons);
    txtPassword->setFocus();
}

SignInPrompt::Answer frmSignIn::answer() const
{
    return {{txtUser->text(), txtPassword->text()}, chkRemember->isChecked()};
}
