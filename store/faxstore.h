#pragma once

#include "store/faxrecord.h"
#include "store/filesystem.h"

#include <QCoreApplication>

#include <functional>

class DocumentFields;

// "faxes.db": the document file, the one record buffer every command goes
// through, and the cursor curRec. The file stays open from open() to
// close(); no command reads more of it than the record it needs.
//
// Every command returns an empty text on success, or a message for the user
// saying in plain words what went wrong. A command that fails leaves the
// file, the cursor and the fields as they were.
class FaxStore
{
    Q_DECLARE_TR_FUNCTIONS(FaxStore)

public:
    static constexpr qint16 MaxRecords = 32767;
    static inline const QString FileName = QStringLiteral("faxes.db");
    static inline const QString TempFileName = QStringLiteral("qln1.db");

    explicit FaxStore(FileSystem &fs = FileSystem::posix());
    ~FaxStore();
    FaxStore(const FaxStore &) = delete;
    FaxStore &operator=(const FaxStore &) = delete;

    // Opens (creating if missing) "faxes.db" in `folder`. A "qln1.db" left
    // by an interrupted deletion is recovered first.
    [[nodiscard]] QString open(const QString &folder);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    // Records in the file, a partial last record counting when more than
    // half of it is present; never more than MaxRecords.
    qint16 count() const;

    [[nodiscard]] QString read(qint16 recNum);
    [[nodiscard]] QString write(qint16 recNum);
    void showBuffer(DocumentFields &fields) const;

    // The record commands "<", ">", "New", "Save" and "Delete".
    [[nodiscard]] QString previous(DocumentFields &fields);
    [[nodiscard]] QString next(DocumentFields &fields);
    [[nodiscard]] QString newRecord(DocumentFields &fields);
    [[nodiscard]] QString save(DocumentFields &fields);
    // Removes record `recNum` and closes the gap. The file is rebuilt in
    // "qln1.db" and renamed over "faxes.db" in one step, so a failure at any
    // point leaves every record in place. `progress` is called between large
    // chunks of copying.
    [[nodiscard]] QString deleteRec(qint16 &recNum, DocumentFields &fields,
                                    const std::function<void()> &progress = {});

    FaxRecord buffer;
    qint16 curRec = 0;

private:
    qint64 fileSize(QString &error) const;
    QString readInto(qint16 recNum, FaxRecord &record) const;
    QString rebuildWithout(qint16 recNum, qint64 size, qint64 &newSize, bool &replaced,
                           const std::function<void()> &progress);

    FileSystem &m_fs;
    QString m_folder;
    int m_fd = -1;
};
