#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// What a gateway's report said about a fax: delivered (with pages and time
// when it gave them), failed (and why), or queued (an interim receipt), and
// where that was said. Kept as trace fields in front of the report in
// Sent/.Reports, as the Sent copy keeps what was typed.
struct Delivery
{
    enum class State
    {
        Queued,
        Delivered,
        Failed
    };
    // How the report proved it is the gateway's: it named the fax's
    // Message-ID, the receiving server found the gateway's DKIM signature
    // or DMARC pass, or gateways.ini trusts that gateway's sender. None:
    // anyone could have written it, so it changes nothing about the fax.
    enum class Proof
    {
        None,
        MessageId,
        Dkim,
        Dmarc,
        Sender
    };
    State state = State::Queued;
    Proof proof = Proof::None;
    int pages = 0;              // 0: the report gave none
    QDateTime at;               // when delivered, as the report says, else its Date
    QString reason;             // why not: "busy"
    QStringList words;          // the report's status lines, as written
    QString copy;               // the Sent copy's file name the report is on
    QString sender;             // the report's From
    QDateTime reported;         // the report's Date
    QString messageId;          // the report's Message-ID

    bool isVerified() const { return proof != Proof::None; }
    // A verified report that says delivered or failed: the fax's outcome.
    bool isFinal() const { return isVerified() && state != State::Queued; }

    // The trace fields, ending in CR LF; no text from the report can break
    // one or start another.
    QByteArray traceFields() const;
    // The delivery a report's header records; nothing for a file without one.
    static std::optional<Delivery> fromHeader(QByteArrayView head);
};

namespace delivery {

// What the Sent window's Status column says of a copy sent at `sent`:
// "Delivered 14:05, 3 pages", "Failed: busy", "Queued by the gateway",
// "Accepted by the server", or "No report" once `watchFor` has passed; a
// report that proved nothing: "Unverified report: Delivered, from
// someone@example.org".
QString status(const std::optional<Delivery> &report, const QDateTime &sent, const QDateTime &now);

// How long a fax is watched for its report.
constexpr qint64 WatchSeconds = 48 * 3600;

// The status line's news: "Delivered: 0123 456 789, 3 pages." or "Not
// delivered to 0123 456 789: busy".
QString news(const Delivery &report, const QString &fax);

// What a transmission report states of the delivery: confirmed by which
// report, or not reported. It never claims a delivery without a report.
QString statement(const std::optional<Delivery> &report);

} // namespace delivery
