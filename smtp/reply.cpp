#include "smtp/reply.h"

#include "mime/lines.h"

namespace {

// A "NNN-" line: the reply goes on after it.
bool isContinuation(QStringView line)
{
    return line.size() >= 4 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit() &&
           line[3] == u'-';
}

} // namespace

int SmtpReply::code() const
{
    if (text.size() < 3)
        return -1;
    int value = 0;
    for (qsizetype i = 0; i < 3; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return -1;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

QStringList SmtpReply::lines() const
{
    QStringList lines;
    mime::forEachLine(QStringView(text), [&](const mime::Line<QStringView> &line) {
        if (line.start < text.size())
            lines.append(line.text.toString());
        return true;
    });
    return lines;
}

std::optional<SmtpReply> ReplyReader::next()
{
    for (;;) {
        const qsizetype lf = m_held.indexOf(u'\n', m_scanFrom);
        if (lf < 0) {
            m_scanFrom = m_held.size();
            return std::nullopt;
        }
        if (isContinuation(QStringView(m_held).mid(m_lineStart, lf - m_lineStart))) {
            m_lineStart = m_scanFrom = lf + 1;
            continue;
        }
        SmtpReply reply{m_held.left(lf + 1)};
        m_held.remove(0, lf + 1);
        m_lineStart = m_scanFrom = 0;
        return reply;
    }
}

void ReplyReader::clear()
{
    m_held.clear();
    m_lineStart = m_scanFrom = 0;
}
