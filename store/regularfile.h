#pragma once

#include <QFile>
#include <QString>

// Files the user names (documents to attach, to send) are opened once, by
// this: without blocking, so that a FIFO or a device put in a document's
// place cannot hold the program, and only when they are regular files.
// Which file it was (device and inode) tells a file replaced since.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileIdentity &a, const FileIdentity &b)
    {
        return a.device == b.device && a.inode == b.inode;
    }
    friend bool operator!=(const FileIdentity &a, const FileIdentity &b) { return !(a == b); }
};

enum class OpenResult
{
    Opened,
    CannotOpen, // `reason` says why
    NotRegular, // a folder, FIFO, socket or device
};

// Opens `path` into `file` for reading; on Opened, `identity` names the file.
// The file is open by its descriptor: fileName() is empty, while size() and
// fileTime() tell the file's own.
[[nodiscard]] OpenResult openRegular(QFile &file, const QString &path, FileIdentity &identity,
                                     QString &reason);
