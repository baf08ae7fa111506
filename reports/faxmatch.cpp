#include "reports/faxmatch.h"

#include "reports/domains.h"

#include <QRegularExpression>

namespace faxmatch {

namespace {

constexpr int MinDigits = 7;
constexpr qint64 ClockSlack = 10 * 60;

// A gateway's mail may come from the domain it sits in: "fax.example.net"
// reports from "example.net", but "myfax.co.uk" never from all of "co.uk".
QString searchDomain(const QString &gateway)
{
    const QString base = domains::registrable(gateway);
    return base.isEmpty() ? gateway : base;
}

bool fromGateway(const QString &from, const WaitingFax &fax, const QList<Wording> &table)
{
    const QString domain = from.section(u'@', 1);
    if (domain.isEmpty())
        return false;
    if (domains::within(domain, searchDomain(fax.gateway)))
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

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The whole subject as a report quotes it: between quotation marks, or
// as all that follows a colon on its line ("Subject: Invoice 42", "Re:
// Invoice 42"), or as a whole line (the report's own subject), never as
// a word inside other text.
bool quotesSubject(const QString &words, const QString &subject)
{
    static const QString opening = QStringLiteral("\"'\u201C\u201E\u00AB\u300C\u300E\u2018");
    static const QString closing = QStringLiteral("\"'\u201D\u201C\u00BB\u300D\u300F\u2019");
    if (subject.isEmpty())
        return false;
    for (qsizetype at = words.indexOf(subject, 0, Qt::CaseInsensitive); at >= 0;
         at = words.indexOf(subject, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + subject.size();
        const QChar before = at > 0 ? words[at - 1] : u'\n';
        const QChar after = end < words.size() ? words[end] : u'\n';
        const qsizetype open = opening.indexOf(before);
        if (open >= 0 && after == closing[open])
            return true;
        qsizetype b = at, e = end;
        while (b > 0 && isSpace(words[b - 1]))
            --b;
        while (e < words.size() && isSpace(words[e]))
            ++e;
        const bool lineEnds = e == words.size() || words[e] == u'\n' || words[e] == u'\r';
        if (lineEnds && (b == 0 || words[b - 1] == u'\n' || words[b - 1] == u':'))
            return true;
    }
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
    // A subject is no number: it counts only when it fits one fax alone.
    qsizetype quoted = -1;
    for (const qsizetype i : std::as_const(candidates)) {
        if (!quotesSubject(words, waiting[i].subject.trimmed()))
            continue;
        if (quoted >= 0)
            return -1;
        quoted = i;
    }
    return quoted;
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
