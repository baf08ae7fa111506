#include "ui/attachmentstrip.h"

#include "documents/attachmentlist.h"

#include <QContextMenuEvent>
#include <QMenu>

AttachmentStrip::AttachmentStrip(AttachmentList &list, Use use, QWidget *parent)
    : QListView(parent), m_list(list), m_use(use)
{
    setObjectName(QStringLiteral("lstAttachments"));
    setModel(&list);
    setIconSize(documents::ThumbnailSize);
    setSpacing(2);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // A double click, as the desktop has it (or Enter).
    connect(this, &QListView::activated, this,
            [this](const QModelIndex &index) { Q_EMIT previewRequested(index.row()); });
}

void AttachmentStrip::removeCurrent()
{
    if (currentIndex().isValid())
        m_list.remove(currentIndex().row());
}

void AttachmentStrip::keyPressEvent(QKeyEvent *event)
{
    if (m_use == Use::Attaching &&
        (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        removeCurrent();
        return;
    }
    QListView::keyPressEvent(event);
}

void AttachmentStrip::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid() || m_use != Use::Attaching)
        return;
    setCurrentIndex(index);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuAttachment"));
    menu.addAction(tr("Remove"), this, &AttachmentStrip::removeCurrent);
    menu.exec(event->globalPos());
}
