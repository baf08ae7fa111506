#include "documentfiles.h"
#include "documents/attachmentlist.h"
#include "fakes.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using documents::Kind;

// Real files of every kind, read as the window reads what is attached:
// the kind from the content, the pages, the digest, a picture; and what
// the user is told of a file that cannot be attached.
class TestDocuments : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void inspect_data();
    void inspect();
    void attachingShowsEachFileAtOnce();
    void extremePagesStayWithinMemory_data();
    void extremePagesStayWithinMemory();

private:
    QString make(const QString &what, const QString &name);
    QTemporaryDir m_dir;
};

QString TestDocuments::make(const QString &what, const QString &name)
{
    const QString path = m_dir.filePath(name);
    if (what == QStringLiteral("pdf"))
        return documentfiles::pdf(path, 3);
    if (what == QStringLiteral("tiff"))
        return documentfiles::tiff(path, 3);
    if (what == QStringLiteral("png"))
        return documentfiles::png(path);
    if (what == QStringLiteral("jpeg"))
        return documentfiles::jpeg(path);
    if (what == QStringLiteral("locked"))
        return documentfiles::lockedPdf(path);
    if (what == QStringLiteral("torn")) {
        QFile f(documentfiles::pdf(path, 3));
        return f.open(QIODevice::ReadWrite) && f.resize(600) ? path : QString();
    }
    if (what == QStringLiteral("junk")) { // a mail program's header left in front
        const QByteArray pdf = fileBytes(documentfiles::pdf(path, 1));
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(QByteArray(40, 'x') + pdf) > 0 ? path
                                                                                      : QString();
    }
    if (what == QStringLiteral("text")) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write("Dear Sir,\n") > 0 ? path : QString();
    }
    if (what == QStringLiteral("tall") || what == QStringLiteral("taller")) {
        // a page 2 points wide and 2080 high, or 1 point wide and 1456 high
        QFile f(path);
        return f.open(QIODevice::WriteOnly) &&
                       f.write("%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                               "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
                               "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 " +
                               QByteArray(what == QStringLiteral("tall") ? "2 2080" : "1 1456") +
                               "]>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n") > 0
                   ? path
                   : QString();
    }
    if (what == QStringLiteral("thread")) // an image 1 pixel wide
        return documentfiles::magick(path, "png", {QStringLiteral("-size"), QStringLiteral("1x1456"),
                                                   QStringLiteral("xc:black")});
    if (what == QStringLiteral("fifo")) // nothing ever writes to it
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
    if (what == QStringLiteral("folder"))
        return QDir(m_dir.path()).mkpath(name) ? path : QString();
    return path; // missing
}

void TestDocuments::inspect_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind"); // -1: not attached
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("error");
    auto row = [](const char *tag, const char *what, const char *name, int kind, int pages,
                  const char *error) {
        QTest::newRow(tag) << QString::fromLatin1(what) << QString::fromUtf8(name) << kind
                           << pages << QString::fromUtf8(error);
    };
    row("PDF", "pdf", "contract.pdf", int(Kind::Pdf), 3, "");
    row("TIFF of three pages", "tiff", "scan.tif", int(Kind::Tiff), 3, "");
    row("PNG", "png", "stamp.png", int(Kind::Png), 1, "");
    row("JPEG", "jpeg", "photo.jpg", int(Kind::Jpeg), 1, "");
    row("the content decides, not the name", "png", "invoice.pdf", int(Kind::Png), 1, "");
    row("a name beyond ASCII", "pdf", "Vertrag f\u00fcr \u0141\u00f3d\u017a.pdf", int(Kind::Pdf),
        3, "");
    row("a page of an odd shape", "tall", "strip.pdf", int(Kind::Pdf), 1, "");
    row("text named .pdf", "text", "letter.pdf", -1, 0,
        "Not attached: letter.pdf is not a PDF, TIFF, PNG or JPEG file");
    row("a FIFO named .pdf", "fifo", "pipe.pdf", -1, 0,
        "Not attached: pipe.pdf is not a PDF, TIFF, PNG or JPEG file");
    row("a folder", "folder", "papers", -1, 0,
        "Not attached: papers is not a PDF, TIFF, PNG or JPEG file");
    row("damaged PDF", "torn", "torn.pdf", -1, 0,
        "Not attached: torn.pdf cannot be read (damaged, or protected by a password)");
    row("PDF with a password", "locked", "locked.pdf", -1, 0,
        "Not attached: locked.pdf cannot be read (damaged, or protected by a password)");
    row("PDF after other bytes", "junk", "mailed.pdf", -1, 0,
        "Not attached: mailed.pdf cannot be read: it has 40 bytes before its PDF header; save it "
        "again as PDF");
    row("gone", "missing", "gone.pdf", -1, 0,
        "Not attached: gone.pdf cannot be read: No such file or directory");
}

void TestDocuments::inspect()
{
    QFETCH(QString, what);
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(int, pages);
    QFETCH(QString, error);
    const QString path = make(what, name);
    QVERIFY2(!path.isEmpty(), "the test could not make its file");

    QString said;
    const std::optional<documents::Document> d = documents::inspect(path, said);
    QCOMPARE(said, error);
    QCOMPARE(d.has_value(), kind >= 0);
    if (!d)
        return;
    QCOMPARE(int(d->kind), kind);
    QCOMPARE(d->pages(), pages);
    QCOMPARE(d->name, name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(d->size, bytes.size());
    QCOMPARE(d->sha256, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256));
    QVERIFY(!d->thumbnail.isNull());
    QVERIFY(d->thumbnail.width() <= documents::ThumbnailSize.width() &&
            d->thumbnail.height() <= documents::ThumbnailSize.height());
    if (what == QStringLiteral("pdf"))
        QCOMPARE(d->pageSizes.first(), QSize(595, 842)); // A4 in points
    // The last page, as large as fits a box, with its shape.
    const QImage page = documents::renderPage(path, d->kind, pages - 1, QSize(300, 3000));
    QVERIFY(page.width() <= 300 && page.height() <= 3000);
    QVERIFY(page.width() == 300 || page.height() == 3000);
}

// Each file shows as soon as it is attached; the refusals of one attach
// come together once every file has been read.
void TestDocuments::attachingShowsEachFileAtOnce()
{
    const QString contract = documentfiles::pdf(m_dir.filePath(QStringLiteral("c.pdf")), 3);
    const QString scan = documentfiles::tiff(m_dir.filePath(QStringLiteral("s.tif")), 2);
    const QString text = make(QStringLiteral("text"), QStringLiteral("note.txt"));
    AttachmentList list;
    QSignalSpy attached(&list, &AttachmentList::attached);
    list.attach({contract, text, scan});
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.data(list.index(0), Qt::DisplayRole).toString(),
             QStringLiteral("c.pdf, reading\u2026"));
    QCOMPARE(list.stillReading(), QStringLiteral("c.pdf"));

    QVERIFY(attached.wait(20000));
    QCOMPARE(attached.first().first().toStringList(),
             QStringList{QStringLiteral("Not attached: note.txt is not a PDF, TIFF, PNG or JPEG file")});
    QCOMPARE(list.rowCount(), 2);
    QVERIFY(list.stillReading().isEmpty());
    QCOMPARE(list.summary(), QStringLiteral("2 documents, 5 pages"));
    QVERIFY(list.data(list.index(1), Qt::DisplayRole)
                .toString()
                .startsWith(QStringLiteral("s.tif, 2 pages, ")));
    QVERIFY(!list.data(list.index(0), Qt::DecorationRole).value<QImage>().isNull());

    list.remove(0);
    QCOMPARE(list.summary(), QStringLiteral("1 document, 2 pages"));
    list.clear();
    QCOMPARE(list.summary(), QString());
    QVERIFY(QFile::exists(contract) && QFile::exists(scan)); // never touched
}

void TestDocuments::extremePagesStayWithinMemory_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("PNG 1 x 1456 pixels") << QStringLiteral("thread");
    QTest::newRow("PDF page 1 x 1456 points") << QStringLiteral("taller");
}

// Such a page fitted to the preview's column (720 pixels wide, as tall as
// it likes) would be 720 x 1,048,576 pixels, 2.8 GB: every picture of it
// is drawn within MaxPagePixels, and Quillon stays far below 400 MB.
void TestDocuments::extremePagesStayWithinMemory()
{
    QFETCH(QString, what);
    const QString path = make(what, what + QStringLiteral(".doc"));
    QVERIFY(!path.isEmpty());
    QString error;
    const std::optional<documents::Document> d = documents::inspect(path, error);
    QVERIFY2(d, qPrintable(error));
    for (const QSize &box : {documents::ThumbnailSize, QSize(720, 1 << 20), QSize(200, 300)}) {
        const QImage page = documents::renderPage(path, d->kind, 0, box);
        QVERIFY(!page.isNull());
        QVERIFY(qint64(page.width()) * page.height() <= documents::MaxPagePixels);
    }
    QFile status(QStringLiteral("/proc/self/status"));
    QVERIFY(status.open(QIODevice::ReadOnly));
    const QByteArray text = status.readAll();
    const qsizetype at = text.indexOf("VmHWM:");
    QVERIFY(at >= 0);
    const qint64 peakKiB = text.mid(at + 6, text.indexOf('\n', at) - at - 6).trimmed().split(' ')
                               .first()
                               .toLongLong();
    QVERIFY2(peakKiB < 400 * 1024, qPrintable(QString::number(peakKiB)));
}

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
