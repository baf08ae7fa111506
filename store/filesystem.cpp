#include "store/filesystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// Falls back to a plain read/write loop where the kernel cannot copy
// between the two files itself.
qint64 copyThroughBuffer(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 len)
{
    constexpr qint64 chunk = 1 << 20;
    const qint64 n = std::min(len, chunk);
    std::unique_ptr<char[]> buf(new char[size_t(n)]);
    const ssize_t got = ::pread(from, buf.get(), size_t(n), fromOffset);
    if (got <= 0)
        return got;
    const ssize_t put = ::pwrite(to, buf.get(), size_t(got), toOffset);
    return put;
}

class PosixFileSystem final : public FileSystem
{
public:
    int open(const QString &path, bool create, bool truncate) override
    {
        int flags = O_RDWR | O_CLOEXEC;
        if (create)
            flags |= O_CREAT;
        if (truncate)
            flags |= O_TRUNC;
        return openRetrying(path, flags);
    }

    int createNew(const QString &path) override
    {
        return openRetrying(path, O_RDWR | O_CLOEXEC | O_CREAT | O_EXCL | O_NOFOLLOW);
    }

    bool close(int fd) override { return ::close(fd) == 0; }

    void release(int fd) override
    {
        try {
            std::thread([fd] { ::close(fd); }).detach();
        } catch (const std::system_error &) {
            ::close(fd);
        }
    }

    qint64 size(int fd) override
    {
        struct stat st;
        if (::fstat(fd, &st) != 0)
            return -1;
        return st.st_size;
    }

    bool isRegularFile(int fd) override
    {
        struct stat st;
        return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    }

    qint64 read(int fd, char *buf, qint64 len, qint64 offset) override
    {
        ssize_t n;
        do {
            n = ::pread(fd, buf, size_t(len), offset);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    qint64 write(int fd, const char *buf, qint64 len, qint64 offset) override
    {
        ssize_t n;
        do {
            n = ::pwrite(fd, buf, size_t(len), offset);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    bool truncate(int fd, qint64 length) override { return ::ftruncate(fd, length) == 0; }

    qint64 copy(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 len) override
    {
        if (m_kernelCopy) {
            loff_t in = fromOffset;
            loff_t out = toOffset;
            const ssize_t n = ::copy_file_range(from, &in, to, &out, size_t(len), 0);
            if (n >= 0)
                return n;
            if (errno != ENOSYS && errno != EXDEV && errno != EINVAL && errno != EOPNOTSUPP)
                return -1;
            m_kernelCopy = false;
        }
        return copyThroughBuffer(from, fromOffset, to, toOffset, len);
    }

    bool sync(int fd) override { return ::fsync(fd) == 0; }

    bool syncData(int fd) override { return ::fdatasync(fd) == 0; }

    bool copyMode(int from, int to) override
    {
        struct stat st;
        return ::fstat(from, &st) == 0 && ::fchmod(to, st.st_mode & 07777) == 0;
    }

    void startWriteback(int fd, qint64 offset, qint64 len) override
    {
        ::sync_file_range(fd, offset, len, SYNC_FILE_RANGE_WRITE);
    }

    bool syncFolder(const QString &folder) override
    {
        const int fd = ::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool ok = ::fsync(fd) == 0;
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return ok;
    }

    bool rename(const QString &from, const QString &to) override
    {
        return ::rename(nativePath(from).constData(), nativePath(to).constData()) == 0;
    }

    bool remove(const QString &path) override
    {
        return ::unlink(nativePath(path).constData()) == 0;
    }

    bool isOrdinaryFile(const QString &path) override
    {
        struct stat st;
        return ::stat(nativePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
    }

private:
    static int openRetrying(const QString &path, int flags)
    {
        int fd;
        do {
            fd = ::open(nativePath(path).constData(), flags, 0600);
        } while (fd < 0 && errno == EINTR);
        return fd;
    }

    bool m_kernelCopy = true;
};

} // namespace

FileSystem &FileSystem::posix()
{
    static PosixFileSystem fs;
    return fs;
}

qint64 FileSystem::readFully(int fd, char *buf, qint64 len, qint64 offset)
{
    qint64 done = 0;
    while (done < len) {
        const qint64 n = read(fd, buf + done, len - done, offset + done);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

bool FileSystem::writeFully(int fd, const char *buf, qint64 len, qint64 offset)
{
    qint64 done = 0;
    while (done < len) {
        const qint64 n = write(fd, buf + done, len - done, offset + done);
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

bool FileSystem::copyFully(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 len)
{
    qint64 done = 0;
    while (done < len) {
        const qint64 n = copy(from, fromOffset + done, to, toOffset + done, len - done);
        if (n <= 0) {
            if (n == 0)
                errno = EIO; // the source ended early: it changed under us
            return false;
        }
        done += n;
    }
    return true;
}

int FileSystem::openDataFile(const QString &path, QString &error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const int fd = open(path, true, false);
    if (fd < 0) {
        error = QCoreApplication::translate("Store", "Cannot open %1: %2.")
                    .arg(shown, lastSystemError());
        return -1;
    }
    if (!isRegularFile(fd)) {
        close(fd);
        error = QCoreApplication::translate("Store", "Cannot open %1: it is not an ordinary file.")
                    .arg(shown);
        return -1;
    }
    return fd;
}

QString lastSystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
