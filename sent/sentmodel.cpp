#include "sent/sentmodel.h"

#include <QDir>
#include <QFile>
#include <QLocale>

namespace {

// A copy's header, read from the start of its file: what a header usually
// takes first, more only if it goes on.
stored::Summary readHeaderOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return stored::Summary{{}, {}, {}, {}, file.errorString(), 0, {}, {}, {}, {}, {}, true};
    QByteArray head = file.read(4096);
    while (!head.contains("\n\r\n") && !head.contains("\n\n") && head.size() < stored::MaxHeader &&
           !file.atEnd())
        head += file.read(16384);
    return stored::readSummary(head);
}

} // namespace

SentModel::SentModel(const SentFolder &folder, QObject *parent)
    : QAbstractTableModel(parent), m_folder(folder), m_reports(folder)
{
    reload();
}

void SentModel::reload()
{
    beginResetModel();
    m_names = m_folder.messages();
    m_summaries = QList<std::optional<stored::Summary>>(m_names.size());
    m_deliveries = m_reports.deliveries();
    endResetModel();
}

void SentModel::reloadDeliveries()
{
    m_deliveries = m_reports.deliveries();
    if (!m_names.isEmpty())
        Q_EMIT dataChanged(index(0, Status), index(int(m_names.size()) - 1, Status));
}

std::optional<Delivery> SentModel::delivery(int row) const
{
    const auto found = m_deliveries.constFind(m_names.value(row));
    return found == m_deliveries.cend() ? std::nullopt : std::optional(*found);
}

int SentModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

int SentModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QString SentModel::path(int row) const
{
    return QDir(m_folder.cur()).filePath(m_names.value(row));
}

const stored::Summary &SentModel::summary(int row) const
{
    std::optional<stored::Summary> &s = m_summaries[row];
    if (!s)
        s = readHeaderOf(path(row));
    return *s;
}

QVariant SentModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const stored::Summary &s = summary(index.row());
    if (s.damaged)
        return index.column() == Subject
                   ? QVariant(
                         tr("This copy cannot be read (damaged): %1").arg(m_names[index.row()]))
                   : QVariant();
    switch (index.column()) {
    case Date:
        return s.sent.isValid()
                   ? QLocale().toString(s.sent, tr("yyyy-MM-dd HH:mm", "the date sent"))
                   : QString();
    case To:
        return s.to;
    case Fax:
        return s.fax;
    case Subject:
        return s.subject;
    case Pages:
        return s.pages > 0 ? QVariant(s.pages) : QVariant();
    case Reply:
        return s.reply;
    case Status: // an e-mail has no gateway to report on it
        return s.fax.isEmpty() ? QString()
                               : delivery::status(delivery(index.row()), s.sent,
                                                  QDateTime::currentDateTime());
    default:
        return {};
    }
}

QVariant SentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const names[] = {
        QT_TR_NOOP("Date"),  QT_TR_NOOP("To"),    QT_TR_NOOP("Fax"),   QT_TR_NOOP("Subject"),
        QT_TR_NOOP("Pages"), QT_TR_NOOP("Reply"), QT_TR_NOOP("Status")};
    return section >= 0 && section < Columns ? tr(names[section]) : QString();
}

QString SentModel::name(int row) const
{
    return m_names.value(row);
}

QString SentModel::remove(const QString &name)
{
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    if (!m_folder.fileSystem().remove(QDir(m_folder.cur()).filePath(name)))
        return tr("The copy was not deleted: %1.").arg(lastSystemError());
    const qsizetype row = m_names.indexOf(name);
    if (row < 0)
        return {};
    beginRemoveRows({}, int(row), int(row));
    m_names.removeAt(row);
    m_summaries.removeAt(row);
    endRemoveRows();
    return {};
}
