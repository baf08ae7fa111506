#include "mail/messagestream.h"

MessageStream::MessageStream(const mail::Message &message) : m_message(message) {}

const QByteArray &MessageStream::memory() const
{
    return m_part == 0 ? m_message.data : m_message.files[m_part - 1].after;
}

QByteArray MessageStream::read(qint64 max)
{
    QByteArray out;
    while (out.size() < max && m_error.isEmpty() && m_part <= m_message.files.size()) {
        if (m_file) {
            const qsizetype start = out.size();
            out.resize(start + (max - start));
            const qint64 got = m_file->read(out.data() + start, max - start);
            if (got < 0) {
                m_error = m_file->errorString();
                return {};
            }
            out.truncate(start + got);
            if (m_file->atEnd())
                m_file.reset(); // on to what follows it
            continue;
        }
        const QByteArray &bytes = memory();
        const qint64 n = std::min<qint64>(max - out.size(), bytes.size() - m_offset);
        out.append(QByteArrayView(bytes).sliced(m_offset, n));
        m_offset += n;
        if (m_offset < bytes.size())
            break;
        // This part's bytes are out: the next file, or the end.
        m_offset = 0;
        ++m_part;
        if (m_part <= m_message.files.size()) {
            m_file = std::make_unique<AttachmentDevice>(m_message.files[m_part - 1].file);
            if (!m_file->open(QIODevice::ReadOnly)) {
                m_error = m_file->errorString();
                return {};
            }
        }
    }
    return out;
}
