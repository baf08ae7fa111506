#include "app/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

} // namespace

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
    return userFolder;
}

QString dataFolder()
{
    return dataFolder(QCoreApplication::applicationDirPath(),
                      QStringLiteral(QUILLON_INSTALL_BINDIR),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
