// A file attached to a fax may be anything a user has, or someone sent
// them: any bytes go through the kind check, the page count and the first
// page's picture (PDF through QtPdf, TIFF, PNG and JPEG through
// QImageReader). Nothing crashes, and a file taken as a document is one:
// its kind is what its first bytes say, it has pages, its digest and size
// are its bytes', and its picture fits the strip.

#include "documents/document.h"
#include "fuzzinput.h"

#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // for the image plugins
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = dir.filePath(QStringLiteral("document"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();

    QString error;
    const std::optional<documents::Document> d = documents::inspect(path, error);
    FUZZ_CHECK(d.has_value() == error.isEmpty());
    FUZZ_CHECK(d.has_value() || error.startsWith(QStringLiteral("Not attached: document ")));
    if (!d)
        return 0;
    FUZZ_CHECK(documents::kindOf(bytes) == d->kind);
    FUZZ_CHECK(d->pages() >= 1);
    FUZZ_CHECK(d->size == bytes.size());
    FUZZ_CHECK(d->sha256 == QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
    FUZZ_CHECK(d->thumbnail.width() <= documents::ThumbnailSize.width() &&
               d->thumbnail.height() <= documents::ThumbnailSize.height());
    return 0;
}
