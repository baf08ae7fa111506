#pragma once

#include "sent/delivery.h"
#include "sent/reportfolder.h"
#include "sent/sentfolder.h"
#include "sent/storedmessage.h"

#include <QAbstractTableModel>

#include <optional>

// The Sent folder as a table, newest first: Date, To, Fax, Subject, Pages,
// Reply, and the Status the gateway's report gave. Only the names are listed when it opens; a copy's header is read
// when its row is first shown, so thousands of copies open at once.
class SentModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Date,
        To,
        Fax,
        Subject,
        Pages,
        Reply,
        Status,
        Columns
    };

    explicit SentModel(const SentFolder &folder, QObject *parent = nullptr);

    // Lists the folder anew.
    void reload();
    // Reads the gateways' reports anew: the Status column changes.
    void reloadDeliveries();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString path(int row) const;
    // The copy's file name in cur/, which stays its own however the table
    // changes.
    QString name(int row) const;
    const stored::Summary &summary(int row) const;
    // The gateway's report on the copy in `row`, if one came.
    std::optional<Delivery> delivery(int row) const;
    // The row of the copy named `name`, or -1.
    int row(const QString &name) const { return int(m_names.indexOf(name)); }
    // Deletes the copy named `name`, and its row if it has one; empty, or
    // why not.
    QString remove(const QString &name);

private:
    const SentFolder &m_folder;
    ReportFolder m_reports;
    QHash<QString, Delivery> m_deliveries;
    QStringList m_names;
    mutable QList<std::optional<stored::Summary>> m_summaries;
};
