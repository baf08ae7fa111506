#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// A mail service that signs in with OAuth 2.0 (RFC 6749, the authorization
// code with PKCE, RFC 7636) instead of a password.
struct OAuthProvider
{
    QString name;
    QStringList hosts; // the SMTP servers that sign in with it
    QUrl authorization;
    QUrl token;
    QString clientId;
    QString clientSecret; // desktop apps' "secret" is not one; often none
    QString scope;
};

// The sign-in table: Microsoft and Google built in (with the client ids
// the build was given; one without is left out), added to or overridden by
// oauth.ini files, where an organisation registers its own app.
namespace oauthproviders {

// What Microsoft's sign-in must also grant for reading the mailbox over IMAP.
inline const QString MicrosoftImapScope =
    QStringLiteral("https://outlook.office.com/IMAP.AccessAsUser.All");

// The table with the mailbox added to Microsoft's scope (Google's already
// covers it), for reading delivery reports.
QList<OAuthProvider> withMailbox(QList<OAuthProvider> providers);

// The oauth.ini files read, in order: the data folder's, then
// Quillon/oauth.ini in each of $XDG_CONFIG_DIRS.
QStringList iniFiles(const QString &dataFolder);

// The built-in entries with a client id, and those of `iniFiles`: one
// group a provider, keys hosts (comma-separated), authorization, token,
// client_id, client_secret (optional) and scope. The first file with a
// usable entry for a provider decides it, over a built-in entry of the same name, whose values
// fill the keys it leaves out. A broken entry is left out and named in
// `problems`.
QList<OAuthProvider> load(const QStringList &iniFiles, QStringList &problems);

// Empty, or why the entry cannot be used: endpoints must be https, but on
// a loopback host (127.0.0.1, ::1, localhost) http will do.
QString problem(const OAuthProvider &provider);

// Microsoft's or Google's own token endpoint, as built in.
bool isBuiltInTokenEndpoint(const QUrl &token);

// The provider `host` signs in with, if any.
std::optional<OAuthProvider> forHost(const QList<OAuthProvider> &providers, const QString &host);

} // namespace oauthproviders
