#pragma once

#include "store/fields.h"

#include <QString>

#include <array>

// One fax document as it lies in "faxes.db": 10,167 bytes, no header, no
// separators.
//   offset 0     tag      int16 little-endian, never set by the program
//   offset 2     to       50
//   offset 52    fax      15
//   offset 67    subject  100
//   offset 167   message  10,000 (line breaks as CR LF)
class FaxRecord
{
public:
    static constexpr qsizetype Size = 10167;

    struct Layout
    {
        qsizetype offset;
        qsizetype width;
    };
    static constexpr Layout layout(DocField field)
    {
        switch (field) {
        case DocField::To:
            return {2, 50};
        case DocField::Fax:
            return {52, 15};
        case DocField::Subject:
            return {67, 100};
        case DocField::Message:
            return {167, 10000};
        }
        return {0, 0};
    }

    // Tag 0 and all text fields blank: what a read past the end gives.
    FaxRecord();

    qint16 tag() const;
    QString text(DocField field) const;
    void setText(DocField field, QStringView text);

    char *data() { return m_bytes.data(); }
    const char *data() const { return m_bytes.data(); }

    // The byte a blank record holds at `pos` within it: zero in the tag,
    // space elsewhere. Used to complete records that are only partly present.
    static char blankByteAt(qsizetype pos) { return pos < 2 ? '\0' : ' '; }

    friend bool operator==(const FaxRecord &a, const FaxRecord &b)
    {
        return a.m_bytes == b.m_bytes;
    }

private:
    std::array<char, Size> m_bytes;
};
