#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The kinds of document a fax gateway takes. The kind is read from the
// file's first bytes, never from its name.
namespace documents {

enum class Kind
{
    Pdf,
    Tiff,
    Png,
    Jpeg
};

// How many leading bytes kindOf() needs at most.
constexpr qsizetype KindProbeSize = 1024;

// The kind the bytes at the start of a file announce; nothing for any other
// file. A PDF may have bytes before its header, as readers allow.
std::optional<Kind> kindOf(QByteArrayView head);

// "application/pdf", "image/tiff", "image/png", "image/jpeg".
QByteArray mediaType(Kind kind);

// The format QImageReader reads the kind with.
QByteArray readerFormat(Kind kind);

} // namespace documents
