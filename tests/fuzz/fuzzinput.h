#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The fuzzer's bytes, taken from the front; past the end every byte is 0.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_size == 0; }
    uint8_t byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    QByteArray bytes(size_t n)
    {
        n = std::min(n, m_size);
        QByteArray b(reinterpret_cast<const char *>(m_data), qsizetype(n));
        m_data += n;
        m_size -= n;
        return b;
    }
    // Text up to the next 0 byte, UTF-8 (invalid sequences become U+FFFD).
    QString text()
    {
        const auto *end = std::find(m_data, m_data + m_size, 0);
        const QString s = QString::fromUtf8(bytes(size_t(end - m_data)));
        byte(); // the 0
        return s;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
};

// A property that does not hold: libFuzzer saves the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s\n", #condition);                            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
