#pragma once

#include "documents/kind.h"
#include "store/regularfile.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace documents {

// A file attached to a fax, as it was when it was attached: what is sent
// must be what was shown.
struct Document
{
    QString path; // absolute
    QString name; // the file's own name: shown, and sent as the attachment's
    Kind kind = Kind::Pdf;
    qint64 size = 0;
    QDateTime modified;
    FileIdentity identity; // which file it was, should another take its name
    QByteArray sha256; // of the whole file
    // Each page's size: a PDF's in points, an image's in pixels. Only the
    // shape counts: pages are shown fitted to a width.
    QList<QSize> pageSizes;
    QImage thumbnail; // the first page within ThumbnailSize; null if it cannot be drawn

    int pages() const { return int(pageSizes.size()); }
};

constexpr QSize ThumbnailSize{48, 64};

// Reads the file at `path`: its kind, its pages, its digest and a picture of
// its first page. Blocks for as long as that takes (a 20 MB file, some tens
// of milliseconds): meant for a worker thread. Nothing, and `error` set to
// what the status line says, when the file cannot be attached.
std::optional<Document> inspect(const QString &path, QString &error);

// The most pixels a page is drawn with: 64 MB at 32 bits a pixel. An
// extreme page (1 x 1456 pixels, a PDF page a point wide) fitted to a tall
// box would otherwise take gigabytes.
inline constexpr qint64 MaxPagePixels = 16 * 1024 * 1024;

// Page `page` (counted from 0) of the file, as large as fits in `box` and
// within MaxPagePixels; a null image when it cannot be drawn. Blocks; any
// thread.
QImage renderPage(const QString &path, Kind kind, int page, const QSize &box);

// "3 pages, 412 KB".
QString pagesAndSize(int pages, qint64 bytes);

} // namespace documents
