#include "account/oauthproviders.h"

#include "store/configfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>

#ifndef QUILLON_MICROSOFT_CLIENT_ID
#define QUILLON_MICROSOFT_CLIENT_ID ""
#endif
#ifndef QUILLON_GOOGLE_CLIENT_ID
#define QUILLON_GOOGLE_CLIENT_ID ""
#endif
#ifndef QUILLON_GOOGLE_CLIENT_SECRET
#define QUILLON_GOOGLE_CLIENT_SECRET ""
#endif

namespace oauthproviders {

namespace {

// Microsoft and Google, with the client ids the build was given, if any.
QList<OAuthProvider> builtIn()
{
    return {
        {QStringLiteral("Microsoft"),
         {QStringLiteral("smtp.office365.com"), QStringLiteral("smtp-mail.outlook.com")},
         QUrl(QStringLiteral("https://login.microsoftonline.com/common/oauth2/v2.0/authorize")),
         QUrl(QStringLiteral("https://login.microsoftonline.com/common/oauth2/v2.0/token")),
         QStringLiteral(QUILLON_MICROSOFT_CLIENT_ID), QString(),
         QStringLiteral("https://outlook.office.com/SMTP.Send offline_access openid email")},
        {QStringLiteral("Google"),
         {QStringLiteral("smtp.gmail.com")},
         QUrl(QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth")),
         QUrl(QStringLiteral("https://oauth2.googleapis.com/token")),
         QStringLiteral(QUILLON_GOOGLE_CLIENT_ID), QStringLiteral(QUILLON_GOOGLE_CLIENT_SECRET),
         QStringLiteral("https://mail.google.com/ openid email")},
    };
}

} // namespace

QList<OAuthProvider> withMailbox(QList<OAuthProvider> providers)
{
    for (OAuthProvider &p : providers)
        if (p.token.host() == u"login.microsoftonline.com" && !p.scope.contains(MicrosoftImapScope))
            p.scope += u' ' + MicrosoftImapScope;
    return providers;
}

bool isBuiltInTokenEndpoint(const QUrl &token)
{
    const QList<OAuthProvider> table = builtIn();
    return std::any_of(table.cbegin(), table.cend(),
                       [&](const OAuthProvider &p) { return p.token == token; });
}

namespace {

const OAuthProvider *named(const QList<OAuthProvider> &providers, const QString &name)
{
    const auto found = std::find_if(providers.cbegin(), providers.cend(), [&](const auto &p) {
        return p.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == providers.cend() ? nullptr : &*found;
}

// The group's keys over `base`; a key left out keeps the base's value.
OAuthProvider read(QSettings &ini, OAuthProvider base)
{
    auto text = [&](const char *key, QString &field) {
        if (ini.contains(QLatin1StringView(key)))
            field = ini.value(QLatin1StringView(key)).toString().trimmed();
    };
    auto url = [&](const char *key, QUrl &field) {
        if (ini.contains(QLatin1StringView(key)))
            field = QUrl(ini.value(QLatin1StringView(key)).toString().trimmed());
    };
    if (ini.contains(QStringLiteral("hosts"))) {
        base.hosts.clear();
        for (const QString &h : ini.value(QStringLiteral("hosts")).toStringList())
            if (!h.trimmed().isEmpty())
                base.hosts.append(h.trimmed().toLower());
    }
    url("authorization", base.authorization);
    url("token", base.token);
    text("client_id", base.clientId);
    text("client_secret", base.clientSecret);
    text("scope", base.scope);
    return base;
}

bool isLoopback(const QString &host)
{
    return host == QStringLiteral("127.0.0.1") || host == QStringLiteral("::1") ||
           host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0;
}

QString endpointProblem(const char *what, const QUrl &url)
{
    const QString name = QString::fromLatin1(what);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasFragment())
        return name + QStringLiteral(" is not a web address");
    if (url.scheme() == QStringLiteral("https"))
        return {};
    if (url.scheme() == QStringLiteral("http") && isLoopback(url.host()))
        return {};
    return name + QStringLiteral(" must be https");
}

} // namespace

QStringList iniFiles(const QString &dataFolder)
{
    return configFiles(dataFolder, QStringLiteral("oauth.ini"));
}

QString problem(const OAuthProvider &p)
{
    if (p.hosts.isEmpty())
        return QStringLiteral("no hosts");
    for (const QString &host : p.hosts) {
        if (host.isEmpty() || host.contains(u' ') || host.contains(u'/'))
            return QStringLiteral("a host is not a host name");
    }
    if (p.clientId.isEmpty())
        return QStringLiteral("no client_id");
    if (p.scope.isEmpty())
        return QStringLiteral("no scope");
    if (const QString e = endpointProblem("authorization", p.authorization); !e.isEmpty())
        return e;
    return endpointProblem("token", p.token);
}

QList<OAuthProvider> load(const QStringList &iniFiles, QStringList &problems)
{
    const QList<OAuthProvider> builtIns = builtIn();
    QList<OAuthProvider> table;
    for (const QString &file : iniFiles) {
        if (!QFileInfo(file).isFile())
            continue;
        QSettings ini(file, QSettings::IniFormat);
        for (const QString &group : ini.childGroups()) {
            if (named(table, group))
                continue;
            // A group named as a built-in entry starts from it: an
            // organisation's own client id may be all it says.
            const OAuthProvider *builtIn = named(builtIns, group);
            OAuthProvider base = builtIn ? *builtIn : OAuthProvider{};
            base.name = group;
            ini.beginGroup(group);
            const OAuthProvider p = read(ini, base);
            ini.endGroup();
            if (const QString why = problem(p); !why.isEmpty())
                problems.append(QStringLiteral("%1: [%2] is ignored: %3")
                                    .arg(QDir::toNativeSeparators(file), group, why));
            else
                table.append(p);
        }
    }
    for (const OAuthProvider &p : builtIns) {
        if (!p.clientId.isEmpty() && !named(table, p.name))
            table.append(p);
    }
    return table;
}

std::optional<OAuthProvider> forHost(const QList<OAuthProvider> &providers, const QString &host)
{
    for (const OAuthProvider &p : providers) {
        if (p.hosts.contains(host.toLower()))
            return p;
    }
    return std::nullopt;
}

} // namespace oauthproviders
