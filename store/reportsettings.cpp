#include "store/reportsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace reportsettings {

namespace {

QString pathIn(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(FileName);
}

// QSettings writes a new file and renames it over the old, keeping the old
// one's permissions: made (or made again, if someone opened it up) for the
// owner only first, the file stays so.
template <typename Write> QString write(const QString &dataFolder, Write fill)
{
    const QString path = pathIn(dataFolder);
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::fchmod(fd, 0600);
        ::close(fd);
    }
    QSettings ini(path, QSettings::IniFormat);
    fill(ini);
    ini.sync();
    if (ini.status() != QSettings::NoError)
        return QCoreApplication::translate("Store", "The settings could not be saved in %1.")
            .arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace

ReportSettings load(const QString &dataFolder)
{
    const QSettings ini(pathIn(dataFolder), QSettings::IniFormat);
    return ReportSettings{ini.value(QStringLiteral("reports/imap_server")).toString(),
                          ini.value(QStringLiteral("reports/watch"), false).toBool()};
}

QString save(const QString &dataFolder, const ReportSettings &settings)
{
    return write(dataFolder, [&](QSettings &ini) {
        ini.setValue(QStringLiteral("reports/imap_server"), settings.imapServer);
        ini.setValue(QStringLiteral("reports/watch"), settings.watch);
    });
}

MailboxMark loadMark(const QString &dataFolder)
{
    const QSettings ini(pathIn(dataFolder), QSettings::IniFormat);
    return MailboxMark{ini.value(QStringLiteral("mailbox/server")).toString(),
                       ini.value(QStringLiteral("mailbox/uidvalidity")).toUInt(),
                       ini.value(QStringLiteral("mailbox/last_uid")).toUInt()};
}

QString saveMark(const QString &dataFolder, const MailboxMark &mark)
{
    return write(dataFolder, [&](QSettings &ini) {
        ini.setValue(QStringLiteral("mailbox/server"), mark.server);
        ini.setValue(QStringLiteral("mailbox/uidvalidity"), mark.uidValidity);
        ini.setValue(QStringLiteral("mailbox/last_uid"), mark.lastUid);
    });
}

} // namespace reportsettings
