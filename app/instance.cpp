#include "app/instance.h"

#include "app/handover.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The answer that the files were taken.
constexpr char Taken = '\x06';

// A socket's path ends at 108 bytes with its terminating zero.
constexpr qsizetype MaxSocketPath = 107;

// A folder that is this user's alone: no other user can put a socket of
// theirs in it, or reach ours.
bool isPrivateFolder(const QString &folder)
{
    struct stat st;
    return !folder.isEmpty() && ::lstat(QFile::encodeName(folder).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

// The desktop's runtime folder, else one made for Quillon in the temporary
// folder; empty when neither is private.
QString socketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return runtime;
    const QString own = QDir(QDir::tempPath()).filePath(QStringLiteral("quillon-%1").arg(::getuid()));
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

} // namespace

Instance::Instance(const QString &folder)
    : m_folder(folder), m_lock(QDir(folder).filePath(LockName))
{
    // Only a private folder: a socket in /tmp itself could be taken by
    // another user first, who would then be handed the file names.
    const QByteArray id =
        QCryptographicHash::hash(QFileInfo(folder).canonicalFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    const QString place = socketFolder();
    const QString name =
        QDir(place).filePath(QStringLiteral("quillon-") + QString::fromLatin1(id));
    if (!place.isEmpty() && QFile::encodeName(name).size() <= MaxSocketPath)
        m_socketName = name;
    // A lock is stale only when the run that took it has gone, however
    // long ago it was taken.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection())
            receive(socket);
    });
}

Instance::Role Instance::claim(const NewFax &fax, QString &error)
{
    // The one holding the lock may be starting and not listen yet.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (m_lock.tryLock(0)) {
            // Made as the umask leaves it; the user's alone, as every file
            // of the folder.
            ::chmod(QFile::encodeName(QDir(m_folder).filePath(LockName)).constData(), 0600);
            listen();
            return Role::First;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            const int reason = errno;
            // A folder nothing can write in needs no lock: no run can
            // change its files.
            if (::access(QFile::encodeName(m_folder).constData(), W_OK) != 0)
                return Role::First;
            error = tr("Quillon cannot lock its data folder %1: %2")
                        .arg(QDir::toNativeSeparators(m_folder),
                             m_lock.error() == QLockFile::PermissionError
                                 ? tr("permission denied")
                                 : QString::fromLocal8Bit(std::strerror(reason)));
            return Role::Failed;
        }
        if (handOver(fax))
            return Role::Handed;
        QThread::msleep(100);
    }
    error = tr("Quillon is already running for %1, but does not answer.")
                .arg(QDir::toNativeSeparators(m_folder));
    return Role::Failed;
}

void Instance::listen()
{
    if (m_socketName.isEmpty()) {
        std::fprintf(stderr, "quillon: a second start cannot hand files to this one: there is "
                             "no private folder for its socket\n");
        return;
    }
    // A socket file left by a run that crashed is in the way.
    QLocalServer::removeServer(m_socketName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_socketName))
        std::fprintf(stderr, "quillon: a second start cannot hand files to this one: %s\n",
                     qPrintable(m_server.errorString()));
}

void Instance::receive(QLocalSocket *socket)
{
    socket->setParent(this);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto received = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received] {
        *received += socket->read(handover::MaxBytes + 1 - received->size());
        NewFax fax;
        switch (handover::decode(*received, fax)) {
        case handover::Read::More:
            return;
        case handover::Read::Refused:
            socket->abort();
            return;
        case handover::Read::Done:
            socket->write(&Taken, 1);
            socket->flush();
            Q_EMIT handedOver(fax);
        }
    });
}

bool Instance::handOver(const NewFax &fax)
{
    if (m_socketName.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_socketName);
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(handover::encode(fax));
    if (!socket.waitForBytesWritten(2000))
        return false;
    char answer = 0;
    return socket.waitForReadyRead(5000) && socket.read(&answer, 1) == 1 && answer == Taken;
}
