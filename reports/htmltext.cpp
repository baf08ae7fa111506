#include "reports/htmltext.h"

namespace report {

namespace {

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The character an entity ("amp", "#233", "#xE9") names, or 0.
char32_t entity(QStringView name)
{
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        bool ok = false;
        const uint c = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        return ok && c > 0 && c < 0x110000 && !(c >= 0xD800 && c < 0xE000) ? c : 0;
    }
    static const struct
    {
        const char16_t *name;
        char32_t c;
    } named[] = {{u"nbsp", ' '}, {u"amp", '&'},  {u"lt", '<'},
                 {u"gt", '>'},   {u"quot", '"'}, {u"apos", '\''}};
    for (const auto &n : named)
        if (name == QStringView(n.name))
            return n.c;
    return 0;
}

// "amp", "#233", "#xE9": letters, or a number.
bool isEntityName(QStringView name)
{
    if (name.size() < 2)
        return false;
    if (name[0] != u'#')
        return std::all_of(name.begin(), name.end(), isLetter);
    const bool hex = name[1] == u'x' || name[1] == u'X';
    const QStringView digits = name.sliced(hex ? 2 : 1);
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [hex](QChar d) {
        return d.isDigit() || (hex && ((d >= u'a' && d <= u'f') || (d >= u'A' && d <= u'F')));
    });
}

// Tags whose content is no text.
bool hides(QStringView tag)
{
    return tag.compare(u"script", Qt::CaseInsensitive) == 0 ||
           tag.compare(u"style", Qt::CaseInsensitive) == 0 ||
           tag.compare(u"head", Qt::CaseInsensitive) == 0;
}

// Tags that end a line of text.
bool breaks(QStringView tag, bool closing)
{
    static const char16_t *const ends[] = {u"p",  u"div", u"tr", u"li", u"table", u"h1",
                                           u"h2", u"h3",  u"h4", u"h5", u"h6"};
    if (!closing)
        return tag.compare(u"br", Qt::CaseInsensitive) == 0;
    return std::any_of(std::begin(ends), std::end(ends), [&](const char16_t *end) {
        return tag.compare(QStringView(end), Qt::CaseInsensitive) == 0;
    });
}

} // namespace

QString htmlText(QStringView html)
{
    QString text;
    text.reserve(html.size());
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (c == u'&') {
            const qsizetype semicolon =
                html.sliced(i, std::min<qsizetype>(10, html.size() - i)).indexOf(u';');
            const QStringView name =
                semicolon > 1 ? html.sliced(i + 1, semicolon - 1) : QStringView();
            if (isEntityName(name)) {
                // One not known is dropped: it stood for some character.
                if (const char32_t named = entity(name))
                    text += QString::fromUcs4(&named, 1);
                i += semicolon + 1;
                continue;
            }
            text += c;
            ++i;
            continue;
        }
        if (c != u'<') {
            text += c;
            ++i;
            continue;
        }
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        const qsizetype close = html.indexOf(u'>', i + 1);
        if (close < 0)
            break; // an unfinished tag to the end: no text
        const bool closing = i + 1 < html.size() && html[i + 1] == u'/';
        qsizetype nameEnd = i + (closing ? 2 : 1);
        while (nameEnd < close && (isLetter(html[nameEnd]) || html[nameEnd].isDigit()))
            ++nameEnd;
        const QStringView tag = html.sliced(i + (closing ? 2 : 1), nameEnd - i - (closing ? 2 : 1));
        i = close + 1;
        if (!closing && hides(tag)) {
            // Up to its end tag, found once: never searched again from
            // each opening tag.
            const qsizetype end =
                html.indexOf(QStringLiteral("</") + tag.toString(), i, Qt::CaseInsensitive);
            const qsizetype after = end < 0 ? -1 : html.indexOf(u'>', end);
            i = after < 0 ? html.size() : after + 1;
        } else if (breaks(tag, closing)) {
            text += u'\n';
        }
    }
    return text;
}

} // namespace report
