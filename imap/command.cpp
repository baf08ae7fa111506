#include "imap/command.h"

namespace imap {

std::optional<QByteArray> quoted(QStringView text)
{
    QByteArray out = "\"";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0 || u == '\r' || u == '\n' || u > 0x7E)
            return std::nullopt;
        if (u == '"' || u == '\\')
            out.append('\\');
        out.append(char(u));
    }
    return out + '"';
}

QByteArray date(QDate day)
{
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return QByteArray::number(day.day()) + '-' + months[day.month() - 1] + '-' +
           QByteArray::number(day.year());
}

QByteArray searchCriteria(quint32 lastUid, const QDateTime &since, const QStringList &senders,
                          bool within, const QDateTime &now)
{
    // The first search needs no UID range: every message is new then.
    QByteArray criteria = lastUid > 0 ? "UID " + QByteArray::number(quint64(lastUid) + 1) + ":*"
                                      : QByteArray("ALL");
    if (since.isValid() && within)
        criteria += " YOUNGER " + QByteArray::number(std::max<qint64>(1, since.secsTo(now) + 1));
    else if (since.isValid())
        criteria += " SINCE " + date(since.date().addDays(-1));
    QList<QByteArray> from;
    for (const QString &sender : senders)
        if (const std::optional<QByteArray> q = quoted(sender); q && q->size() > 2)
            from.append("FROM " + *q);
    // OR takes two keys: n senders need n - 1 of them, in front.
    if (!from.isEmpty())
        criteria += ' ' + QByteArray("OR ").repeated(from.size() - 1) + from.join(' ');
    return criteria;
}

QByteArray uidSet(const QList<quint32> &uids)
{
    QByteArray set;
    for (qsizetype i = 0; i < uids.size();) {
        qsizetype j = i;
        while (j + 1 < uids.size() && uids[j + 1] == uids[j] + 1)
            ++j;
        if (!set.isEmpty())
            set += ',';
        set += QByteArray::number(uids[i]);
        if (j > i)
            set += ':' + QByteArray::number(uids[j]);
        i = j + 1;
    }
    return set;
}

} // namespace imap
