#pragma once

#include "imap/bodystructure.h"
#include "reports/wording.h"
#include "sent/delivery.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// A message that may be a gateway's report, read for what matters: who
// sent it and when, what it answers, and its words as plain text (the
// text part, or the text of an HTML-only one), decoded from any charset
// and transfer encoding.
struct ReportText
{
    QString from;        // the sender's address, lower case; empty when not one
    QList<QByteArray> authResults; // Authentication-Results, topmost first
    QDateTime date;
    QString messageId;
    QStringList refersTo; // In-Reply-To and References
    QString subject;
    QString text;
};

namespace report {

// The bytes Quillon keeps of a report: its header as received, with the
// text parts fetched (and their transfer encoding) in a multipart body of
// their own, since the original's other parts are not there.
QByteArray keptMessage(QByteArrayView header, const QList<imap::TextPart> &parts);

// Any message's bytes, read without harm.
ReportText read(QByteArrayView message);

// What a report says with `words`: failure wording wins over success,
// success over an interim receipt; nothing when it says none of these.
// The delivery's copy and report fields are left for the caller.
std::optional<Delivery> classify(const ReportText &report, const Wording &words);

} // namespace report
