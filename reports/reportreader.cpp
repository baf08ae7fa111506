#include "reports/reportreader.h"

#include "reports/htmltext.h"

#include "mime/body.h"
#include "mime/mailbox.h"
#include "mime/date.h"
#include "mime/headerfields.h"
#include "mime/multipart.h"
#include "mime/parameter.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace report {

namespace {

constexpr int MaxDepth = 4;
constexpr int MaxWords = 12;

// The text parts of a body, plain ones first, else HTML's text.
void collect(QByteArrayView bytes, const mime::Header &header, int depth, QStringList &plain,
             QStringList &html)
{
    const QByteArray type = header.value("content-type").trimmed().toLower();
    const QByteArrayView body = bytes.sliced(std::min(header.bodyStart, bytes.size()));
    if (type.startsWith("multipart/")) {
        const QByteArray boundary =
            mime::decodeParameter(header.value("content-type"), "boundary").toUtf8();
        if (depth >= MaxDepth || boundary.isEmpty())
            return;
        for (const QByteArrayView part : mime::splitMultipart(body, boundary))
            collect(part, mime::parseHeader(part), depth + 1, plain, html);
        return;
    }
    if (header.value("content-disposition").trimmed().toLower().startsWith("attachment"))
        return;
    if (type.isEmpty() || type.startsWith("text/plain"))
        plain.append(mime::bodyText(body, header));
    else if (type.startsWith("text/html"))
        html.append(htmlText(mime::bodyText(body, header)));
}

bool any(const QList<QRegularExpression> &expressions, const QString &text)
{
    return std::any_of(expressions.cbegin(), expressions.cend(),
                       [&](const QRegularExpression &re) { return re.match(text).hasMatch(); });
}

QString firstCapture(const QList<QRegularExpression> &expressions, const QString &text)
{
    for (const QRegularExpression &re : expressions)
        if (const QRegularExpressionMatch m = re.match(text); m.hasMatch())
            for (int group = 1; group <= re.captureCount(); ++group)
                if (!m.captured(group).isEmpty())
                    return m.captured(group).trimmed();
    return {};
}

// A reason in few words, whatever language the report was in: kept in
// English, shown in the user's language.
QString reasonOf(const QString &text, const Wording &words)
{
    static const struct
    {
        const char *pattern;
        const char *reason;
    } known[] = {
        {"busy|besetzt|occupée?|ocupad[oa]|話し?中|使用中|ビジー", QT_TRANSLATE_NOOP("Delivery", "busy")},
        {"no\\s+answer|not\\s+answer|keine\\s+Antwort|pas\\s+de\\s+réponse|sin\\s+respuesta|"
         "応答(なし|無し|がありません|しません|がない)|無応答",
         QT_TRANSLATE_NOOP("Delivery", "no answer")},
        {"not\\s+a\\s+fax|no\\s+fax\\s+(machine|tone)|voice|kein\\s+Faxgerät|pas\\s+un\\s+fax|"
         "no\\s+es\\s+un\\s+fax|(FAX|ファクス|ファックス)(機)?(では|じゃ)(ありません|ない)|音声応答",
         QT_TRANSLATE_NOOP("Delivery", "not a fax machine")},
        {"(wrong|invalid|unknown)\\s+(fax\\s+)?number|(falsche|ungültige)\\s+(Fax)?nummer|"
         "numéro\\s+(invalide|incorrect|erroné)|número\\s+(incorrecto|inválido)|"
         "番号[がは]?(誤|間違|無効|不正|存在しません|現在使われておりません)",
         QT_TRANSLATE_NOOP("Delivery", "wrong number")},
        {"(document|file|attachment)\\s+(was\\s+)?(refused|rejected|could\\s+not\\s+be\\s+"
         "converted|not\\s+supported)|unsupported\\s+(file|document|format)|Dokument\\s+"
         "(abgelehnt|nicht\\s+unterstützt)|document\\s+refusé|documento\\s+rechazado|"
         "(ファイル|文書|添付)(形式)?[がは]?(変換できません|対応していません|サポートされていません)",
         QT_TRANSLATE_NOOP("Delivery", "document refused")},
    };
    for (const auto &k : known) {
        const QRegularExpression re(QString::fromUtf8(k.pattern),
                                    QRegularExpression::CaseInsensitiveOption |
                                        QRegularExpression::UseUnicodePropertiesOption);
        if (re.match(text).hasMatch())
            return QString::fromLatin1(k.reason);
    }
    QString given = firstCapture(words.reason, text).left(120);
    if (given.size() > 1 && !given.at(1).isUpper())
        given[0] = given[0].toLower();
    return given;
}

// The lines that say what happened, as the report wrote them.
QStringList statusLines(const ReportText &report, const Wording &words)
{
    static const QRegularExpression field(QStringLiteral("^[\\p{L}][\\p{L}\\p{N} ._-]{0,30}\\s*[:：]\\s*\\S"),
                                          QRegularExpression::UseUnicodePropertiesOption);
    QStringList lines;
    for (const QString &raw : report.text.split(u'\n')) {
        const QString line = raw.trimmed().left(200);
        if (line.isEmpty())
            continue;
        if (field.match(line).hasMatch() || any(words.failed, line) || any(words.delivered, line) ||
            any(words.queued, line))
            lines.append(line);
        if (lines.size() == MaxWords)
            break;
    }
    return lines;
}

} // namespace

QByteArray keptMessage(QByteArrayView header, const QList<imap::TextPart> &parts)
{
    const mime::Header read = mime::parseHeader(header);
    QByteArray out;
    for (const mime::Field &f : read.fields) {
        if (f.name == "content-type" || f.name == "content-transfer-encoding" ||
            f.name == "mime-version" || f.name.startsWith("x-quillon-"))
            continue;
        QByteArray value = f.value;
        value.replace('\r', ' ').replace('\n', ' ');
        out += f.name + ": " + value.trimmed() + "\r\n";
    }
    const QByteArray boundary = "=_quillon_report_kept";
    out += "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"" + boundary +
           "\"\r\n\r\n";
    for (const imap::TextPart &part : parts) {
        QByteArray body = part.body;
        if (body.contains("--" + boundary))
            body.replace("--" + boundary, "- -" + boundary);
        out += "--" + boundary + "\r\nContent-Type: text/" + part.subtype;
        if (!part.charset.isEmpty())
            out += ';' + mime::encodeParameter("charset", QString::fromLatin1(part.charset));
        out += "\r\n";
        const bool token = std::all_of(part.encoding.cbegin(), part.encoding.cend(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        });
        if (!part.encoding.isEmpty() && token)
            out += "Content-Transfer-Encoding: " + part.encoding + "\r\n";
        out += "\r\n" + body + (body.endsWith('\n') ? "" : "\r\n");
    }
    return out + "--" + boundary + "--\r\n";
}

ReportText read(QByteArrayView message)
{
    const mime::Header header = mime::parseHeader(message);
    ReportText report;
    // Two From fields: no one sender.
    qsizetype froms = 0;
    for (const mime::Field &f : header.fields) {
        if (f.name == "from")
            ++froms;
        else if (f.name == "authentication-results")
            report.authResults.append(f.value);
    }
    report.from = froms == 1 ? mime::senderAddress(header.value("from")) : QString();
    report.date = mime::parseDate(header.text("date"));
    report.messageId = header.text("message-id");
    static const QRegularExpression id(QStringLiteral("<[^<>\\s]+>"));
    for (const char *name : {"in-reply-to", "references"})
        for (auto it = id.globalMatch(header.text(name)); it.hasNext();)
            report.refersTo.append(it.next().captured());
    report.subject = header.text("subject");
    QStringList plain, html;
    collect(message, header, 0, plain, html);
    report.text = (plain.isEmpty() ? html : plain).join(u'\n');
    report.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return report;
}

std::optional<Delivery> classify(const ReportText &report, const Wording &words)
{
    const QString all = report.subject + u'\n' + report.text;
    Delivery d;
    if (any(words.failed, all))
        d.state = Delivery::State::Failed;
    else if (any(words.delivered, all))
        d.state = Delivery::State::Delivered;
    else if (any(words.queued, all))
        d.state = Delivery::State::Queued;
    else
        return std::nullopt;
    if (d.state == Delivery::State::Failed)
        d.reason = reasonOf(all, words);
    else
        d.pages = std::clamp(firstCapture(words.pages, all).toInt(), 0, 9999);
    static const QRegularExpression stamp(
        QStringLiteral("(\\d{4}-\\d{2}-\\d{2})[ T](\\d{2}:\\d{2}(?::\\d{2})?)"));
    if (const QRegularExpressionMatch m = stamp.match(report.text); m.hasMatch())
        d.at = QDateTime::fromString(m.captured(1) + u'T' + m.captured(2), Qt::ISODate);
    if (!d.at.isValid())
        d.at = report.date;
    d.words = statusLines(report, words);
    d.sender = report.from;
    d.reported = report.date;
    d.messageId = report.messageId;
    return d;
}

} // namespace report
