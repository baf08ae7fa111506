#include "store/regularfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OpenResult openRegular(QFile &file, const QString &path, FileIdentity &identity, QString &reason)
{
    file.setFileName(path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return OpenResult::CannotOpen;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return OpenResult::NotRegular;
    }
    // Reads of a regular file never wait; the flag goes, as QFile expects.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        reason = file.errorString();
        ::close(fd);
        return OpenResult::CannotOpen;
    }
    identity = {quint64(st.st_dev), quint64(st.st_ino)};
    return OpenResult::Opened;
}
