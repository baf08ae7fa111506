#include "store/codec.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Unicode for bytes 0x80..0x9F. The undefined bytes map to the C1 control
// with the same number, which makes them round-trip.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    const auto *it = std::find(high.begin(), high.end(), c);
    if (it != high.end())
        return static_cast<char>(0x80 + (it - high.begin()));
    return '?';
}

} // namespace

namespace cp1252 {

void encodeAppend(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *dst = out.data() + start;
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) { // most text
            dst[n++] = static_cast<char>(c);
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the BMP is one "?"
        dst[n++] = encodeChar(c);
    }
    out.truncate(start + n);
}

bool fits(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < 0x80 || encodeChar(c.unicode()) != '?'; });
}

QStringList unrepresentable(QStringView text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (!pair && (c < 0x80 || encodeChar(c) != '?'))
            continue;
        const QString character = text.mid(i, pair ? 2 : 1).toString();
        if (!found.contains(character))
            found.append(character);
        i += pair ? 1 : 0;
    }
    return found;
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    encodeAppend(out, text);
    return out;
}

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

void storeField(char *field, qsizetype width, QStringView text)
{
    const QByteArray bytes = encode(text.left(width * 2)); // a character is at most two QChars
    const qsizetype n = std::min(width, bytes.size());
    std::memcpy(field, bytes.constData(), size_t(n));
    std::memset(field + n, ' ', size_t(width - n));
}

QString loadField(const char *field, qsizetype width)
{
    return decode(QByteArrayView(field, width));
}

} // namespace cp1252
