#include "outbox/providers.h"

#include "mail/address.h"
#include "mail/text.h"

#include <algorithm>

namespace providers {

namespace {

enum class Form
{
    NameAtFaxDotGateway,
    FaxAtGateway,
    ShortNameDotFaxAtGateway
};

struct Provider
{
    Row row;
    Form form;
    bool wrapsMessage;
};

const QList<Provider> &rows()
{
    static const QList<Provider> list = {
        {{QStringLiteral("TPC.NET"), QStringLiteral("tpc.example")},
         Form::NameAtFaxDotGateway,
         false},
        {{QStringLiteral("FaxMate"), QStringLiteral("faxmate.example")},
         Form::NameAtFaxDotGateway,
         false},
        {{QStringLiteral("ClickFax"), QStringLiteral("clickfax.example")},
         Form::FaxAtGateway,
         true},
        {{QStringLiteral("Faxaway"), QStringLiteral("faxaway.example")},
         Form::ShortNameDotFaxAtGateway,
         false},
        {{QStringLiteral("AnyFaxAnyWhere"), QStringLiteral("anyfaxanywhere.example")},
         Form::FaxAtGateway,
         false},
        {{QStringLiteral("Fax1"), QStringLiteral("fax1.example")}, Form::FaxAtGateway, false},
    };
    return list;
}

// ClickFax reads its instructions from the first lines of the message.
QString clickFaxMessage(const QString &acod, const QString &to, const QString &message)
{
    const QChar lf = u'\n';
    return QStringLiteral("{nocover=0}") + lf + QStringLiteral("{compcode=") + text::trim(acod) +
           QStringLiteral("}") + lf + QStringLiteral("{to=") + text::trim(to) +
           QStringLiteral("}") + lf + QStringLiteral("{body=") + text::trim(message) +
           QStringLiteral("}");
}

} // namespace

const QList<Row> &table()
{
    static const QList<Row> list = [] {
        QList<Row> names;
        for (const Provider &p : rows())
            names.append(p.row);
        return names;
    }();
    return list;
}

std::optional<Addressed> addressFax(const QString &provider, const QString &to,
                                    const QString &faxDigits, const QString &acod,
                                    const QString &message)
{
    const QString at = QStringLiteral("@");
    for (const Provider &p : rows()) {
        if (p.row.name != provider)
            continue;
        Addressed a{QString(), p.wrapsMessage ? clickFaxMessage(acod, to, message) : message, to};
        switch (p.form) {
        case Form::NameAtFaxDotGateway:
            a.name = address::localPart(to);
            a.recipient = a.name + at + faxDigits + QStringLiteral(".") + p.row.gateway;
            break;
        case Form::FaxAtGateway:
            a.recipient = faxDigits + at + p.row.gateway;
            break;
        case Form::ShortNameDotFaxAtGateway:
            a.name = address::localPart(to);
            a.recipient = address::localPart(a.name, 22) + QStringLiteral(".") + faxDigits + at +
                          p.row.gateway;
            break;
        }
        return a;
    }
    if (address::isDomain(provider))
        return Addressed{faxDigits + at + provider, message, to};
    return std::nullopt;
}

QString typedMessage(const QString &provider, const QString &sent)
{
    const bool wrapped = std::any_of(rows().cbegin(), rows().cend(), [&](const Provider &p) {
        return p.wrapsMessage && p.row.name == provider;
    });
    const QString opening = QStringLiteral("{body=");
    qsizetype body = sent.indexOf(QStringLiteral("\n") + opening);
    if (!wrapped || !sent.startsWith(QStringLiteral("{nocover=")) || body < 0)
        return sent;
    body += 1 + opening.size();
    QStringView typed = QStringView(sent).sliced(body);
    while (typed.endsWith(u'\r') || typed.endsWith(u'\n'))
        typed.chop(1);
    if (typed.endsWith(u'}'))
        typed.chop(1);
    return typed.toString();
}

} // namespace providers
