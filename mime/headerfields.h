#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Header fields (RFC 5322): written folded, read unfolded.
namespace mime {

// No line may hold more than 998 bytes without its CR LF; folding aims at 78.
inline constexpr qsizetype MaxLine = 998;
inline constexpr qsizetype FoldAt = 78;

// A field of free text, such as the subject, ending in CR LF: as it is when
// it is printable ASCII, else in encoded-words (Windows-1252 when that holds
// it, else UTF-8), folded within 78 characters where it can be. Line breaks
// in `text` become spaces.
QByteArray headerField(QByteArrayView name, QString text);

// A field from text that should already be ASCII (addresses, names the
// program made), ending in CR LF: anything else becomes "?", so that no
// byte can break the field or start another.
QByteArray asciiField(QByteArrayView name, QStringView value);

struct Field
{
    QByteArray name; // in lower case
    QByteArray value; // unfolded, as it came
};

// A message's or part's header, read from bytes that may be anything.
struct Header
{
    QList<Field> fields;
    qsizetype bodyStart = 0; // where the body begins in the bytes read
    bool ended = false;      // by an empty line or a line that is no field, not the bytes' end

    // The first field of that (lower-case) name's value; empty when none.
    QByteArray value(QByteArrayView name) const;
    // Its value decoded for a reader (encoded-words) and trimmed.
    QString text(QByteArrayView name) const;
};

// The header at the start of `bytes`: its fields, unfolded, up to the empty
// line. A line that is neither a field nor its continuation ends the header
// there.
Header parseHeader(QByteArrayView bytes);

} // namespace mime
