#pragma once

#include "store/filesystem.h"

#include <QString>
#include <QStringList>

// "Sent" in the data folder: a Maildir (tmp/, new/, cur/) that any mail
// program can open, one file per message a server took. A file is written
// under a unique name in tmp/, put on disk, and only then renamed into
// cur/, so that a crash leaves the whole file or none.
class SentFolder
{
public:
    static inline const QString Name = QStringLiteral("Sent");

    // Where the folder is: "Sent" in a data folder, or a path of its own.
    enum class At
    {
        DataFolder,
        Path
    };
    explicit SentFolder(const QString &dataFolder, FileSystem &fs = FileSystem::posix(),
                        At at = At::DataFolder);

    QString path() const { return m_path; }
    QString tmp() const;
    QString cur() const;
    FileSystem &fileSystem() const { return m_fs; }

    // Makes the folder and its three parts, for their owner only, where
    // missing. Empty, or why not.
    QString prepare() const;
    // A name no other delivery uses: seconds, microseconds, process,
    // a count, the host ("1765188667.M123456P4242Q1.desk").
    QString uniqueName() const;
    // The copies in cur/, newest first (the names begin with the time).
    QStringList messages() const;

private:
    QString m_path;
    FileSystem &m_fs;
};
