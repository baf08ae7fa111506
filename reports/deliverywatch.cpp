#include "reports/deliverywatch.h"

#include "reports/trust.h"
#include "sent/storedmessage.h"
#include "store/reportsettings.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds LongestPause = std::chrono::minutes(5);

// When a Sent copy was written: its name begins with the time in seconds.
qint64 nameSeconds(const QString &name)
{
    return name.section(u'.', 0, 0).toLongLong();
}

QString gatewayOf(const QString &address)
{
    return address.section(u'@', 1).trimmed().toLower().remove(u'>');
}

} // namespace

DeliveryWatch::DeliveryWatch(const QString &dataFolder, SmtpSocket &socket,
                             CredentialSource &credentials, imap::Timeouts timeouts)
    : m_dataFolder(dataFolder), m_sent(dataFolder), m_reports(m_sent),
      m_session(socket, timeouts)
{
    m_session.setCredentialSource(&credentials);
    QStringList problems;
    m_table = wording::load(wording::iniFiles(dataFolder), problems);
    for (const QString &problem : std::as_const(problems))
        std::fprintf(stderr, "quillon: %s\n", qPrintable(problem));
    m_retry.setSingleShot(true);
    m_expiry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &DeliveryWatch::open);
    connect(&m_expiry, &QTimer::timeout, this, &DeliveryWatch::check);
    connect(&m_session, &imap::Session::fetched, this, &DeliveryWatch::onFetched);
    connect(&m_session, &imap::Session::ended, this, &DeliveryWatch::onEnded);
    connect(&m_session, &imap::Session::caughtUp, this, [this](imap::Mark mark) {
        m_pause = {};
        const QString server = m_account ? m_account->imap.hostAndPort() : QString();
        const QString error = reportsettings::saveMark(
            m_dataFolder, MailboxMark{server, mark.uidValidity, mark.lastUid});
        if (!error.isEmpty())
            std::fprintf(stderr, "quillon: %s\n", qPrintable(error));
    });
}

DeliveryWatch::~DeliveryWatch() = default;

void DeliveryWatch::setAccount(std::optional<WatchAccount> account)
{
    const bool changed = account.has_value() != m_account.has_value() ||
                         (account && (!(account->imap == m_account->imap) ||
                                      account->signIn.key() != m_account->signIn.key()));
    m_account = std::move(account);
    if (changed)
        stop();
}

QList<WaitingFax> DeliveryWatch::waitingFaxes() const
{
    QList<WaitingFax> waiting;
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 oldest = now.toSecsSinceEpoch() - delivery::WatchSeconds;
    const QHash<QString, Delivery> reports = m_reports.deliveries();
    for (const QString &name : m_sent.messages()) { // newest first
        if (nameSeconds(name) < oldest)
            break;
        const auto report = reports.constFind(name);
        if (report != reports.cend() && report->isFinal())
            continue;
        QFile file(QDir(m_sent.cur()).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const stored::Summary s = stored::readSummary(file.read(stored::MaxHeader));
        if (s.damaged || s.fax.isEmpty() || s.sent.secsTo(now) > delivery::WatchSeconds)
            continue;
        waiting.append(WaitingFax{name, s.messageId, s.fax, s.subject, gatewayOf(s.recipient),
                                  s.sent});
    }
    return waiting;
}

imap::Query DeliveryWatch::query() const
{
    QDateTime oldest = QDateTime::currentDateTime();
    for (const WaitingFax &fax : m_waiting)
        oldest = std::min(oldest, fax.sent);
    // Clocks differ, and a gateway may report a minute after it dialled.
    return imap::Query{oldest.addSecs(-10 * 60), faxmatch::senders(m_waiting, m_table)};
}

void DeliveryWatch::check()
{
    m_waiting = m_account ? waitingFaxes() : QList<WaitingFax>();
    if (m_waiting.isEmpty())
        return stop();
    // The oldest stops waiting 48 hours after it was sent.
    QDateTime first = m_waiting.first().sent;
    for (const WaitingFax &fax : std::as_const(m_waiting))
        first = std::min(first, fax.sent);
    const qint64 left = QDateTime::currentDateTime().msecsTo(first) + delivery::WatchSeconds * 1000;
    m_expiry.start(std::chrono::milliseconds(std::clamp<qint64>(left + 1000, 1000, 24 * 3600'000)));
    if (m_session.isOpen())
        m_session.setQuery(query());
    else if (!m_retry.isActive())
        open();
}

void DeliveryWatch::open()
{
    if (!m_account || m_waiting.isEmpty())
        return;
    m_keptIds = m_reports.messageIds();
    m_trusted = trust::authservIds(m_account->imap.host, wording::iniFiles(m_dataFolder));
    const MailboxMark saved = reportsettings::loadMark(m_dataFolder);
    imap::Mark mark;
    if (saved.server == m_account->imap.hostAndPort())
        mark = imap::Mark{saved.uidValidity, saved.lastUid};
    if (!m_session.open(m_account->imap, m_account->signIn, query(), mark))
        onEnded(tr("cannot connect to the IMAP server"), true);
}

void DeliveryWatch::onFetched(const imap::FetchedMessage &message)
{
    const QByteArray kept = report::keptMessage(message.header, message.parts);
    const ReportText text = report::read(kept);
    if (!text.messageId.isEmpty() && m_keptIds.contains(text.messageId))
        return;
    qsizetype i = faxmatch::find(text, m_waiting, m_table);
    if (i < 0) {
        // A fax sent since the Sent folder was read (by quillon --send)?
        // Its gateway is searched for from now on too.
        check();
        i = faxmatch::find(text, m_waiting, m_table);
    }
    if (i < 0) {
        // Other mail from the gateway (news, invoices), or a report on a
        // fax not yet in the Sent folder: read again while it is young.
        const QDateTime now = QDateTime::currentDateTime();
        if (text.date.isValid() && text.date.secsTo(now) < delivery::WatchSeconds)
            m_session.hold(message.uid);
        return;
    }
    const WaitingFax fax = m_waiting[i];
    const Wording words = wording::forGateway(m_table, fax.gateway);
    std::optional<Delivery> delivery = report::classify(text, words);
    if (!delivery)
        return;
    delivery->copy = fax.copy;
    // One anyone could have written is kept and shown as such, and changes
    // nothing: the fax waits on for one that proves itself.
    delivery->proof = trust::verify(text, fax, words, m_trusted);
    if (const QString error = m_reports.keep(*delivery, kept); !error.isEmpty()) {
        Q_EMIT trouble(tr("A delivery report could not be kept: %1").arg(error));
        return;
    }
    if (!text.messageId.isEmpty())
        m_keptIds.insert(text.messageId);
    if (!delivery->isVerified())
        return;
    if (delivery->isFinal())
        m_waiting.removeAt(i);
    Q_EMIT reported(*delivery, fax);
    // The last one this watch knew of: another Quillon (a script) may have
    // sent one since.
    if (m_waiting.isEmpty())
        check();
}

void DeliveryWatch::onEnded(const QString &reason, bool retry)
{
    if (!retry) {
        m_waiting.clear();
        Q_EMIT trouble(tr("Delivery reports cannot be read: %1.").arg(reason));
        return;
    }
    std::fprintf(stderr, "quillon: delivery reports: %s\n", qPrintable(reason));
    m_pause = std::min(m_pause.count() ? m_pause * 2 : m_firstPause, LongestPause);
    m_retry.start(m_pause);
}

void DeliveryWatch::stop()
{
    m_retry.stop();
    m_expiry.stop();
    m_pause = {};
    m_session.close();
}
