#include "documents/document.h"

#include "store/regularfile.h"
#include "translations/language.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QPainter>

#include <cmath>

namespace documents {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Document)
};

// Why a file was not attached: `why` names it with %1.
QString notAttached(const QString &name, const QString &why)
{
    return why.arg(name);
}

// The page's shape, as large as fits in `box` and within MaxPagePixels,
// never thinner than a pixel.
QSize fitted(const QSize &page, const QSize &box)
{
    if (page.isEmpty() || box.isEmpty())
        return {};
    QSize size = page.scaled(box, Qt::KeepAspectRatio);
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > MaxPagePixels) {
        const double shrink = std::sqrt(double(MaxPagePixels) / double(pixels));
        size = QSize(int(size.width() * shrink), int(size.height() * shrink));
    }
    return size.expandedTo(QSize(1, 1));
}

// The pages QImageReader finds: a PDF's or a TIFF's, one for an image. None
// when the file cannot be read as its kind.
QList<QSize> pageSizesOf(QIODevice &file, Kind kind)
{
    file.seek(0);
    QImageReader reader(&file, readerFormat(kind));
    if (!reader.canRead())
        return {};
    const int count = kind == Kind::Pdf || kind == Kind::Tiff ? reader.imageCount() : 1;
    QList<QSize> sizes;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            return {};
        const QSize size = reader.size();
        if (size.isEmpty())
            return {};
        sizes.append(size);
    }
    return sizes;
}

QImage render(QIODevice &file, Kind kind, int page, const QSize &box)
{
    file.seek(0);
    QImageReader reader(&file, readerFormat(kind));
    if (page > 0 && !reader.jumpToImage(page))
        return {};
    const QSize size = fitted(reader.size(), box);
    if (size.isEmpty())
        return {};
    reader.setScaledSize(size);
    // Transparent pages are drawn on paper.
    reader.setBackgroundColor(Qt::white);
    return reader.read();
}

} // namespace

std::optional<Document> inspect(const QString &path, QString &error)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    // Opened once: what is hashed, counted and drawn is one file, and a
    // FIFO in its place cannot hold the reader.
    QFile file;
    FileIdentity identity;
    QString reason;
    switch (openRegular(file, path, identity, reason)) {
    case OpenResult::NotRegular:
        error =
            notAttached(name, Texts::tr("Not attached: %1 is not a PDF, TIFF, PNG or JPEG file"));
        return std::nullopt;
    case OpenResult::CannotOpen:
        error = Texts::tr("Not attached: %1 cannot be read: %2").arg(name, reason);
        return std::nullopt;
    case OpenResult::Opened:
        break;
    }
    const QByteArray head = file.peek(KindProbeSize);
    const std::optional<Kind> kind = kindOf(head);
    if (!kind) {
        error =
            notAttached(name, Texts::tr("Not attached: %1 is not a PDF, TIFF, PNG or JPEG file"));
        return std::nullopt;
    }

    Document d;
    d.path = info.absoluteFilePath();
    d.name = name;
    d.kind = *kind;
    d.modified = file.fileTime(QFileDevice::FileModificationTime);
    d.identity = identity;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) {
        error = Texts::tr("Not attached: %1 cannot be read: %2").arg(name, file.errorString());
        return std::nullopt;
    }
    d.sha256 = hash.result();
    d.size = file.pos();

    d.pageSizes = pageSizesOf(file, d.kind);
    if (d.pageSizes.isEmpty()) {
        const qsizetype junk = d.kind == Kind::Pdf ? pdfHeaderOffset(head) : 0;
        error = junk > 0 ? Texts::tr("Not attached: %1 cannot be read: it has %2 bytes before its "
                                     "PDF header; save it again as PDF")
                               .arg(name, QString::number(junk))
                : d.kind == Kind::Pdf
                    ? notAttached(name, Texts::tr("Not attached: %1 cannot be read (damaged, or "
                                                  "protected by a password)"))
                    : notAttached(name, Texts::tr("Not attached: %1 cannot be read (damaged)"));
        return std::nullopt;
    }
    d.thumbnail = render(file, d.kind, 0, ThumbnailSize);
    if (!d.thumbnail.isNull()) {
        // A white page needs an edge to be seen on a white list.
        d.thumbnail.convertTo(QImage::Format_RGB32);
        QPainter edge(&d.thumbnail);
        edge.setPen(QColor(150, 150, 150));
        edge.drawRect(d.thumbnail.rect().adjusted(0, 0, -1, -1));
    }
    return d;
}

QImage renderPage(const QString &path, Kind kind, int page, const QSize &box)
{
    QFile file;
    FileIdentity identity;
    QString reason;
    if (openRegular(file, path, identity, reason) != OpenResult::Opened)
        return {};
    return render(file, kind, page, box);
}

QString pagesAndSize(int pages, qint64 bytes)
{
    // Sizes as English writes them ("1,024 KB"), or as the user's language does.
    const QLocale numbers = language::translated() ? QLocale() : QLocale(QLocale::English);
    const QString size = bytes < 1024 ? Texts::tr("%1 bytes").arg(bytes)
                         : bytes < 1024 * 1024
                             ? Texts::tr("%1 KB").arg(numbers.toString((bytes + 512) / 1024))
                             : Texts::tr("%1 MB").arg(numbers.toString(bytes / 1048576.0, 'f', 1));
    return Texts::tr("%1, %2", "pages, size")
        .arg(pages == 1 ? Texts::tr("1 page") : Texts::tr("%n pages", nullptr, pages), size);
}

} // namespace documents
