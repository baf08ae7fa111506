#pragma once

#include "sent/delivery.h"
#include "sent/sentfolder.h"

#include <QHash>
#include <QSet>

// "Sent/.Reports": the gateways' reports on the faxes in the Sent folder,
// a Maildir of its own, so that a mail program shows it as a subfolder of
// Sent and the Sent window does not take it for a fax. Each file is a
// report as received (its header and text parts) after the trace fields
// that link it to its fax's copy and say what it reported.
class ReportFolder
{
public:
    static inline const QString Name = QStringLiteral(".Reports");

    explicit ReportFolder(const SentFolder &sent);
    QString path() const { return m_folder.path(); }

    // Keeps `message` (the report's bytes) behind `delivery`'s trace
    // fields, written whole or not at all. Empty, or why not.
    QString keep(const Delivery &delivery, QByteArrayView message) const;

    // Each copy's delivery by its file name: the last verified outcome,
    // else the last verified interim receipt, else the last report that
    // proved nothing.
    QHash<QString, Delivery> deliveries() const;
    // The Message-IDs of the reports kept, so that none is kept twice.
    QSet<QString> messageIds() const;

private:
    QList<Delivery> all() const;

    SentFolder m_folder; // the same layout, one level down
};
