#include "ui/frmsignin.h"

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
    setWindowTitle(tr("Sign in"));
    setModal(true);

    lblSignIn = named(new QLabel(tr("Sign in to %1:").arg(account.host)), "lblSignIn");
    lblSignIn->setTextFormat(Qt::PlainText);
    Label1 = named(new QLabel(tr("User name")), "Label1");
    txtUser = named(new QLineEdit(account.defaultUser), "txtUser");
    Label2 = named(new QLabel(tr("Password")), "Label2");
    txtPassword = named(new QLineEdit, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    addRemember(keyringAvailable, tr("Remember the password"));
    auto *buttons = new QDialogButtonBox;
    cmdSend = named(buttons->addButton(tr("Send"), QDialogButtonBox::AcceptRole), "cmdSend");
    cmdCancel = named(buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole), "cmdCancel");
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

frmSignIn::frmSignIn(const Account &account, const OAuthProvider &provider,
                     bool keyringAvailable, OAuthSignIn::Browser openBrowser, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSignIn"));
    setWindowTitle(tr("Sign in"));
    setModal(true);

    const QString invitation = tr("Sign in to %1 in your web browser.").arg(account.host);
    lblSignIn = named(new QLabel(invitation), "lblSignIn");
    lblSignIn->setTextFormat(Qt::PlainText);
    Label1 = named(new QLabel(tr("User name")), "Label1");
    txtUser = named(new QLineEdit(account.defaultUser), "txtUser");
    addRemember(keyringAvailable, tr("Remember the sign-in"));
    auto *buttons = new QDialogButtonBox;
    cmdBrowser = named(buttons->addButton(tr("Open the browser"), QDialogButtonBox::ActionRole),
                       "cmdBrowser");
    cmdCancel = named(buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole), "cmdCancel");
    cmdBrowser->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_oauth = new OAuthSignIn(provider, std::move(openBrowser), this);
    connect(cmdBrowser, &QPushButton::clicked, this, [this] {
        lblSignIn->setText(tr("Waiting for your web browser\u2026"));
        m_oauth->authorize(txtUser->text());
    });
    connect(m_oauth, &OAuthSignIn::granted, this, [this](const OAuthTokens &tokens) {
        m_tokens = tokens;
        accept();
    });
    connect(m_oauth, &OAuthSignIn::failed, this, [this](const QString &failure) {
        m_failure = failure;
        QDialog::reject();
    });

    auto *form = new QFormLayout;
    form->addRow(Label1, txtUser);
    form->addRow(chkRemember);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSignIn);
    layout->addLayout(form);
    layout->addWidget(buttons);
    cmdBrowser->setFocus();
}

void frmSignIn::addRemember(bool keyringAvailable, const QString &caption)
{
    chkRemember = named(new QCheckBox(caption), "chkRemember");
    chkRemember->setChecked(keyringAvailable);
    if (!keyringAvailable) {
        chkRemember->setEnabled(false);
        chkRemember->setText(
            txtPassword ? tr("No keyring available: the password is kept until Quillon ends")
                        : tr("No keyring available: the sign-in is kept until Quillon ends"));
    }
}

// Cancel, Escape or the frame: a sign-in under way is given up on.
void frmSignIn::reject()
{
    if (m_failure.isEmpty())
        m_failure = tr("Not sent: no sign-in given.");
    if (m_oauth)
        m_oauth->cancel(); // closes the listener
    QDialog::reject();
}

SignInPrompt::Answer frmSignIn::answer() const
{
    return {{txtUser->text(), txtPassword->text(), {}, false}, chkRemember->isChecked()};
}

SignInPrompt::TokenAnswer frmSignIn::tokenAnswer() const
{
    return {txtUser->text(), m_tokens, chkRemember->isChecked()};
}
