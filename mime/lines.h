#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QStringView>

// Lines as Internet mail and its protocols have them. Whatever Quillon
// writes ends its lines in CR LF; whatever it reads may end them in CR LF,
// a bare CR or a bare LF.
namespace mime {

// The line break Quillon writes, as bytes and as text.
inline constexpr char crlf[] = "\r\n";
inline constexpr QLatin1StringView crlfText{crlf, 2};

// A line of a text: its characters without the break, where it starts and
// where the line after it starts.
template <typename View> struct Line
{
    View text;
    qsizetype start = 0;
    qsizetype next = 0;
};

constexpr bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}
constexpr bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Calls `take` with every line of `text` (a QByteArrayView or QStringView)
// until it returns false. An empty text has no lines; a final line break
// leaves an empty last line.
template <typename View, typename Take> void forEachLine(View text, Take take)
{
    if (text.isEmpty())
        return;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text[i]))
            continue;
        const qsizetype end = i;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        if (!take(Line<View>{text.sliced(start, end - start), start, i + 1}))
            return;
        start = i + 1;
    }
    take(Line<View>{text.sliced(start), start, text.size()});
}

} // namespace mime
