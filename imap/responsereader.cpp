#include "imap/responsereader.h"

namespace imap {

namespace {

// The size a line's trailing "{N}" or "{N+}" announces, or -1.
qint64 literalSize(QByteArrayView line)
{
    if (!line.endsWith('}'))
        return -1;
    const qsizetype open = line.lastIndexOf('{');
    if (open < 0)
        return -1;
    QByteArrayView digits = line.sliced(open + 1, line.size() - open - 2);
    if (digits.endsWith('+'))
        digits.chop(1);
    if (digits.isEmpty() || digits.size() > 10)
        return -1;
    qint64 size = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        size = size * 10 + (c - '0');
    }
    return size;
}

} // namespace

void ResponseReader::add(QByteArrayView bytes)
{
    if (!m_overflowed)
        m_buffer.append(bytes);
}

std::optional<QByteArray> ResponseReader::next()
{
    while (!m_overflowed) {
        const qsizetype end = m_buffer.indexOf('\n', m_scan);
        if (end < 0) {
            m_overflowed = m_text + (m_buffer.size() - m_scan) > MaxText;
            return std::nullopt;
        }
        QByteArrayView line = QByteArrayView(m_buffer).sliced(m_scan, end - m_scan);
        if (line.endsWith('\r'))
            line.chop(1);
        m_text += end + 1 - m_scan;
        if (m_text > MaxText) {
            m_overflowed = true;
            return std::nullopt;
        }
        const qint64 literal = literalSize(line);
        if (literal < 0) {
            QByteArray response = m_buffer.first(m_scan + line.size());
            m_buffer.remove(0, end + 1);
            m_scan = 0;
            m_text = 0;
            return response;
        }
        if (end + 1 + literal > MaxResponse) {
            m_overflowed = true;
            return std::nullopt;
        }
        if (m_buffer.size() - (end + 1) < literal) {
            m_text -= end + 1 - m_scan; // the line is looked at again once the literal is in
            return std::nullopt;
        }
        m_scan = end + 1 + qsizetype(literal);
    }
    return std::nullopt;
}

void ResponseReader::clear()
{
    m_buffer.clear();
    m_scan = 0;
    m_text = 0;
    m_overflowed = false;
}

} // namespace imap
