#pragma once

#include "documents/document.h"

#include <QAbstractListModel>
#include <QMap>
#include <QThreadPool>

// The documents attached to the fax being written, in order, and those
// still being read. Files are read on worker threads, so that a long PDF
// never holds up the window; each shows at once, and gets its picture,
// pages and size when it has been read. The files themselves are never
// changed.
class AttachmentList : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit AttachmentList(QObject *parent = nullptr);
    ~AttachmentList() override;

    int rowCount(const QModelIndex &parent = {}) const override;
    // The name with pages and size ("contract.pdf, 3 pages, 412 KB") and
    // the first page's picture.
    QVariant data(const QModelIndex &index, int role) const override;

    // Starts reading the files; attached() follows once all are read.
    void attach(const QStringList &paths);
    void remove(int row);
    void clear();

    // The documents read, in order.
    QList<documents::Document> documents() const;
    // The document in `row`; none while it is being read.
    const documents::Document *document(int row) const;
    // A file that is still being read, or nothing.
    QString stillReading() const;
    bool isEmpty() const { return m_entries.isEmpty(); }
    // "2 documents, 5 pages"; empty with none.
    QString summary() const;

Q_SIGNALS:
    // Every file of one attach() has been read; what could not be
    // attached, one status text each ("Not attached: …").
    void attached(const QStringList &refused);

private:
    struct Entry
    {
        quint64 id;
        QString name;
        std::optional<documents::Document> document;
    };
    struct Batch
    {
        int pending = 0;
        QMap<quint64, QString> refused; // by entry, so in the order given
    };
    void read(quint64 id, quint64 batch, const QString &path);
    void finished(quint64 id, quint64 batch, std::optional<documents::Document> document,
                  const QString &error);

    QList<Entry> m_entries;
    QHash<quint64, Batch> m_batches;
    quint64 m_nextId = 1;
    QThreadPool m_readers;
};
