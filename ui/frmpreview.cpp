#include "ui/frmpreview.h"

#include "documents/pagemodel.h"

#include <QListView>
#include <QPainter>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// A page: white paper at its size, its picture once drawn, a thin edge.
class PageDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QRect paper = option.rect;
        painter->fillRect(paper, Qt::white);
        const QImage page = index.data(Qt::DecorationRole).value<QImage>();
        if (!page.isNull())
            painter->drawImage(paper.topLeft(), page);
        painter->setPen(QColor(160, 160, 160));
        painter->drawRect(paper.adjusted(0, 0, -1, -1));
    }
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        return index.data(Qt::SizeHintRole).toSize();
    }
};

} // namespace

frmPreview::frmPreview(const documents::Document &document, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(document.name);
    setAttribute(Qt::WA_DeleteOnClose);
    m_pages = new PageModel(document, PageWidth, this);
    lstPages = new QListView(this);
    lstPages->setObjectName(QStringLiteral("lstPages"));
    lstPages->setModel(m_pages);
    lstPages->setItemDelegate(new PageDelegate(lstPages));
    lstPages->setSpacing(6);
    lstPages->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstPages->setSelectionMode(QAbstractItemView::NoSelection);
    lstPages->setFocusPolicy(Qt::StrongFocus);
    QPalette p = lstPages->palette();
    p.setColor(QPalette::Base, QColor(96, 96, 96));
    lstPages->setPalette(p);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lstPages);
    resize(PageWidth + 40, 900);
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);
}
