#include "ui/signinfaces.h"

#include "ui/frmsignin.h"
#include "ui/plaintext.h"

#include <QDesktopServices>

std::optional<SignInPrompt::Answer> SignInFaces::ask(const Account &account, bool keyringAvailable)
{
    frmSignIn window(account, keyringAvailable, m_parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.answer();
}

std::optional<SignInPrompt::TokenAnswer> SignInFaces::askBrowser(const Account &account,
                                                                 const OAuthProvider &provider,
                                                                 bool keyringAvailable,
                                                                 QString &failure)
{
    frmSignIn window(account, provider, keyringAvailable,
                     [](const QUrl &url) { return QDesktopServices::openUrl(url); }, m_parent);
    if (window.exec() == QDialog::Accepted)
        return window.tokenAnswer();
    failure = window.failure();
    return std::nullopt;
}

void SignInFaces::notRemembered(const Account &account)
{
    plaintext::warning(m_parent, QStringLiteral("Quillon"),
                       tr("The keyring did not take the sign-in for %1, so Quillon "
                          "keeps it only until it ends.")
                           .arg(account.host));
}
