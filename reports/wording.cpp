#include "reports/wording.h"

#include "reports/domains.h"
#include "store/configfiles.h"

#include <QFileInfo>
#include <QSettings>

namespace wording {

namespace {

constexpr auto Options =
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

// Whole words in scripts that have them: "sent" is not in "consent".
QRegularExpression words(const QString &pattern)
{
    return QRegularExpression(QStringLiteral("(?<![\\p{L}\\p{N}])(?:") + pattern +
                                  QStringLiteral(")(?![\\p{L}\\p{N}])"),
                              Options);
}

// Japanese is written without spaces between words.
QRegularExpression phrase(const QString &pattern)
{
    return QRegularExpression(pattern, Options);
}

Wording makeBuiltIn()
{
    Wording w;
    w.failed = {
        words(QStringLiteral("(could|can)\\s*not\\s+be\\s+(delivered|sent|transmitted|"
                             "completed)|(could|can)\\s*not\\s+(deliver|send|transmit|reach)|(was|were|has\\s+been)\\s+not\\s+(delivered|sent|"
                             "transmitted)|not\\s+delivered|undeliverable|failed|failure|"
                             "unsuccessful|0\\s+of\\s+\\d+\\s+pages?")),
        words(QStringLiteral("nicht\\s+(zugestellt|übertragen|gesendet|versendet)|"
                             "fehlgeschlagen|gescheitert|erfolglos")),
        words(QStringLiteral("n'a\\s+pas\\s+pu\\s+être\\s+(envoyée?|transmise?|remise?|"
                             "délivrée?)|échec|échoué|non\\s+(remise?|transmise?|délivrée?)")),
        words(QStringLiteral("no\\s+se\\s+(pudo|ha\\s+podido)\\s+(entregar|enviar|transmitir)|"
                             "fallid[oa]|fall[óo]|error\\s+de\\s+(envío|transmisión)")),
        // Japanese: the particles and politeness between the words vary,
        // and a result is often a line of its own ("送信結果：NG").
        phrase(QStringLiteral("(送信|配信|送達|通信)[はがにを]?(失敗|できませんでした|できません|"
                              "不能|エラー)|失敗しました|不達|未送信|"
                              "(送信)?結果\\s*[:：]?\\s*(NG|失敗|エラー|不可)|"
                              "エラー(?!\\s*[:：]?\\s*(なし|無し|0))")),
    };
    w.delivered = {
        words(QStringLiteral("delivered|successfully\\s+(sent|transmitted|delivered)|"
                             "(sent|transmitted)\\s+successfully|success(ful)?|completed")),
        words(QStringLiteral("erfolgreich|zugestellt|übertragen")),
        words(QStringLiteral("(envoyée?|transmise?|remise?)\\s+avec\\s+succès|réussie?|"
                             "remise?|délivrée?")),
        words(QStringLiteral("entregad[oa]|enviad[oa]\\s+(correctamente|con\\s+éxito)|"
                             "exitos[oa]")),
        phrase(QStringLiteral("(送信|配信|送達)[はがを]?(正常に)?(完了|終了|成功)|送信しました|"
                              "正常に(送信|終了|完了|送達)|"
                              "(送信)?結果\\s*[:：]?\\s*(OK|成功|正常)")),
    };
    w.queued = {
        words(QStringLiteral("queued|in\\s+(the\\s+)?queue|will\\s+be\\s+(sent|retried|delivered)|"
                             "retrying|pending")),
        words(QStringLiteral("Warteschlange|wird\\s+(gesendet|übertragen|wiederholt)")),
        words(QStringLiteral("en\\s+file\\s+d'attente|en\\s+attente|sera\\s+(envoyée?|transmise?)")),
        words(QStringLiteral("en\\s+cola|pendiente")),
        phrase(QStringLiteral("送信待ち|送信予約|キュー|再送(予定|待ち|します)|送信中|受付(完了|しました)")),
    };
    w.pages = {
        words(QStringLiteral("(\\d+)\\s+(?:of\\s+\\d+\\s+)?(?:pages?|Seiten?|pages?|páginas?)")),
        words(QStringLiteral("(?:pages(?:\\s+sent)?|Seiten(?:zahl)?|páginas|nombre\\s+de\\s+pages)"
                             "\\s*:\\s*(\\d+)")),
        phrase(QStringLiteral("(\\d+)\\s*(?:ページ|枚|頁)|(?:ページ数|枚数)\\s*[:：]\\s*(\\d+)")),
    };
    w.reason = {
        words(QStringLiteral("(?:reason|cause|error|Grund|Ursache|Fehler|raison|motif|motivo|"
                             "causa)\\s*:\\s*([^\\r\\n]+)")),
        phrase(QStringLiteral("(?:理由|原因|エラー内容)\\s*[:：]\\s*([^\\r\\n]+)")),
    };
    return w;
}

QList<QRegularExpression> expressions(const QSettings &ini, const char *key,
                                      const QString &where, QStringList &problems)
{
    QList<QRegularExpression> list;
    if (!ini.contains(QLatin1StringView(key)))
        return list;
    QStringList patterns;
    const QVariant value = ini.value(QLatin1StringView(key));
    patterns = value.typeId() == QMetaType::QStringList ? value.toStringList()
                                                          : QStringList{value.toString()};
    for (const QString &pattern : std::as_const(patterns)) {
        if (pattern.trimmed().isEmpty())
            continue;
        QRegularExpression re(pattern, Options);
        if (re.isValid())
            list.append(re);
        else
            problems.append(QStringLiteral("%1: %2: %3").arg(where, QLatin1StringView(key),
                                                              re.errorString()));
    }
    return list;
}

} // namespace

const Wording &builtIn()
{
    static const Wording table = makeBuiltIn();
    return table;
}

QStringList iniFiles(const QString &dataFolder)
{
    return configFiles(dataFolder, QStringLiteral("gateways.ini"));
}

QList<Wording> load(const QStringList &files, QStringList &problems)
{
    QList<Wording> table;
    for (const QString &path : files) {
        if (!QFileInfo(path).isFile())
            continue;
        QSettings ini(path, QSettings::IniFormat);
        for (const QString &group : ini.childGroups()) {
            const QString gateway = group.trimmed().toLower();
            const bool known = std::any_of(table.cbegin(), table.cend(),
                                           [&](const Wording &w) { return w.gateway == gateway; });
            // [trust] says whose word counts, not how a gateway words.
            if (gateway.isEmpty() || known || gateway == u"trust")
                continue;
            ini.beginGroup(group);
            const QString where = path + QStringLiteral(" [") + group + u']';
            Wording w;
            w.gateway = gateway;
            for (const QString &s : ini.value(QStringLiteral("senders")).toStringList())
                if (!s.trimmed().isEmpty())
                    w.senders.append(s.trimmed().toLower());
            const QString trust = ini.value(QStringLiteral("trust")).toString().trimmed();
            w.trustSender = trust.compare(u"sender", Qt::CaseInsensitive) == 0;
            if (!trust.isEmpty() && !w.trustSender)
                problems.append(QStringLiteral("%1: trust: only \"sender\" is known").arg(where));
            w.delivered = expressions(ini, "delivered", where, problems);
            w.failed = expressions(ini, "failed", where, problems);
            w.queued = expressions(ini, "queued", where, problems);
            w.pages = expressions(ini, "pages", where, problems);
            w.reason = expressions(ini, "reason", where, problems);
            ini.endGroup();
            table.append(std::move(w));
        }
    }
    return table;
}

Wording forGateway(const QList<Wording> &table, const QString &gateway)
{
    Wording w = builtIn();
    w.gateway = gateway;
    const Wording *best = nullptr;
    for (const Wording &own : table)
        if (domains::within(gateway, own.gateway) &&
            (!best || own.gateway.size() > best->gateway.size()))
            best = &own;
    if (best) {
        const Wording &own = *best;
        w.senders = own.senders;
        w.trustSender = own.trustSender;
        for (auto [mine, theirs] : {std::pair{&w.delivered, &own.delivered},
                                    {&w.failed, &own.failed}, {&w.queued, &own.queued},
                                    {&w.pages, &own.pages}, {&w.reason, &own.reason}})
            if (!theirs->isEmpty())
                *mine = *theirs;
    }
    return w;
}

} // namespace wording
