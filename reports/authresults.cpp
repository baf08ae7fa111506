#include "reports/authresults.h"

#include "mime/mailbox.h"

namespace {

// Splits at `separator` outside quoted strings.
QList<QByteArray> split(const QByteArray &s, char separator)
{
    QList<QByteArray> parts;
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (quoted && s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            quoted = !quoted;
        else if (!quoted && s[i] == separator) {
            parts.append(s.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(s.sliced(std::min(start, s.size())));
    return parts;
}

QByteArray unquoted(QByteArray value)
{
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.sliced(1, value.size() - 2).replace("\\\"", "\"").replace("\\\\", "\\");
    return value;
}

// "dkim=pass header.d=example.net header.s=s1": the method, its result,
// the properties; nothing for text that is none.
std::optional<AuthResults::Result> resultOf(const QByteArray &text)
{
    const QList<QByteArray> words = text.simplified().split(' ');
    const qsizetype eq = words.value(0).indexOf('=');
    if (eq <= 0)
        return std::nullopt;
    AuthResults::Result r;
    r.method = words[0].first(eq).toLower();
    if (const qsizetype slash = r.method.indexOf('/'); slash >= 0)
        r.method.truncate(slash); // a method version: "dkim/1"
    r.result = words[0].sliced(eq + 1).toLower();
    for (qsizetype i = 1; i < words.size(); ++i) {
        const qsizetype at = words[i].indexOf('=');
        if (at > 0)
            r.properties.append({words[i].first(at).toLower(), unquoted(words[i].sliced(at + 1))});
    }
    return r;
}

} // namespace

std::optional<AuthResults> AuthResults::parse(QByteArrayView value)
{
    const QList<QByteArray> parts = split(mime::withoutComments(value), ';');
    AuthResults fields;
    qsizetype first = 0;
    const QByteArray head = parts.value(0).simplified();
    if (!head.contains('=')) {
        // "mx.example.net" or "mx.example.net 1": the authserv-id, a version.
        fields.authservId = unquoted(head.split(' ').value(0)).toLower();
        if (fields.authservId.isEmpty())
            return std::nullopt;
        first = 1;
    }
    for (qsizetype i = first; i < parts.size(); ++i)
        if (std::optional<Result> r = resultOf(parts[i]))
            fields.results.append(std::move(*r));
    if (fields.authservId.isEmpty() && fields.results.isEmpty())
        return std::nullopt;
    return fields;
}
