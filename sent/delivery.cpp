#include "sent/delivery.h"

#include "mime/date.h"
#include "mime/encodedwords.h"
#include "mime/headerfields.h"

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

} // namespace

QByteArray Delivery::traceFields() const
{
    QByteArray fields = mime::asciiField("X-Quillon-Report-For", copy) +
                        mime::asciiField("X-Quillon-Delivery", QString::fromLatin1(stateName(state)));
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

QString pagesPart(int pages)
{
    return pages == 1 ? QStringLiteral("1 page") : QStringLiteral("%1 pages").arg(pages);
}

} // namespace

QString status(const std::optional<Delivery> &report, const QDateTime &sent, const QDateTime &now)
{
    if (report && report->state == Delivery::State::Delivered) {
        QString text = QStringLiteral("Delivered");
        if (report->at.isValid())
            text += u' ' + report->at.toLocalTime().toString(QStringLiteral("HH:mm"));
        if (report->pages > 0)
            text += (report->at.isValid() ? QStringLiteral(", ") : QStringLiteral(" ")) +
                    pagesPart(report->pages);
        return text;
    }
    if (report && report->state == Delivery::State::Failed)
        return report->reason.isEmpty() ? QStringLiteral("Failed")
                                        : QStringLiteral("Failed: ") + report->reason;
    if (report)
        return QStringLiteral("Queued by the gateway");
    if (sent.isValid() && sent.secsTo(now) > WatchSeconds)
        return QStringLiteral("No report");
    return QStringLiteral("Accepted by the server");
}

QString news(const Delivery &report, const QString &fax)
{
    if (report.state == Delivery::State::Failed)
        return QStringLiteral("Not delivered to ") + fax + QStringLiteral(": ") +
               (report.reason.isEmpty() ? QStringLiteral("failed") : report.reason);
    if (report.pages > 0)
        return QStringLiteral("Delivered: ") + fax + QStringLiteral(", ") + pagesPart(report.pages) +
               u'.';
    return QStringLiteral("Delivered: ") + fax + u'.';
}

QString statement(const std::optional<Delivery> &report)
{
    if (!report || !report->isFinal())
        return QStringLiteral("Accepted by the mail server; the gateway has not reported delivery.");
    const QString source =
        QStringLiteral("the gateway's report of %1 from %2 (Message-ID %3)")
            .arg(report->reported.isValid()
                     ? report->reported.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss t"))
                     : QStringLiteral("unknown date"),
                 report->sender.isEmpty() ? QStringLiteral("an unknown sender") : report->sender,
                 report->messageId.isEmpty() ? QStringLiteral("none") : report->messageId);
    if (report->state == Delivery::State::Failed)
        return QStringLiteral("Not delivered") +
               (report->reason.isEmpty() ? QString() : QStringLiteral(": ") + report->reason) +
               QStringLiteral(", as stated by ") + source + u'.';
    QString what = QStringLiteral("Delivered");
    if (report->at.isValid())
        what += u' ' + report->at.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (report->pages > 0)
        what += QStringLiteral(", ") + pagesPart(report->pages);
    return what + QStringLiteral(", confirmed by ") + source + u'.';
}

} // namespace delivery
