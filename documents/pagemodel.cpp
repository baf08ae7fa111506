#include "documents/pagemodel.h"

PageModel::PageModel(const documents::Document &document, int width, QObject *parent)
    : QAbstractListModel(parent), m_document(document), m_width(width)
{
    m_painters.setMaxThreadCount(2);
}

PageModel::~PageModel()
{
    // A painter posts its page to this model: none may outlive it.
    m_painters.clear();
    m_painters.waitForDone();
}

int PageModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_document.pages();
}

QVariant PageModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_document.pages())
        return {};
    const int page = index.row();
    if (role == Qt::SizeHintRole) {
        const QSize size = m_document.pageSizes[page];
        return QSize(m_width, std::max(1, int(qint64(m_width) * size.height() / size.width())));
    }
    if (role != Qt::DecorationRole)
        return {};
    // Asked for by the view as the page comes into sight: drawn then.
    const auto drawn = m_drawn.constFind(page);
    if (drawn == m_drawn.cend()) {
        draw(page);
        return {};
    }
    m_recent.removeOne(page);
    m_recent.append(page);
    return *drawn;
}

void PageModel::draw(int page) const
{
    if (m_drawing.contains(page))
        return;
    m_drawing.insert(page);
    auto *self = const_cast<PageModel *>(this);
    m_painters.start([self, page, path = m_document.path, kind = m_document.kind, width = m_width] {
        const QImage image = documents::renderPage(path, kind, page, QSize(width, 1 << 20));
        QMetaObject::invokeMethod(
            self,
            [self, page, image] {
                self->m_drawing.remove(page);
                self->m_drawn.insert(page, image);
                self->m_recent.removeOne(page);
                self->m_recent.append(page);
                while (self->m_recent.size() > Kept)
                    self->m_drawn.remove(self->m_recent.takeFirst());
                Q_EMIT self->dataChanged(self->index(page), self->index(page));
            },
            Qt::QueuedConnection);
    });
}
