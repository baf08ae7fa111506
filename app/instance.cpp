#include "app/instance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>

namespace {

// The answer that the files were taken.
constexpr char Taken = '\x06';

} // namespace

Instance::Instance(const QString &folder)
    : m_folder(folder), m_lock(QDir(folder).filePath(LockName))
{
    // Only the private runtime folder: a socket in /tmp could be taken by
    // another user first, who would then be handed the file names.
    const QByteArray id =
        QCryptographicHash::hash(QFileInfo(folder).canonicalFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    m_socketName = QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                       .filePath(QStringLiteral("quillon-") + QString::fromLatin1(id));
    // A lock is stale only when the run that took it has gone, however
    // long ago it was taken.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server.nextPendingConnection())
            receive(socket);
    });
}

Instance::Role Instance::claim(const QStringList &files, QString &error)
{
    // The one holding the lock may be starting and not listen yet.
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (m_lock.tryLock(0)) {
            listen();
            return Role::First;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            // The folder cannot take a lock (read-only, full): start-up
            // says what is wrong with it when it opens the files.
            return Role::First;
        }
        if (handOver(files))
            return Role::Handed;
        QThread::msleep(100);
    }
    error = QStringLiteral("Quillon is already running for %1, but does not answer.")
                .arg(QDir::toNativeSeparators(m_folder));
    return Role::Failed;
}

void Instance::listen()
{
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
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        QDataStream in(socket);
        in.startTransaction();
        QStringList files;
        in >> files;
        if (!in.commitTransaction())
            return; // more to come
        socket->write(&Taken, 1);
        socket->flush();
        Q_EMIT handedOver(files);
    });
}

bool Instance::handOver(const QStringList &files)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketName);
    if (!socket.waitForConnected(1000))
        return false;
    QDataStream out(&socket);
    out << files;
    if (!socket.waitForBytesWritten(2000))
        return false;
    char answer = 0;
    return socket.waitForReadyRead(5000) && socket.read(&answer, 1) == 1 && answer == Taken;
}
