#pragma once

#include "account/credentialstore.h"
#include "account/oauthsignin.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for a sign-in to a mail account. Its password face asks for the user
// name and password: Send (the default button) takes them, Cancel sends
// nothing. Its browser face, for a server that signs in with OAuth, opens
// the system's web browser on the provider's page ("Open the browser", the
// default) and waits for it to come back; it closes once the sign-in is
// done. Tokens are never shown.
class frmSignIn : public QDialog
{
    Q_OBJECT
public:
    // Without a keyring the sign-in cannot be remembered beyond this run,
    // and the check box says so.
    frmSignIn(const Account &account, bool keyringAvailable, QWidget *parent = nullptr);
    frmSignIn(const Account &account, const OAuthProvider &provider, bool keyringAvailable,
              OAuthSignIn::Browser openBrowser, QWidget *parent = nullptr);

    // What the user typed (password face).
    SignInPrompt::Answer answer() const;
    // What the sign-in gave (browser face), once accepted.
    SignInPrompt::TokenAnswer tokenAnswer() const;
    // Why the browser face closed without a sign-in.
    QString failure() const { return m_failure; }

    void reject() override;

private:
    void addRemember(bool keyringAvailable, const QString &caption);

    QLabel *lblSignIn;
    QLabel *Label1;
    QLineEdit *txtUser;
    QLabel *Label2 = nullptr;
    QLineEdit *txtPassword = nullptr;
    QCheckBox *chkRemember = nullptr;
    QPushButton *cmdSend = nullptr;
    QPushButton *cmdBrowser = nullptr;
    QPushButton *cmdCancel;
    OAuthSignIn *m_oauth = nullptr;
    OAuthTokens m_tokens;
    QString m_failure;
};
