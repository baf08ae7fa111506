#include "imap/session.h"

#include "imap/command.h"
#include "smtp/socket.h"

#include <algorithm>

// The inbox read-only: search, fetch what matched, wait for more.
namespace imap {

namespace {

// "BODY[1.2]<0>" → "1.2"
QByteArray sectionOf(QByteArrayView key)
{
    if (!key.startsWith("BODY[") && !key.startsWith("body["))
        return {};
    const qsizetype close = key.indexOf(']');
    return close < 0 ? QByteArray() : key.sliced(5, close - 5).toByteArray().toUpper();
}

// The header fields a report is read by, and at most MaxHeaderBytes of
// them: a header of megabytes is no gateway's.
QByteArray headerItem()
{
    return "BODY.PEEK[HEADER.FIELDS (FROM DATE MESSAGE-ID IN-REPLY-TO REFERENCES SUBJECT "
           "AUTHENTICATION-RESULTS CONTENT-TYPE CONTENT-TRANSFER-ENCODING MIME-VERSION)]<0." +
           QByteArray::number(Session::MaxHeaderBytes) + '>';
}

} // namespace

void Session::examine()
{
    command("EXAMINE INBOX", &Session::afterExamine);
}

void Session::afterExamine(const Response &response)
{
    if (response.name != "OK")
        return end(tr("the IMAP server would not open the inbox: %1")
                       .arg(QString::fromUtf8(response.text)),
                   true);
    search();
}

void Session::search()
{
    m_searchAgain = false;
    m_found.clear();
    // Nothing is read that does not come from a gateway.
    if (m_query.senders.isEmpty())
        return rest();
    command("UID SEARCH " + searchCriteria(m_readUpTo, m_query.since, m_query.senders,
                                           m_capabilities.contains(QStringLiteral("WITHIN"))),
            &Session::afterSearch);
}

void Session::afterSearch(const Response &response)
{
    if (response.name != "OK")
        return end(tr("the IMAP server could not search the inbox: %1")
                       .arg(QString::fromUtf8(response.text)),
                   true);
    // "n:*" always takes in the newest message, even one already read.
    const quint32 last = m_readUpTo;
    m_found.erase(std::remove_if(m_found.begin(), m_found.end(),
                                 [last](quint32 uid) { return uid <= last; }),
                  m_found.end());
    std::sort(m_found.begin(), m_found.end());
    m_found.erase(std::unique(m_found.begin(), m_found.end()), m_found.end());
    if (m_found.isEmpty()) {
        const quint64 run = m_run;
        Q_EMIT caughtUp(m_mark);
        if (run == m_run)
            rest();
        return;
    }
    fetchBatch();
}

// A few hundred messages a command: servers refuse a command line longer
// than some thousands of bytes.
void Session::fetchBatch()
{
    m_batch = m_found.mid(0, MaxBatch);
    m_found.remove(0, m_batch.size());
    m_messages.clear();
    command("UID FETCH " + uidSet(m_batch) + " (UID BODYSTRUCTURE " + headerItem() + ')',
            &Session::afterStructure);
}

void Session::onFetch(const Response &response)
{
    if (response.data.isEmpty())
        return;
    const Value &items = response.data.first();
    const Value *uidValue = items.field("UID");
    const std::optional<quint32> uid = uidValue ? uidValue->number() : std::nullopt;
    if (!uid || !m_batch.contains(*uid))
        return; // a flag change, or a message not asked for
    auto message = std::find_if(m_messages.begin(), m_messages.end(),
                                [&](const FetchedMessage &m) { return m.uid == *uid; });
    if (message == m_messages.end()) {
        m_messages.append(FetchedMessage{*uid, {}, {}});
        message = m_messages.end() - 1;
    }
    if (const Value *structure = items.field("BODYSTRUCTURE"))
        message->parts = textParts(*structure);
    for (qsizetype i = 0; i + 1 < items.items.size(); i += 2) {
        const QByteArray section = sectionOf(items.items[i].text);
        if (section.startsWith("HEADER")) {
            message->header = items.items[i + 1].string();
            continue;
        }
        for (TextPart &part : message->parts)
            if (part.section == section)
                part.body = items.items[i + 1].string();
    }
}

void Session::afterStructure(const Response &response)
{
    if (response.name != "OK")
        return end(tr("the IMAP server could not fetch a message: %1")
                       .arg(QString::fromUtf8(response.text)),
                   true);
    std::sort(m_messages.begin(), m_messages.end(),
              [](const FetchedMessage &a, const FetchedMessage &b) { return a.uid < b.uid; });
    m_textsFrom = 0;
    fetchParts();
}

// The text parts of the batch's next few messages: one command a message,
// all in one write; the last one's answer hands them on and frees them.
void Session::fetchParts()
{
    QList<QByteArray> texts;
    const qsizetype to = std::min(m_messages.size(), m_textsFrom + MaxTextsAtOnce);
    for (qsizetype i = m_textsFrom; i < to; ++i) {
        const FetchedMessage &message = m_messages[i];
        if (message.parts.isEmpty())
            continue;
        const qsizetype share = MaxTextBytes / message.parts.size();
        QByteArray items;
        for (const TextPart &part : message.parts)
            items += QByteArray(items.isEmpty() ? "" : " ") + "BODY.PEEK[" + part.section +
                     "]<0." + QByteArray::number(share) + '>';
        texts.append("UID FETCH " + QByteArray::number(message.uid) + " (" + items + ')');
    }
    if (texts.isEmpty())
        return afterParts(Response{Response::Kind::Tagged, {}, "OK", {}, {}, {}, {}, {}});
    commands(texts, &Session::afterParts);
}

void Session::afterParts(const Response &response)
{
    if (response.name != "OK")
        return end(tr("the IMAP server could not fetch a message: %1")
                       .arg(QString::fromUtf8(response.text)),
                   true);
    const quint64 run = m_run;
    const qsizetype to = std::min(m_messages.size(), m_textsFrom + MaxTextsAtOnce);
    for (qsizetype i = m_textsFrom; i < to; ++i) {
        Q_EMIT fetched(std::exchange(m_messages[i], FetchedMessage{m_messages[i].uid, {}, {}}));
        if (run != m_run)
            return;
    }
    m_textsFrom = to;
    if (m_textsFrom < m_messages.size())
        return fetchParts();
    markRead();
    if (run != m_run)
        return;
    if (!m_found.isEmpty())
        return fetchBatch();
    rest();
}

// The batch is read: the mark moves past it, but never past a message held
// to be read again, and is handed on at once, so that a restart reads no
// batch twice.
void Session::markRead()
{
    m_readUpTo = std::max(m_readUpTo, m_batch.last());
    quint32 upTo = m_readUpTo;
    for (const quint32 uid : std::as_const(m_held))
        upTo = std::min(upTo, uid - 1);
    m_mark.lastUid = std::max(m_mark.lastUid, upTo);
    m_messages.clear();
    Q_EMIT caughtUp(m_mark);
}

void Session::rest()
{
    if (m_searchAgain)
        return search();
    if (m_capabilities.contains(QStringLiteral("IDLE")))
        return command("IDLE", &Session::afterIdle);
    wait(Waiting::Pause, m_timeouts.poll);
}

void Session::afterIdle(const Response &response)
{
    if (response.name != "OK")
        return end(tr("the IMAP server ended IDLE: %1").arg(QString::fromUtf8(response.text)),
                   true);
    search();
}

} // namespace imap
