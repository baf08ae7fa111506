#pragma once

#include <QString>

// The file operations the stores use, behind one seam so that tests can make
// any one of them fail. Every call reports failure the POSIX way: -1 (or
// false) with errno set. Reads and writes may be short; callers check.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // The process-wide real file system.
    static FileSystem &posix();

    // Opens read-write; with `create`, creates a missing file, and with
    // `truncate` empties an existing one. Returns a descriptor or -1. Files
    // are created readable by their owner only: they hold the user's
    // documents.
    virtual int open(const QString &path, bool create, bool truncate) = 0;
    // Creates a file that must not exist yet, not even as a link: no other
    // process can be writing it. Owner only, like open().
    virtual int createNew(const QString &path) = 0;
    virtual bool close(int fd) = 0;
    // Closes a descriptor of a file that is no longer linked, without waiting
    // while the file system frees its space (a quarter second for a full
    // store).
    virtual void release(int fd) = 0;
    virtual qint64 size(int fd) = 0;
    virtual bool isRegularFile(int fd) = 0;
    virtual qint64 read(int fd, char *buf, qint64 len, qint64 offset) = 0;
    virtual qint64 write(int fd, const char *buf, qint64 len, qint64 offset) = 0;
    virtual bool truncate(int fd, qint64 length) = 0;
    // Copies up to `len` bytes between two files; returns the bytes copied.
    virtual qint64 copy(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 len) = 0;
    virtual bool sync(int fd) = 0;
    // Writes the file's data, and what is needed to read it back, to disk.
    virtual bool syncData(int fd) = 0;
    // Gives `to` the permissions of `from`.
    virtual bool copyMode(int from, int to) = 0;
    // Starts writing a range of the file to disk without waiting for it, so
    // that a later sync has less left to do. Only a hint: it cannot fail.
    virtual void startWriteback(int fd, qint64 offset, qint64 len) = 0;
    virtual bool syncFolder(const QString &folder) = 0;
    // Atomically replaces `to` with `from`.
    virtual bool rename(const QString &from, const QString &to) = 0;
    virtual bool remove(const QString &path) = 0;
    // True when `path` names an ordinary file (not a folder or device).
    virtual bool isOrdinaryFile(const QString &path) = 0;

    // Reads exactly `len` bytes unless the file ends first; returns the bytes
    // read or -1.
    qint64 readFully(int fd, char *buf, qint64 len, qint64 offset);
    // Writes all `len` bytes; false on any failure or short write.
    bool writeFully(int fd, const char *buf, qint64 len, qint64 offset);
    // Opens (creating if missing) an ordinary file for the whole run: the
    // descriptor, or -1 with `error` saying in words why not.
    int openDataFile(const QString &path, QString &error);
    // Copies exactly `len` bytes; false on any failure or premature end.
    bool copyFully(int from, qint64 fromOffset, int to, qint64 toOffset, qint64 len);
};

// The reason for the last failed call, in words, from errno.
QString lastSystemError();
