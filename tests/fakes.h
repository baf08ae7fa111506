#pragma once

#include "store/faxrecord.h"
#include "store/fields.h"
#include "store/filesystem.h"

#include <QByteArray>
#include <QFile>
#include <QHash>

#include <cerrno>
#include <sys/stat.h>

// In-memory window fields.
class FakeDocument : public DocumentFields
{
public:
    QString text(DocField f) const override { return texts.value(f); }
    void setText(DocField f, const QString &t) override { texts[f] = t; }
    void showRecNum(qint16 n) override
    {
        recNum = n;
        ++recNumShown;
    }

    QHash<DocField, QString> texts;
    qint16 recNum = -1;
    int recNumShown = 0;
};

class FakeSettings : public SettingsFields
{
public:
    QString text(SettingsField f) const override { return texts.value(f); }
    void setText(SettingsField f, const QString &t) override { texts[f] = t; }

    QHash<SettingsField, QString> texts;
};

// The real file system, but the Nth operation (counted from 1) fails with
// EIO, or, in short mode, moves only part of its bytes; with `andLater`,
// so does every operation after it (the disk has gone).
class FailingFileSystem : public FileSystem
{
public:
    int failAt = 0;
    bool shortOnly = false;
    bool andLater = false;
    int calls = 0;
    int dataSyncs = 0;

    int open(const QString &p, bool c, bool t) override
    {
        return fail() ? -1 : real().open(p, c, t);
    }
    int createNew(const QString &p) override { return fail() ? -1 : real().createNew(p); }
    bool close(int fd) override
    {
        const bool ok = real().close(fd);
        return fail() ? false : ok;
    }
    void release(int fd) override { real().release(fd); }
    qint64 size(int fd) override { return fail() ? -1 : real().size(fd); }
    bool isRegularFile(int fd) override { return !fail() && real().isRegularFile(fd); }
    qint64 read(int fd, char *b, qint64 n, qint64 o) override
    {
        return partial(n, [&](qint64 m) { return real().read(fd, b, m, o); });
    }
    qint64 write(int fd, const char *b, qint64 n, qint64 o) override
    {
        return partial(n, [&](qint64 m) { return real().write(fd, b, m, o); });
    }
    bool truncate(int fd, qint64 l) override { return !fail() && real().truncate(fd, l); }
    qint64 copy(int f, qint64 fo, int t, qint64 to, qint64 n) override
    {
        return partial(n, [&](qint64 m) { return real().copy(f, fo, t, to, m); });
    }
    bool sync(int fd) override { return !fail() && real().sync(fd); }
    bool syncData(int fd) override
    {
        ++dataSyncs;
        return !fail() && real().syncData(fd);
    }
    bool copyMode(int f, int t) override { return !fail() && real().copyMode(f, t); }
    void startWriteback(int fd, qint64 o, qint64 n) override { real().startWriteback(fd, o, n); }
    bool syncFolder(const QString &f) override { return !fail() && real().syncFolder(f); }
    bool rename(const QString &f, const QString &t) override
    {
        return !fail() && real().rename(f, t);
    }
    bool remove(const QString &p) override { return !fail() && real().remove(p); }
    bool isOrdinaryFile(const QString &p) override { return real().isOrdinaryFile(p); }

private:
    static FileSystem &real() { return FileSystem::posix(); }
    bool hits(int call) const { return call == failAt || (andLater && failAt > 0 && call > failAt); }
    bool fail()
    {
        if (!hits(++calls) || shortOnly)
            return false;
        errno = EIO;
        return true;
    }
    template <typename Op> qint64 partial(qint64 n, Op op)
    {
        const bool hit = hits(++calls);
        if (hit && !shortOnly) {
            errno = EIO;
            return -1;
        }
        return op(hit && n > 1 ? n / 2 : n);
    }
};

// The permission bits of a file, or -1 when there is none.
inline int fileMode(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write test file");
}

// Text cut or padded with spaces to a field's width.
inline QByteArray field(const QByteArray &s, int width)
{
    return s.left(width) + QByteArray(qMax(0, width - int(s.size())), ' ');
}

// A settings record built byte by byte, independently of SettingsStore.
inline QByteArray settingsBytes(const QByteArray &reserved, const QByteArray &server,
                                const QByteArray &email, const QByteArray &acod)
{
    return field(reserved, 20) + field(server, 100) + field(email, 100) + field(acod, 30);
}

// A record built byte by byte, independently of FaxRecord.
inline QByteArray recordBytes(const QByteArray &to, const QByteArray &fax = {},
                              const QByteArray &subject = {}, const QByteArray &message = {},
                              qint16 tag = 0)
{
    QByteArray r;
    r.append(char(tag & 0xff)).append(char((tag >> 8) & 0xff));
    r += field(to, 50) + field(fax, 15) + field(subject, 100) + field(message, 10000);
    return r;
}
