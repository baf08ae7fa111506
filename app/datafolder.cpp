#include "app/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef QUILLON_INSTALL_BINDIR
#error QUILLON_INSTALL_BINDIR must name the folder the program is installed into
#endif

namespace {

// access() sees what opening would: permissions, a read-only mount, an
// immutable folder (which binds root too).
bool canWriteIn(const QString &folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// Takes group and others' rights off `path` when it is the user's own and
// of the kind expected; a link is left alone, never followed.
void makeOwnerOnly(const QString &path, bool folder)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_uid == ::getuid() &&
        (folder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) && (st.st_mode & 077) != 0)
        ::fchmod(fd, st.st_mode & 0700);
    ::close(fd);
}

} // namespace

void makePrivate(const QString &folder)
{
    const QDir dir(folder);
    makeOwnerOnly(folder, true);
    for (const char *file :
         {"faxes.db", "qln.db", "qln1.db", "qln.rss", "quillon.lock", "quillon.ini"})
        makeOwnerOnly(dir.filePath(QString::fromLatin1(file)), false);
    // The copies are out of others' reach once their folders are.
    for (const char *sub : {"Sent", "Sent/tmp", "Sent/new", "Sent/cur"})
        makeOwnerOnly(dir.filePath(QString::fromLatin1(sub)), true);
}

QString dataFolder(const QString &programFolder, const QString &installFolder,
                   const QString &userFolder)
{
    const bool installed = QFileInfo(programFolder).canonicalFilePath() ==
                           QFileInfo(installFolder).canonicalFilePath();
    if (!installed && canWriteIn(programFolder))
        return programFolder;
    // Start-up reports it if this fails: the files cannot be made there.
    // The folder Quillon makes is its owner's alone; the ones above it are
    // the desktop's and keep their usual permissions.
    if (!QFileInfo(userFolder).isDir()) {
        QDir().mkpath(QFileInfo(userFolder).path());
        ::mkdir(QFile::encodeName(userFolder).constData(), 0700);
    }
    // An earlier Quillon made its folder and files readable by others.
    makePrivate(userFolder);
    return userFolder;
}

QString dataFolder()
{
    return dataFolder(QCoreApplication::applicationDirPath(),
                      QStringLiteral(QUILLON_INSTALL_BINDIR),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
