#include "store/configfiles.h"

#include <QDir>

QStringList configFiles(const QString &dataFolder, const QString &name)
{
    QStringList files{QDir(dataFolder).filePath(name)};
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    for (const QString &dir : dirs.split(u':', Qt::SkipEmptyParts))
        files.append(QDir(dir).filePath(QStringLiteral("Quillon/") + name));
    return files;
}
