#include "mail/text.h"

namespace text {

QString trim(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ')
        ++begin;
    while (end > begin && s[end - 1] == u' ')
        --end;
    return s.mid(begin, end - begin).toString();
}

QString replaceChar(const QString &s, const QString &search, const QString &replacement)
{
    // Exactly one character goes per occurrence. Nothing before an
    // occurrence can match again (`search` is not in `replacement`), so each
    // search goes on from just after the last replacement.
    QString out;
    out.reserve(s.size());
    qsizetype from = 0;
    for (qsizetype p = s.indexOf(search); p >= 0; p = s.indexOf(search, from)) {
        out += QStringView(s).mid(from, p - from);
        out += replacement;
        from = p + 1;
    }
    out += QStringView(s).mid(from);
    return out;
}

} // namespace text
