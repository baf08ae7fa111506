#include "reports/faxmatch.h"

#include <QRegularExpression>

namespace faxmatch {

namespace {

constexpr int MinDigits = 7;
constexpr qint64 ClockSlack = 10 * 60;

// A gateway's mail may come from the domain it sits in: "fax.example.net"
// reports from "example.net".
QString searchDomain(const QString &gateway)
{
    return gateway.count(u'.') >= 2 ? gateway.section(u'.', 1) : gateway;
}

bool fromGateway(const QString &from, const WaitingFax &fax, const QList<Wording> &table)
{
    const QString domain = from.section(u'@', 1);
    if (domain.isEmpty())
        return false;
    const QString base = searchDomain(fax.gateway);
    if (domain == base || domain.endsWith(u'.' + base))
        return true;
    const Wording words = wording::forGateway(table, fax.gateway);
    return std::any_of(words.senders.cbegin(), words.senders.cend(), [&](const QString &s) {
        return s.contains(u'@') ? from == s : (domain == s || domain.endsWith(u'.' + s));
    });
}

bool namesNumber(const QString &text, const QString &fax)
{
    static const QRegularExpression number(QStringLiteral("\\+?\\d[\\d ()./-]{5,}\\d"));
    for (auto it = number.globalMatch(text); it.hasNext();)
        if (sameNumber(it.next().capturedView(), fax))
            return true;
    return false;
}

} // namespace

QString digits(QStringView number)
{
    QString d;
    for (const QChar c : number)
        if (c >= u'0' && c <= u'9')
            d += c;
    return d;
}

bool sameNumber(QStringView a, QStringView b)
{
    const QString x = digits(a), y = digits(b);
    const qsizetype n = std::min(x.size(), y.size());
    return n >= MinDigits && x.right(n) == y.right(n);
}

qsizetype find(const ReportText &report, const QList<WaitingFax> &waiting,
               const QList<Wording> &table)
{
    QList<qsizetype> candidates;
    for (qsizetype i = 0; i < waiting.size(); ++i) {
        const WaitingFax &fax = waiting[i];
        const bool inTime = !report.date.isValid() || !fax.sent.isValid() ||
                            report.date.secsTo(fax.sent) <= ClockSlack;
        if (inTime && fromGateway(report.from, fax, table))
            candidates.append(i);
    }
    // The oldest first: of several faxes to one number, it is the one a
    // report is most likely about.
    std::sort(candidates.begin(), candidates.end(),
              [&](qsizetype a, qsizetype b) { return waiting[a].sent < waiting[b].sent; });
    for (const qsizetype i : std::as_const(candidates))
        if (!waiting[i].messageId.isEmpty() && report.refersTo.contains(waiting[i].messageId))
            return i;
    const QString words = report.subject + u'\n' + report.text;
    for (const qsizetype i : std::as_const(candidates))
        if (namesNumber(words, waiting[i].fax))
            return i;
    for (const qsizetype i : std::as_const(candidates)) {
        const QString subject = waiting[i].subject.trimmed();
        if (subject.size() >= 3 && words.contains(subject, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QStringList senders(const QList<WaitingFax> &waiting, const QList<Wording> &table)
{
    QStringList list;
    for (const WaitingFax &fax : waiting) {
        const QString base = searchDomain(fax.gateway);
        if (!base.isEmpty() && !list.contains(base))
            list.append(base);
        for (const QString &s : wording::forGateway(table, fax.gateway).senders)
            if (!list.contains(s))
                list.append(s);
    }
    return list;
}

} // namespace faxmatch
