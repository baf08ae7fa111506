#pragma once

#include "sent/sentfolder.h"
#include "sent/storedmessage.h"

#include <QAbstractTableModel>

#include <optional>

// The Sent folder as a table, newest first: Date, To, Fax, Subject, Pages,
// Reply. Only the names are listed when it opens; a copy's header is read
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
        Columns
    };

    explicit SentModel(const SentFolder &folder, QObject *parent = nullptr);

    // Lists the folder anew.
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString path(int row) const;
    // The copy's file name in cur/, which stays its own however the table
    // changes.
    QString name(int row) const;
    const stored::Summary &summary(int row) const;
    // Deletes the copy named `name`, and its row if it has one; empty, or
    // why not.
    QString remove(const QString &name);

private:
    const SentFolder &m_folder;
    QStringList m_names;
    mutable QList<std::optional<stored::Summary>> m_summaries;
};
