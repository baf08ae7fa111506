#include "store/faxstore.h"

#include <QDir>

#include <algorithm>
#include <cerrno>

namespace {

constexpr qint64 R = FaxRecord::Size;

// Rounded to the nearest whole record; 10,167 is odd, so there is no tie.
qint64 recordsIn(qint64 size)
{
    return (size + R / 2) / R;
}

qint16 capped(qint64 records)
{
    return static_cast<qint16>(std::min<qint64>(records, FaxStore::MaxRecords));
}

// The bytes of blank records covering [from, to) of a file.
QByteArray blankBytes(qint64 from, qint64 to)
{
    QByteArray bytes(to - from, ' ');
    for (qint64 pos = from; pos < to; ++pos)
        bytes[pos - from] = FaxRecord::blankByteAt(pos % R);
    return bytes;
}

QString failure(const QString &what)
{
    return QCoreApplication::translate("FaxStore", "%1: %2.", "what failed: why")
        .arg(what, lastSystemError());
}

} // namespace

FaxStore::FaxStore(FileSystem &fs) : m_fs(fs) {}

FaxStore::~FaxStore()
{
    close();
}

QString FaxStore::open(const QString &folder)
{
    close();
    const QString path = QDir(folder).filePath(FileName);
    const QString tempPath = QDir(folder).filePath(TempFileName);

    if (m_fs.isOrdinaryFile(tempPath)) {
        if (!m_fs.isOrdinaryFile(path)) {
            // A deletion stopped after removing the old file: the temporary
            // copy holds every record.
            if (!m_fs.rename(tempPath, path))
                return failure(tr("Cannot recover your documents from %1 in %2")
                                   .arg(TempFileName, QDir::toNativeSeparators(folder)));
            m_fs.syncFolder(folder);
        } else {
            // "faxes.db" is complete. Should the leftover stay, no harm: the
            // next deletion overwrites it.
            m_fs.remove(tempPath);
        }
    }

    QString error;
    m_fd = m_fs.openDataFile(path, error);
    m_folder = folder;
    return error;
}

void FaxStore::close()
{
    if (m_fd >= 0)
        m_fs.close(m_fd);
    m_fd = -1;
}

qint64 FaxStore::fileSize(QString &error) const
{
    const qint64 size = m_fd >= 0 ? m_fs.size(m_fd) : -1;
    if (size < 0)
        error = m_fd >= 0 ? failure(tr("Cannot read %1").arg(FileName))
                          : tr("%1 is not open.").arg(FileName);
    return size;
}

qint16 FaxStore::count() const
{
    QString error;
    const qint64 size = fileSize(error);
    return size < 0 ? 0 : capped(recordsIn(size));
}

QString FaxStore::readInto(qint16 recNum, FaxRecord &record) const
{
    QString error;
    if (fileSize(error) < 0)
        return error;
    FaxRecord fresh;
    // A record past the end reads as blank, and a partial one as its present
    // bytes followed by blanks: readFully leaves the rest of `fresh` as it is.
    if (m_fs.readFully(m_fd, fresh.data(), R, (qint64(recNum) - 1) * R) < 0)
        return failure(
            tr("Cannot read document %1 from %2").arg(QString::number(recNum), FileName));
    record = fresh;
    return {};
}

QString FaxStore::read(qint16 recNum)
{
    return readInto(recNum, buffer);
}

QString FaxStore::write(qint16 recNum)
{
    QString error;
    const qint64 size = fileSize(error);
    if (size < 0)
        return error;
    const qint64 offset = (qint64(recNum) - 1) * R;

    // Keep what is there, so that a failed write can be undone.
    const qint64 oldLen = std::clamp<qint64>(size - offset, 0, R);
    QByteArray old(oldLen, '\0');
    if (m_fs.readFully(m_fd, old.data(), oldLen, offset) != oldLen)
        return failure(tr("Cannot save document %1 to %2").arg(QString::number(recNum), FileName));

    // A partial last record is completed with blanks before a new one
    // follows it, so that no hole of zero bytes is left in a text field.
    // Save reports success only once the record is on disk: a power cut
    // right after must not lose or tear it.
    const QByteArray gap = offset > size ? blankBytes(size, offset) : QByteArray();
    if ((gap.isEmpty() || m_fs.writeFully(m_fd, gap.constData(), gap.size(), size)) &&
        m_fs.writeFully(m_fd, buffer.data(), R, offset) && m_fs.syncData(m_fd))
        return {};

    // The file is said to be as it was only once that is on disk too.
    const int saved = errno;
    const bool restored = (oldLen == 0 || m_fs.writeFully(m_fd, old.constData(), oldLen, offset)) &&
                          (offset + R <= size || m_fs.truncate(m_fd, size)) &&
                          m_fs.syncData(m_fd);
    errno = saved;
    return failure((restored ? tr("Cannot save document %1 to %2; the file was left as it was")
                             : tr("Cannot save document %1 to %2"))
                       .arg(QString::number(recNum), FileName));
}

void FaxStore::showBuffer(DocumentFields &fields) const
{
    for (DocField f : {DocField::To, DocField::Fax, DocField::Subject, DocField::Message})
        fields.setText(f, buffer.text(f));
}

QString FaxStore::previous(DocumentFields &fields)
{
    QString error;
    const qint64 size = fileSize(error);
    if (size < 0)
        return error;
    const qint16 count = capped(recordsIn(size));
    qint16 rec = std::max<qint16>(curRec - 1, 1);
    if (count < 1)
        rec = 0;
    if (rec > 0) {
        if (QString e = read(rec); !e.isEmpty())
            return e;
    }
    curRec = rec;
    fields.showRecNum(curRec);
    showBuffer(fields);
    return {};
}

QString FaxStore::next(DocumentFields &fields)
{
    QString error;
    const qint64 size = fileSize(error);
    if (size < 0)
        return error;
    const qint16 count = capped(recordsIn(size));
    const qint16 rec = static_cast<qint16>(std::min<int>(curRec + 1, count));
    if (rec > 0) {
        if (QString e = read(rec); !e.isEmpty())
            return e;
    }
    curRec = rec;
    fields.showRecNum(curRec);
    showBuffer(fields);
    return {};
}

QString FaxStore::newRecord(DocumentFields &fields)
{
    QString error;
    const qint64 size = fileSize(error);
    if (size < 0)
        return error;
    const qint16 count = capped(recordsIn(size));
    if (count >= MaxRecords)
        return tr("No new document can be started: the store is full at %1 documents. "
                  "Delete a document to make room.")
            .arg(MaxRecords);
    for (DocField f : {DocField::To, DocField::Fax, DocField::Subject, DocField::Message})
        fields.setText(f, QString());
    curRec = static_cast<qint16>(count + 1);
    fields.showRecNum(curRec);
    return {};
}

QString FaxStore::save(DocumentFields &fields)
{
    for (DocField f : {DocField::To, DocField::Fax, DocField::Subject, DocField::Message})
        buffer.setText(f, fields.text(f));
    if (curRec <= 0)
        return tr("The document was not saved: no record is selected. "
                  "Press New, then Save.");
    return write(curRec);
}

// Deletion keeps the records before and after the deleted one: two byte
// ranges, copied in bulk.
QString FaxStore::rebuildWithout(qint16 recNum, qint64 size, qint64 &newSize, bool &replaced,
                                 const std::function<void()> &progress)
{
    const qint64 records = recordsIn(size);
    const qint64 present = std::min(size, records * R);
    const bool inRange = recNum >= 1 && recNum <= records;
    struct Range
    {
        qint64 from, to;
    };
    const Range ranges[2] = {
        {0, inRange ? (recNum - 1) * R : present},
        {inRange ? std::min(qint64(recNum) * R, present) : present, present},
    };
    newSize = (inRange ? records - 1 : records) * R;
    replaced = false;

    // A leftover goes first; the new file is then made exclusively, so
    // that no link planted in its place and no other process shares it.
    const QString tempPath = QDir(m_folder).filePath(TempFileName);
    if (!m_fs.remove(tempPath) && errno != ENOENT)
        return failure(tr("Cannot remove the old %1").arg(TempFileName));
    const int temp = m_fs.createNew(tempPath);
    if (temp < 0)
        return failure(tr("Cannot create %1").arg(TempFileName));

    auto abandon = [&](const QString &what) {
        const QString message = failure(what);
        m_fs.close(temp);
        m_fs.remove(tempPath);
        return message;
    };
    // Whoever may read the documents stays the same.
    if (!m_fs.copyMode(m_fd, temp))
        return abandon(tr("Cannot give %1 the permissions of %2").arg(TempFileName, FileName));

    constexpr qint64 chunk = qint64(16) << 20;
    qint64 written = 0;
    for (const Range &range : ranges) {
        for (qint64 pos = range.from; pos < range.to; pos += chunk) {
            const qint64 len = std::min(chunk, range.to - pos);
            if (!m_fs.copyFully(m_fd, pos, temp, written, len))
                return abandon(tr("Cannot copy the documents to %1").arg(TempFileName));
            // The disk writes this chunk while the next one is copied.
            m_fs.startWriteback(temp, written, len);
            written += len;
            if (progress)
                progress();
        }
    }
    if (written < newSize) {
        const QByteArray pad = blankBytes(written, newSize);
        if (!m_fs.writeFully(temp, pad.constData(), pad.size(), written))
            return abandon(tr("Cannot write %1").arg(TempFileName));
    }
    if (!m_fs.sync(temp))
        return abandon(tr("Cannot write %1 to disk").arg(TempFileName));
    if (!m_fs.rename(tempPath, QDir(m_folder).filePath(FileName)))
        return abandon(tr("Cannot put %1 in place of %2").arg(TempFileName, FileName));

    // The new file is in place. Its descriptor already names "faxes.db", so
    // keeping it open is the reopening: nothing can fail between the two.
    m_fs.release(m_fd);
    m_fd = temp;
    replaced = true;
    if (!m_fs.syncFolder(m_folder))
        return failure(tr("The document was deleted, but the change may be lost "
                          "if the computer stops now"));
    return {};
}

QString FaxStore::deleteRec(qint16 &recNum, DocumentFields &fields,
                            const std::function<void()> &progress)
{
    const QString notDeleted = tr("The document was not deleted. %1");
    QString error;
    const qint64 size = fileSize(error);
    if (size < 0)
        return notDeleted.arg(error);
    qint64 newSize = 0;
    bool replaced = false;
    const QString rebuilt = rebuildWithout(recNum, size, newSize, replaced, progress);
    if (!replaced)
        return notDeleted.arg(rebuilt);

    const qint16 newCount = capped(recordsIn(newSize));
    recNum = recNum < 2 ? 1 : static_cast<qint16>(recNum - 1);
    if (newCount > 0) {
        fields.showRecNum(recNum);
        if (QString e = read(curRec); !e.isEmpty())
            return tr("The document was deleted, but the next one cannot be shown. %1").arg(e);
        showBuffer(fields);
    }
    return rebuilt;
}
