#include "ui/attachmentpanel.h"

#include "ui/attachmentstrip.h"
#include "ui/frmpreview.h"
#include "ui/plaintext.h"
#include "ui/statusline.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>

namespace {

// The local files a drag carries; none for text or a web address.
QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

AttachmentPanel::AttachmentPanel(QWidget *window, QWidget *client, const QRect &box,
                                 StatusLine &status)
    : QObject(window), m_window(window), m_client(client), m_box(box), m_status(status),
      m_lastFolder(QDir::homePath())
{
    connect(&m_list, &AttachmentList::attached, this, &AttachmentPanel::attached);
    connect(&m_list, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (m_list.isEmpty())
            showStrip(false);
        showSummary();
    });
    connect(&m_list, &QAbstractItemModel::modelReset, this, [this] { showStrip(false); });
    connect(&m_list, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { release(first, last); });
    connect(&m_list, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { release(0, m_list.rowCount() - 1); });
}

void AttachmentPanel::attachOwned(const QString &path)
{
    m_owned.insert(path);
    attach({path});
}

void AttachmentPanel::release(int first, int last)
{
    for (int row = first; row <= last; ++row) {
        const documents::Document *d = m_list.document(row);
        if (d && m_owned.remove(d->path))
            QFile::remove(d->path);
    }
}

void AttachmentPanel::showStrip(bool shown)
{
    if (!lstAttachments) {
        if (!shown)
            return;
        lstAttachments = new AttachmentStrip(m_list, AttachmentStrip::Use::Attaching, m_client);
        lstAttachments->setGeometry(m_box);
        connect(lstAttachments, &AttachmentStrip::previewRequested, this,
                &AttachmentPanel::preview);
    }
    if (lstAttachments->isVisible() == shown)
        return;
    lstAttachments->setVisible(shown);
    Q_EMIT shownChanged(shown);
}

void AttachmentPanel::attach(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    m_lastFolder = QFileInfo(paths.last()).absolutePath();
    m_list.attach(paths);
    showStrip(true);
}

void AttachmentPanel::chooseFiles()
{
    attach(QFileDialog::getOpenFileNames(
        m_window, tr("Attach"), m_lastFolder,
        tr("Documents (*.pdf *.tif *.tiff *.png *.jpg *.jpeg);;All files (*)")));
}

void AttachmentPanel::clear()
{
    const bool had = !m_list.isEmpty();
    m_list.clear();
    if (had)
        m_status.setStatus(QString());
}

// One refusal goes to the status line; several, one line each, to a box.
void AttachmentPanel::attached(const QStringList &refused)
{
    if (refused.size() == 1) {
        m_status.setStatus(refused.first());
        return;
    }
    showSummary();
    if (refused.size() > 1)
        plaintext::warning(m_window, QStringLiteral("Quillon"), refused.join(u'\n'));
}

void AttachmentPanel::showSummary()
{
    m_status.setStatus(m_list.summary());
}

void AttachmentPanel::preview(int row)
{
    const documents::Document *document = m_list.document(row);
    if (!document)
        return; // still being read
    auto *window = new frmPreview(*document, m_window);
    window->show();
}

QString AttachmentPanel::notReady() const
{
    const QString reading = m_list.stillReading();
    return reading.isEmpty() ? QString() : tr("Not sent: %1 is still being read").arg(reading);
}

void AttachmentPanel::acceptDrops(QWidget *target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool AttachmentPanel::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (localFiles(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (files.isEmpty())
            break;
        drop->acceptProposedAction();
        attach(files);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
