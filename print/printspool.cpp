#include "print/printspool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

QString PrintSpool::userFolder()
{
    const passwd *me = ::getpwuid(::getuid());
    if (!me)
        return {};
    const QString root = qEnvironmentVariable("QUILLON_SPOOL", QStringLiteral("/var/spool/quillon"));
    return QDir(root).filePath(QFile::decodeName(me->pw_name));
}

QString PrintSpool::printedFolder(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("Printed"));
}

PrintSpool::PrintSpool(const QString &dataFolder, const QString &userFolder, QObject *parent)
    : QObject(parent), m_printed(printedFolder(dataFolder)), m_folder(userFolder)
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        watch();
        takeWaiting();
    });
}

void PrintSpool::start()
{
    if (m_folder.isEmpty())
        return;
    watch();
    takeWaiting();
}

// The user's folder once it is there; until then its parent, where it
// appears with the first job.
void PrintSpool::watch()
{
    const QString parent = QFileInfo(m_folder).path();
    if (QFileInfo(m_folder).isDir()) {
        if (!m_watcher.directories().contains(m_folder))
            m_watcher.addPath(m_folder);
        if (m_watcher.directories().contains(parent))
            m_watcher.removePath(parent);
    } else if (QFileInfo(parent).isDir() && !m_watcher.directories().contains(parent)) {
        m_watcher.addPath(parent);
    }
}

void PrintSpool::takeWaiting()
{
    // Hidden names are jobs still being written.
    const QFileInfoList jobs =
        QDir(m_folder).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Time | QDir::Reversed);
    for (const QFileInfo &job : jobs) {
        const QString taken = take(job.filePath());
        if (!taken.isEmpty())
            Q_EMIT printed(taken);
    }
}

QString PrintSpool::take(const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    if (!QDir().mkpath(m_printed) || ::chmod(QFile::encodeName(m_printed).constData(), 0700) != 0) {
        Q_EMIT failed(
            tr("Printed documents cannot be kept in %1").arg(QDir::toNativeSeparators(m_printed)));
        return {};
    }
    const QFileInfo info(name);
    QString target = QDir(m_printed).filePath(name);
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = QDir(m_printed).filePath(
            QStringLiteral("%1 (%2).%3").arg(info.completeBaseName(), QString::number(n), info.suffix()));
    // Copied whole before the job goes: a failure leaves it in the spool.
    if (!QFile::copy(file, target)) {
        QFile::remove(target);
        Q_EMIT failed(tr("%1 cannot be taken from the printer's folder").arg(name));
        return {};
    }
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(file);
    return target;
}
