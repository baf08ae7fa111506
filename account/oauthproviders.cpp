#include "oauthproviders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

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

QList<OAuthProvider> builtIn()
{
    const QList<OAuthProvider> all = {
        {QStringLiteral("Microsoft"),
         {QStringLiteral("smtp.office365.com"), QStringLiteral("smtp-mail.outlook.com")},
         QUrl(QStringLiteral("https://login.microsoftonline.com/common/oauth2/v2.0/authorize")),
         QUrl(QStringLiteral("https://login.microsoftonline.com/common/oauth2/v2.0/token")),
         QStringLiteral(QUILLON_MICROSOFT_CLIENT_ID), QString(),
         QStringLiteral("https://outlook.office.com/SMTP.Send offline_access")},
        {QStringLiteral("Google"),
         {QStringLiteral("smtp.gmail.com")},
         QUrl(QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth")),
         QUrl(QStringLiteral("https://oauth2.googleapis.com/token")),
         QStringLiteral(QUILLON_GOOGLE_CLIENT_ID), QStringLiteral(QUILLON_GOOGLE_CLIENT_SECRET),
         QStringLiteral("https://mail.google.com/")},
    };
    QList<OAuthProvider> usable;
    for (const OAuthProvider &p : all) {
        if (!p.clientId.isEmpty())
            usable.append(p);
    }
    return usable;
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
    QStringList files{QDir(dataFolder).filePath(QStringLiteral("oauth.ini"))};
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    for (const QString &dir : dirs.split(u':', Qt::SkipEmptyParts))
        files.append(QDir(dir).filePath(QStringLiteral("Quillon/oauth.ini")));
    return files;
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
    QList<OAuthProvider> fromFiles;
    for (const QString &file : iniFiles) {
        if (!QFileInfo(file).isFile())
            continue;
        QSettings ini(file, QSettings::IniFormat);
        for (const QString &group : ini.childGroups()) {
            const bool known = std::any_of(fromFiles.cbegin(), fromFiles.cend(), [&](const auto &p) {
                return p.name.compare(group, Qt::CaseInsensitive) == 0;
            });
            if (known)
                continue;
            ini.beginGroup(group);
            QStringList hosts;
            for (const QString &h : ini.value(QStringLiteral("hosts")).toStringList())
                if (!h.trimmed().isEmpty())
                    hosts.append(h.trimmed().toLower());
            const OAuthProvider p{group,
                                  hosts,
                                  QUrl(ini.value(QStringLiteral("authorization")).toString()),
                                  QUrl(ini.value(QStringLiteral("token")).toString()),
                                  ini.value(QStringLiteral("client_id")).toString().trimmed(),
                                  ini.value(QStringLiteral("client_secret")).toString().trimmed(),
                                  ini.value(QStringLiteral("scope")).toString().trimmed()};
            ini.endGroup();
            if (const QString why = problem(p); !why.isEmpty())
                problems.append(QStringLiteral("%1: [%2] is ignored: %3")
                                    .arg(QDir::toNativeSeparators(file), group, why));
            else
                fromFiles.append(p);
        }
    }
    for (const OAuthProvider &p : builtIn()) {
        const bool overridden = std::any_of(fromFiles.cbegin(), fromFiles.cend(), [&](const auto &f) {
            return f.name.compare(p.name, Qt::CaseInsensitive) == 0;
        });
        if (!overridden)
            fromFiles.append(p);
    }
    return fromFiles;
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
