#include "sent/delivery.h"

#include "mime/date.h"
#include "mime/encodedwords.h"
#include "mime/headerfields.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

const char *stateName(Delivery::State state)
{
    switch (state) {
    case Delivery::State::Delivered:
        return "delivered";
    case Delivery::State::Failed:
        return "failed";
    case Delivery::State::Queued:
        break;
    }
    return "queued";
}

const char *const proofNames[] = {"", "message-id", "dkim", "dmarc", "sender"};

} // namespace

QByteArray Delivery::traceFields() const
{
    QByteArray fields = mime::asciiField("X-Quillon-Report-For", copy) +
                        mime::asciiField("X-Quillon-Delivery", QString::fromLatin1(stateName(state)));
    if (isVerified())
        fields += mime::asciiField("X-Quillon-Verified",
                                   QString::fromLatin1(proofNames[int(proof)]));
    if (pages > 0)
        fields += mime::asciiField("X-Quillon-Pages", QString::number(pages));
    if (at.isValid())
        fields += mime::asciiField("X-Quillon-At", at.toString(Qt::ISODate));
    if (!reason.isEmpty())
        fields += mime::headerField("X-Quillon-Reason", reason);
    for (const QString &line : words)
        fields += mime::headerField("X-Quillon-Words", line);
    return fields;
}

std::optional<Delivery> Delivery::fromHeader(QByteArrayView head)
{
    const mime::Header header = mime::parseHeader(head);
    const QByteArray state = header.value("x-quillon-delivery").trimmed();
    Delivery d;
    d.copy = header.text("x-quillon-report-for");
    if (d.copy.isEmpty())
        return std::nullopt;
    if (state == "delivered")
        d.state = State::Delivered;
    else if (state == "failed")
        d.state = State::Failed;
    else if (state != "queued")
        return std::nullopt;
    // A report kept without this field proved nothing.
    const QByteArray proof = header.value("x-quillon-verified").trimmed();
    for (int p = 1; p < int(std::size(proofNames)); ++p)
        if (proof == proofNames[p])
            d.proof = Proof(p);
    d.pages = std::max(0, header.text("x-quillon-pages").toInt());
    d.at = QDateTime::fromString(header.text("x-quillon-at"), Qt::ISODate);
    d.reason = header.text("x-quillon-reason");
    for (const mime::Field &field : header.fields)
        if (field.name == "x-quillon-words")
            d.words.append(mime::decodeWords(field.value).trimmed());
    d.sender = header.text("from");
    d.reported = mime::parseDate(header.text("date"));
    d.messageId = header.text("message-id");
    return d;
}

namespace delivery {

namespace {

// What the Sent window, the status line and the report say: in the user's
// language. The reason stays in English in the copy's trace fields.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Delivery)
};

QString pagesPart(int pages)
{
    return pages == 1 ? Texts::tr("1 page") : Texts::tr("%n pages", nullptr, pages);
}

QString reasonShown(const QString &reason)
{
    // The reader's own few words are translated; a gateway's stay as given.
    return QCoreApplication::translate("Delivery", reason.toUtf8().constData());
}

// Where a delivery's proof comes from: the report's date, sender and
// Message-ID.
QStringList source(const Delivery &report)
{
    return {report.reported.isValid()
                ? QLocale().toString(report.reported,
                                     Texts::tr("yyyy-MM-dd HH:mm:ss t", "the report's date"))
                : Texts::tr("unknown date"),
            report.sender.isEmpty() ? Texts::tr("an unknown sender") : report.sender,
            report.messageId.isEmpty() ? Texts::tr("none", "no Message-ID") : report.messageId};
}

// Fills all placeholders in one pass, so that a value holding "%2" is
// never read as one.
QString arg(const QString &text, const QStringList &values)
{
    return values.size() == 3 ? text.arg(values[0], values[1], values[2])
                              : text.arg(values[0], values[1], values[2], values[3]);
}

} // namespace

QString status(const std::optional<Delivery> &report, const QDateTime &sent, const QDateTime &now)
{
    if (report && !report->isVerified()) {
        // What it claims, worded as a verified one would be, and whose word
        // it is.
        Delivery claimed = *report;
        claimed.proof = Delivery::Proof::Sender;
        return Texts::tr("Unverified report: %1, from %2")
            .arg(status(claimed, sent, now),
                 report->sender.isEmpty() ? Texts::tr("an unknown sender") : report->sender);
    }
    if (report && report->state == Delivery::State::Delivered) {
        const QString at = QLocale().toString(report->at.toLocalTime(),
                                              Texts::tr("HH:mm", "the time of delivery"));
        if (report->at.isValid() && report->pages > 0)
            return Texts::tr("Delivered %1, %2").arg(at, pagesPart(report->pages));
        if (report->at.isValid())
            return Texts::tr("Delivered %1", "the time").arg(at);
        if (report->pages > 0)
            return Texts::tr("Delivered %1", "the pages").arg(pagesPart(report->pages));
        return Texts::tr("Delivered");
    }
    if (report && report->state == Delivery::State::Failed)
        return report->reason.isEmpty() ? Texts::tr("Failed")
                                        : Texts::tr("Failed: %1").arg(reasonShown(report->reason));
    if (report)
        return Texts::tr("Queued by the gateway");
    if (sent.isValid() && sent.secsTo(now) > WatchSeconds)
        return Texts::tr("No report");
    return Texts::tr("Accepted by the server");
}

QString news(const Delivery &report, const QString &fax)
{
    if (report.state == Delivery::State::Failed)
        return Texts::tr("Not delivered to %1: %2")
            .arg(fax, report.reason.isEmpty() ? Texts::tr("failed") : reasonShown(report.reason));
    if (report.pages > 0)
        return Texts::tr("Delivered: %1, %2.").arg(fax, pagesPart(report.pages));
    return Texts::tr("Delivered: %1.").arg(fax);
}

QString statement(const std::optional<Delivery> &report)
{
    if (!report || !report->isFinal())
        return Texts::tr("Accepted by the mail server; the gateway has not reported delivery.");
    QStringList values = source(*report);
    if (report->state == Delivery::State::Failed) {
        if (report->reason.isEmpty())
            return arg(Texts::tr("Not delivered, as stated by the gateway's report of %1 from %2 "
                                 "(Message-ID %3)."),
                       values);
        values.prepend(reasonShown(report->reason));
        return arg(Texts::tr("Not delivered: %1, as stated by the gateway's report of %2 from %3 "
                             "(Message-ID %4)."),
                   values);
    }
    const QString pages = report->pages > 0 ? pagesPart(report->pages) : QString();
    if (report->at.isValid()) {
        const QString at =
            QLocale().toString(report->at, Texts::tr("yyyy-MM-dd HH:mm", "the time of delivery"));
        values.prepend(pages.isEmpty() ? at
                                       : Texts::tr("%1, %2", "a time, then pages").arg(at, pages));
        return arg(Texts::tr("Delivered %1, confirmed by the gateway's report of %2 from %3 "
                             "(Message-ID %4)."),
                   values);
    }
    if (!pages.isEmpty()) {
        values.prepend(pages);
        return arg(Texts::tr("Delivered, %1, confirmed by the gateway's report of %2 from %3 "
                             "(Message-ID %4)."),
                   values);
    }
    return arg(Texts::tr("Delivered, confirmed by the gateway's report of %1 from %2 "
                         "(Message-ID %3)."),
               values);
}

} // namespace delivery
