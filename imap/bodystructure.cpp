#include "imap/bodystructure.h"

namespace imap {

namespace {

constexpr int MaxParts = 16;

QByteArray parameter(const Value &params, QByteArrayView name)
{
    if (params.type != Value::Type::List)
        return {};
    for (qsizetype i = 0; i + 1 < params.items.size(); i += 2)
        if (params.items[i].string().compare(name, Qt::CaseInsensitive) == 0)
            return params.items[i + 1].string();
    return {};
}

// A text part's extension data: after lines (index 7) come md5, then the
// disposition ("attachment" (params)).
bool isAttachment(const Value &part)
{
    if (part.items.size() <= 9)
        return false;
    const Value &disposition = part.items[9];
    return disposition.type == Value::Type::List && !disposition.items.isEmpty() &&
           disposition.items[0].string().compare("attachment", Qt::CaseInsensitive) == 0;
}

void collect(const Value &body, const QByteArray &section, int depth, QList<TextPart> &parts)
{
    if (body.type != Value::Type::List || body.items.isEmpty() || depth > 8 ||
        parts.size() >= MaxParts)
        return;
    if (body.items[0].type == Value::Type::List) { // multipart: parts, then the subtype
        int n = 0;
        for (const Value &part : body.items) {
            if (part.type != Value::Type::List)
                break;
            ++n;
            const QByteArray number = QByteArray::number(n);
            collect(part, section.isEmpty() ? number : section + '.' + number, depth + 1, parts);
        }
        return;
    }
    if (body.items.size() < 7)
        return;
    const QByteArray type = body.items[0].string().toLower();
    const QByteArray subtype = body.items[1].string().toLower();
    if (type != "text" || (subtype != "plain" && subtype != "html") || isAttachment(body))
        return;
    parts.append(TextPart{section.isEmpty() ? QByteArray("1") : section, subtype,
                          parameter(body.items[2], "charset"),
                          body.items[5].string().toLower(), {}});
}

} // namespace

QList<TextPart> textParts(const Value &structure)
{
    QList<TextPart> parts;
    collect(structure, {}, 0, parts);
    return parts;
}

} // namespace imap
