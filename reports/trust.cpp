#include "reports/trust.h"

#include "reports/authresults.h"
#include "reports/domains.h"

#include <QFileInfo>
#include <QSettings>

namespace trust {

namespace {

// The names a big mailbox provider's receiving servers sign their
// Authentication-Results with, by its IMAP servers' names.
struct Provider
{
    const char *imapHost;
    QStringList authservIds;
};

const QList<Provider> &providers()
{
    static const QList<Provider> list{
        {"imap.gmail.com", {QStringLiteral("mx.google.com")}},
        {"imap.googlemail.com", {QStringLiteral("mx.google.com")}},
        {"outlook.office365.com",
         {QString(), QStringLiteral("outlook.com"), QStringLiteral("hotmail.com")}},
        {"imap-mail.outlook.com",
         {QString(), QStringLiteral("outlook.com"), QStringLiteral("hotmail.com")}},
    };
    return list;
}

QString domainOf(const QString &address)
{
    return address.contains(u'@') ? address.section(u'@', -1) : address;
}

// A domain that speaks for the gateway: the gateway's own domain or one
// above it within its registrable domain, or the same for a domain its
// reports come from by gateways.ini.
bool speaksFor(const QString &domain, const WaitingFax &fax, const Wording &words)
{
    const QString d = domain.trimmed().toLower();
    if (d.isEmpty())
        return false;
    QStringList own{fax.gateway};
    for (const QString &sender : words.senders)
        own.append(domainOf(sender));
    return std::any_of(own.cbegin(), own.cend(), [&](const QString &o) {
        const QString base = domains::registrable(o);
        return domains::within(o, d) && (base.isEmpty() ? d == o : domains::within(d, base));
    });
}

QString property(const AuthResults::Result &r, const char *name)
{
    for (const auto &[key, value] : r.properties)
        if (key == name)
            return QString::fromLatin1(value).toLower();
    return {};
}

// What the topmost field a trusted server wrote says: the receiving server
// writes above whatever the message came with, and removes fields that
// claim its name (RFC 8601, 5).
Delivery::Proof authenticated(const ReportText &report, const WaitingFax &fax, const Wording &words,
                              const QStringList &trusted)
{
    for (const QByteArray &value : report.authResults) {
        const std::optional<AuthResults> field = AuthResults::parse(value);
        if (!field || !trusted.contains(QString::fromLatin1(field->authservId)))
            continue;
        for (const AuthResults::Result &r : field->results) {
            if (r.result != "pass")
                continue;
            if (r.method == "dmarc" && speaksFor(property(r, "header.from"), fax, words) &&
                property(r, "header.from") == domainOf(report.from))
                return Delivery::Proof::Dmarc;
            if (r.method == "dkim") {
                const QString signer = property(r, "header.d");
                if (speaksFor(signer.isEmpty() ? domainOf(property(r, "header.i")) : signer, fax,
                              words))
                    return Delivery::Proof::Dkim;
            }
        }
        break;
    }
    return Delivery::Proof::None;
}

bool namesMessageId(const ReportText &report, const QString &messageId)
{
    if (messageId.size() < 3)
        return false;
    if (report.refersTo.contains(messageId))
        return true;
    // Quoted in the text, with its angle brackets or without.
    return report.text.contains(QStringView(messageId).sliced(1, messageId.size() - 2));
}

} // namespace

QStringList authservIds(const QString &imapHost, const QStringList &iniFiles)
{
    QStringList configured;
    bool defaults = true;
    for (const QString &path : iniFiles) {
        if (!QFileInfo(path).isFile())
            continue;
        const QSettings ini(path, QSettings::IniFormat);
        for (const QString &id : ini.value(QStringLiteral("trust/authserv-id")).toStringList())
            if (!id.trimmed().isEmpty())
                configured.append(id.trimmed().toLower());
        // Behind a mail server that checks no signatures, a stranger's field
        // under its name would stand: its administrator turns the names
        // Quillon would assume off.
        if (ini.contains(QStringLiteral("trust/defaults")))
            defaults = defaults && ini.value(QStringLiteral("trust/defaults")).toBool();
    }
    const QString host = imapHost.trimmed().toLower();
    QStringList ids;
    if (defaults) {
        if (!host.isEmpty())
            ids.append(host);
        if (const QString base = domains::registrable(host); !base.isEmpty() && base != host)
            ids.append(base);
        for (const Provider &p : providers())
            if (host == QLatin1StringView(p.imapHost))
                ids.append(p.authservIds);
    }
    return ids + configured;
}

Delivery::Proof verify(const ReportText &report, const WaitingFax &fax, const Wording &words,
                       const QStringList &authservIds)
{
    if (namesMessageId(report, fax.messageId))
        return Delivery::Proof::MessageId;
    if (const Delivery::Proof p = authenticated(report, fax, words, authservIds);
        p != Delivery::Proof::None)
        return p;
    return words.trustSender ? Delivery::Proof::Sender : Delivery::Proof::None;
}

} // namespace trust
