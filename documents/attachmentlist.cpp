#include "documents/attachmentlist.h"

#include <QFileInfo>

using documents::Document;

AttachmentList::AttachmentList(QObject *parent) : QAbstractListModel(parent)
{
    // Reading is mostly waiting for the disk and the PDF library, which
    // takes one caller at a time: two readers are plenty.
    m_readers.setMaxThreadCount(2);
}

AttachmentList::~AttachmentList()
{
    // A reader posts its result to this object: none may outlive it.
    m_readers.clear();
    m_readers.waitForDone();
}

int AttachmentList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant AttachmentList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const Entry &e = m_entries[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return e.document
                   ? tr("%1, %2", "a document's name, pages and size")
                         .arg(e.name, documents::pagesAndSize(e.document->pages(), e.document->size))
                   : tr("%1, reading\u2026").arg(e.name);
    case Qt::ToolTipRole:
        return e.document ? e.document->path : QVariant();
    case Qt::DecorationRole:
        return e.document && !e.document->thumbnail.isNull() ? e.document->thumbnail : QVariant();
    default:
        return {};
    }
}

void AttachmentList::attach(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const quint64 batch = m_nextId++;
    m_batches.insert(batch, Batch{int(paths.size()), {}});
    beginInsertRows({}, int(m_entries.size()), int(m_entries.size() + paths.size() - 1));
    QList<std::pair<quint64, QString>> started;
    for (const QString &path : paths) {
        const quint64 id = m_nextId++;
        m_entries.append({id, QFileInfo(path).fileName(), std::nullopt});
        started.append({id, path});
    }
    endInsertRows();
    for (const auto &[id, path] : started)
        read(id, batch, path);
}

void AttachmentList::read(quint64 id, quint64 batch, const QString &path)
{
    m_readers.start([this, id, batch, path] {
        QString error;
        std::optional<Document> document = documents::inspect(path, error);
        QMetaObject::invokeMethod(
            this, [this, id, batch, document = std::move(document), error] {
                finished(id, batch, document, error);
            },
            Qt::QueuedConnection);
    });
}

void AttachmentList::finished(quint64 id, quint64 batch, std::optional<Document> document,
                              const QString &error)
{
    // Removed meanwhile, or the list cleared: the result is not wanted.
    const auto at = std::find_if(m_entries.begin(), m_entries.end(),
                                 [id](const Entry &e) { return e.id == id; });
    const bool wanted = at != m_entries.end();
    if (wanted) {
        const int row = int(at - m_entries.begin());
        if (document) {
            at->document = std::move(document);
            Q_EMIT dataChanged(index(row), index(row));
        } else {
            beginRemoveRows({}, row, row);
            m_entries.removeAt(row);
            endRemoveRows();
        }
    }
    const auto b = m_batches.find(batch);
    if (b == m_batches.end())
        return;
    if (!error.isEmpty() && wanted)
        b->refused.insert(id, error);
    if (--b->pending == 0) {
        const QStringList refused = b->refused.values();
        m_batches.erase(b);
        Q_EMIT attached(refused);
    }
}

void AttachmentList::remove(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void AttachmentList::clear()
{
    if (m_entries.isEmpty())
        return;
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

QList<Document> AttachmentList::documents() const
{
    QList<Document> list;
    for (const Entry &e : m_entries) {
        if (e.document)
            list.append(*e.document);
    }
    return list;
}

const Document *AttachmentList::document(int row) const
{
    if (row < 0 || row >= m_entries.size() || !m_entries[row].document)
        return nullptr;
    return &*m_entries[row].document;
}

QString AttachmentList::stillReading() const
{
    for (const Entry &e : m_entries) {
        if (!e.document)
            return e.name;
    }
    return {};
}

QString AttachmentList::summary() const
{
    if (m_entries.isEmpty())
        return {};
    int pages = 0;
    for (const Entry &e : m_entries)
        pages += e.document ? e.document->pages() : 0;
    const qsizetype n = m_entries.size();
    return tr("%1, %2", "documents, pages")
        .arg(n == 1 ? tr("1 document") : tr("%n documents", nullptr, int(n)),
             pages == 1 ? tr("1 page") : tr("%n pages", nullptr, pages));
}
