#include "ui/frmsent.h"

#include "outbox/providers.h"
#include "sent/sentmodel.h"
#include "ui/attachmentstrip.h"
#include "ui/faxreport.h"
#include "ui/frmpreview.h"
#include "ui/plaintext.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmSent::frmSent(const QString &dataFolder, QWidget *parent)
    : QWidget(parent, Qt::Window), m_folder(dataFolder)
{
    setObjectName(QStringLiteral("frmSent"));
    setWindowTitle(tr("Sent"));
    m_model = new SentModel(m_folder, this);

    lstSent = new QTableView(this);
    lstSent->setObjectName(QStringLiteral("lstSent"));
    lstSent->setModel(m_model);
    lstSent->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstSent->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSent->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstSent->verticalHeader()->hide();
    lstSent->setWordWrap(false);
    // Rows of one height, columns of set widths: nothing makes the view
    // read every copy to lay itself out.
    lstSent->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lstSent->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {110, 120, 100, 170, 45, 140};
    for (int c = 0; c < int(std::size(widths)); ++c)
        lstSent->setColumnWidth(c, widths[c]);
    lstSent->installEventFilter(this);
    connect(lstSent->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { select(current.row()); });

    lblDelivery = new QLabel(this);
    lblDelivery->setObjectName(QStringLiteral("lblDelivery"));
    lblDelivery->setWordWrap(true);
    lblDelivery->setTextFormat(Qt::PlainText);
    lblDelivery->setTextInteractionFlags(Qt::TextSelectableByMouse);

    txtSentMessage = new QPlainTextEdit(this);
    txtSentMessage->setObjectName(QStringLiteral("txtSentMessage"));
    txtSentMessage->setReadOnly(true);
    lstSentAttachments =
        new AttachmentStrip(m_documents, AttachmentStrip::Use::Showing, this);
    lstSentAttachments->setObjectName(QStringLiteral("lstSentAttachments"));
    connect(lstSentAttachments, &AttachmentStrip::previewRequested, this, [this](int row) {
        if (const documents::Document *d = m_documents.document(row))
            (new frmPreview(*d, this))->show();
    });
    cmdSendAgain = new QPushButton(tr("Send again"), this);
    cmdSendAgain->setObjectName(QStringLiteral("cmdSendAgain"));
    cmdReport = new QPushButton(tr("Report"), this);
    cmdReport->setObjectName(QStringLiteral("cmdReport"));
    connect(cmdSendAgain, &QPushButton::clicked, this, [this] { Q_EMIT sendAgain(m_selected); });
    connect(cmdReport, &QPushButton::clicked, this, &frmSent::report);

    auto *below = new QHBoxLayout;
    below->addWidget(txtSentMessage, 3);
    below->addWidget(lstSentAttachments, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSendAgain);
    buttons->addWidget(cmdReport);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lstSent, 3);
    layout->addWidget(lblDelivery);
    layout->addLayout(below, 2);
    layout->addLayout(buttons);
    resize(880, 560);
    select(-1);
}

frmSent::~frmSent() = default;

void frmSent::reload()
{
    m_model->reload();
    select(-1);
}

void frmSent::reloadDeliveries()
{
    m_model->reloadDeliveries();
    showDelivery(selectedRow());
}

void frmSent::showCopy(const QString &copy)
{
    m_model->reload();
    const int row = m_model->row(copy);
    if (row >= 0)
        lstSent->setCurrentIndex(m_model->index(row, 0));
}

// The report's status and its own words, as the gateway wrote them.
void frmSent::showDelivery(int row)
{
    const std::optional<Delivery> d = row >= 0 ? m_model->delivery(row) : std::nullopt;
    lblDelivery->setVisible(d.has_value());
    if (!d)
        return lblDelivery->clear();
    const QString status =
        m_model->data(m_model->index(row, SentModel::Status), Qt::DisplayRole).toString();
    QString text = d->sender.isEmpty() ? status : tr("%1 (report from %2)").arg(status, d->sender);
    for (const QString &words : d->words)
        text += QStringLiteral("\n") + words;
    lblDelivery->setText(text);
}

int frmSent::selectedRow() const
{
    const QModelIndex current = lstSent->currentIndex();
    return current.isValid() ? current.row() : -1;
}

// The copy is read whole when it is chosen; its documents go to files of
// their own, for their pictures and pages.
void frmSent::select(int row)
{
    m_selected = {};
    m_selectedName = m_model->name(row);
    m_documents.clear();
    QString text;
    if (row >= 0 && !m_files.isValid()) {
        // Without a folder of its own a path would name the working folder.
        text = tr("The documents of this copy cannot be shown: no temporary folder (%1)")
                   .arg(m_files.errorString());
        row = -1;
    } else if (row >= 0) {
        QFile file(m_model->path(row));
        if (!file.open(QIODevice::ReadOnly)) {
            text = tr("This copy cannot be read: %1").arg(file.errorString());
        } else {
            m_selected = stored::read(file.readAll());
            if (m_selected.summary.damaged) {
                text = tr("This copy cannot be read (damaged).");
            } else {
                m_selected.text =
                    providers::typedMessage(m_selected.summary.provider, m_selected.text);
                text = m_selected.text;
                const QString place = QDir(m_files.path()).filePath(QString::number(row));
                QDir(place).removeRecursively();
                m_documents.attach(stored::saveFiles(m_selected.files, place));
            }
        }
    }
    txtSentMessage->setPlainText(text);
    showDelivery(row);
    const bool usable = row >= 0 && !m_selected.summary.damaged && !m_selected.summary.sent.isNull();
    cmdSendAgain->setEnabled(usable);
    cmdReport->setEnabled(usable);
}

// The copy deleted is the one chosen, by its file name: while the question
// waits, a Send that ends reloads the table and its rows move.
void frmSent::deleteSelected()
{
    const QString chosen = m_model->name(selectedRow());
    if (chosen.isEmpty())
        return;
    QMessageBox ask(QMessageBox::Question, QStringLiteral("Quillon"),
                    tr("Delete the copy of this fax?"), QMessageBox::NoButton, this);
    QPushButton *remove = ask.addButton(tr("Delete"), QMessageBox::AcceptRole);
    QPushButton *cancel = ask.addButton(tr("Cancel"), QMessageBox::RejectRole);
    ask.setDefaultButton(cancel);
    ask.setEscapeButton(cancel);
    ask.exec();
    if (ask.clickedButton() != remove)
        return;
    if (const QString error = m_model->remove(chosen); !error.isEmpty())
        plaintext::warning(this, QStringLiteral("Quillon"), error);
}

// The report is of the fax chosen when Report was pressed, whatever the
// table does while the file dialog waits.
void frmSent::report()
{
    const stored::Message chosen = m_selected;
    const std::optional<Delivery> delivery = m_model->delivery(m_model->row(m_selectedName));
    const QList<documents::Document> pages = m_documents.documents();
    const stored::Summary &s = chosen.summary;
    if (s.damaged || s.sent.isNull())
        return;
    if (!m_documents.stillReading().isEmpty())
        return plaintext::warning(this, QStringLiteral("Quillon"),
                                  tr("The documents are still being read."));
    const QString name =
        tr("Fax report %1.pdf").arg(s.sent.toString(QStringLiteral("yyyy-MM-dd HHmm")));
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Report"), QDir::home().filePath(name), tr("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (const QString error = faxreport::write(path, chosen, pages, delivery);
        !error.isEmpty())
        plaintext::warning(this, QStringLiteral("Quillon"), error);
}

bool frmSent::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstSent && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
