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
// file. A PDF may have up to 1,024 bytes before its "%PDF-" header, as
// gateways and Acrobat allow; it is a PDF, but QtPdf's reader refuses it,
// so attaching it says so (pdfHeaderOffset).
std::optional<Kind> kindOf(QByteArrayView head);

// Where a PDF's "%PDF-" header starts among its first bytes; -1 when it
// does not.
qsizetype pdfHeaderOffset(QByteArrayView head);

// "application/pdf", "image/tiff", "image/png", "image/jpeg".
QByteArray mediaType(Kind kind);

// The format QImageReader reads the kind with.
QByteArray readerFormat(Kind kind);

} // namespace documents
