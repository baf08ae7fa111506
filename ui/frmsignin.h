#pragma once

#include "credentialstore.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the user name and password of a mail account before a Send.
// Send (the default button) takes them, Cancel sends nothing.
class frmSignIn : public QDialog
{
    Q_OBJECT
public:
    // Without a keyring the password cannot be remembered beyond this run,
    // and the check box says so.
    frmSignIn(const Account &account, bool keyringAvailable, QWidget *parent = nullptr);

    // What the user typed.
    SignInPrompt::Answer answer() const;

private:
    QLabel *lblSignIn;
    QLabel *Label1;
    QLineEdit *txtUser;
    QLabel *Label2;
    QLineEdit *txtPassword;
    QCheckBox *chkRemember;
    QPushButton *cmdSend;
    QPushButton *cmdCancel;
};
