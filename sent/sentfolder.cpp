#include "sent/sentfolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QSysInfo>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

SentFolder::SentFolder(const QString &dataFolder, FileSystem &fs, At at)
    : m_path(at == At::Path ? dataFolder : QDir(dataFolder).filePath(Name)), m_fs(fs)
{
}

QString SentFolder::tmp() const
{
    return QDir(m_path).filePath(QStringLiteral("tmp"));
}

QString SentFolder::cur() const
{
    return QDir(m_path).filePath(QStringLiteral("cur"));
}

QString SentFolder::prepare() const
{
    for (const QString &folder : {m_path, tmp(), QDir(m_path).filePath(QStringLiteral("new")), cur()}) {
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
            return QCoreApplication::translate("SentFolder", "cannot make %1: %2")
                .arg(QDir::toNativeSeparators(folder), lastSystemError());
    }
    // What a run that crashed left in tmp/ goes after 36 hours, as Maildir
    // has it.
    const QDateTime old = QDateTime::currentDateTime().addSecs(-36 * 3600);
    for (const QFileInfo &left : QDir(tmp()).entryInfoList(QDir::Files)) {
        if (left.lastModified() < old)
            m_fs.remove(left.filePath());
    }
    return {};
}

QString SentFolder::uniqueName() const
{
    static std::atomic<int> deliveries{0};
    const auto usecs = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    QString host = QSysInfo::machineHostName();
    // Maildir writes these two as octal escapes.
    host.replace(u'/', QStringLiteral("\\057")).replace(u':', QStringLiteral("\\072"));
    return QStringLiteral("%1.M%2P%3Q%4.%5")
        .arg(usecs / 1000000)
        .arg(usecs % 1000000, 6, 10, QLatin1Char('0'))
        .arg(::getpid())
        .arg(++deliveries)
        .arg(host.isEmpty() ? QStringLiteral("localhost") : host);
}

QStringList SentFolder::messages() const
{
    QStringList names = QDir(cur()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    std::reverse(names.begin(), names.end());
    return names;
}
