#include "documents/kind.h"

namespace documents {

std::optional<Kind> kindOf(QByteArrayView head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return Kind::Png;
    if (head.startsWith("\xff\xd8\xff"))
        return Kind::Jpeg;
    if (head.startsWith(QByteArrayView("II*\0", 4)) || head.startsWith(QByteArrayView("MM\0*", 4)))
        return Kind::Tiff;
    if (pdfHeaderOffset(head) >= 0)
        return Kind::Pdf;
    return std::nullopt;
}

qsizetype pdfHeaderOffset(QByteArrayView head)
{
    return head.first(std::min(head.size(), KindProbeSize)).indexOf("%PDF-");
}

QByteArray mediaType(Kind kind)
{
    switch (kind) {
    case Kind::Pdf:
        return QByteArrayLiteral("application/pdf");
    case Kind::Tiff:
        return QByteArrayLiteral("image/tiff");
    case Kind::Png:
        return QByteArrayLiteral("image/png");
    case Kind::Jpeg:
        return QByteArrayLiteral("image/jpeg");
    }
    return {};
}

QByteArray readerFormat(Kind kind)
{
    switch (kind) {
    case Kind::Pdf:
        return QByteArrayLiteral("pdf");
    case Kind::Tiff:
        return QByteArrayLiteral("tiff");
    case Kind::Png:
        return QByteArrayLiteral("png");
    case Kind::Jpeg:
        return QByteArrayLiteral("jpeg");
    }
    return {};
}

} // namespace documents
