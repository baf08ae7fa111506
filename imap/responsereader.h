#pragma once

#include <QByteArray>

#include <optional>

namespace imap {

// Cuts the bytes a server sends into whole responses, however the network
// pieces them: a response is a line, or a line ending in a literal's
// announcement ("{123}") followed by that many bytes and the rest of the
// response. Text outside literals and the whole response are capped, so a
// server that never ends a line cannot fill the memory.
class ResponseReader
{
public:
    static constexpr qsizetype MaxText = 64 * 1024;
    static constexpr qsizetype MaxResponse = 2 * 1024 * 1024;

    void add(QByteArrayView bytes);
    // The next whole response without its final CR LF; nothing until one
    // has arrived, or once the server went past a cap.
    std::optional<QByteArray> next();
    // The server sent a line or literal past its cap: the connection is of
    // no further use.
    bool overflowed() const { return m_overflowed; }
    qsizetype held() const { return m_buffer.size(); }
    void clear();

private:
    QByteArray m_buffer;
    qsizetype m_scan = 0; // where the search for the response's end goes on
    qsizetype m_text = 0; // bytes outside literals before m_scan
    bool m_overflowed = false;
};

} // namespace imap
