#pragma once

#include "account/credentialstore.h"

#include <QCoreApplication>

class QWidget;

// The faces of a sign-in the user sees, over a window: the sign-in window
// asking for a password or waiting for the browser, and the warning that a
// sign-in could not be remembered.
class SignInFaces final : public SignInPrompt
{
    Q_DECLARE_TR_FUNCTIONS(SignInFaces)

public:
    explicit SignInFaces(QWidget *parent) : m_parent(parent) {}

    std::optional<Answer> ask(const Account &account, bool keyringAvailable) override;
    std::optional<TokenAnswer> askBrowser(const Account &account, const OAuthProvider &provider,
                                          bool keyringAvailable, QString &failure) override;
    void notRemembered(const Account &account) override;

private:
    QWidget *m_parent;
};
