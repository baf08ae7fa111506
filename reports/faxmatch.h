#pragma once

#include "reports/reportreader.h"
#include "reports/wording.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A fax in the Sent folder still waiting for its gateway's report.
struct WaitingFax
{
    QString copy;      // the Sent copy's file name
    QString messageId;
    QString fax;       // as typed
    QString subject;
    QString gateway;   // the domain of the gateway address it went to
    QDateTime sent;
};

namespace faxmatch {

// The fax `report` is about, or -1: it must come from the fax's gateway
// (its domain, the registrable domain it belongs to, or a sender
// gateways.ini lists) no earlier than 10 minutes before the fax was sent;
// then it names the fax's Message-ID, else its number (the last 7 or more
// digits; of several faxes, the oldest), else quotes the whole subject of
// exactly one of them. Whether the report proves it is the gateway's is
// trust::verify's question, not this one's.
qsizetype find(const ReportText &report, const QList<WaitingFax> &waiting,
               const QList<Wording> &table);

// Whom to ask the server for: each gateway's own domain (or the domain
// it belongs to) and listed senders, once each.
QStringList senders(const QList<WaitingFax> &waiting, const QList<Wording> &table);

// The digits of a fax number: "+1 (555) 123-4567" → "15551234567".
QString digits(QStringView number);
// Two numbers are one when their last 7 or more digits agree.
bool sameNumber(QStringView a, QStringView b);

} // namespace faxmatch
