#include "fakes.h"
#include "store/faxstore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

constexpr int R = 10167;

QByteArray threeRecords()
{
    return recordBytes("A") + recordBytes("B") + recordBytes("C");
}

} // namespace

class TestFaxStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void savedRecordBytes();
    void tagSurvivesSave();
    void readPastEndAndPartial();
    void count_data();
    void count();
    void emptyFile();
    void stepping();
    void afterNew();
    void saveWithoutRecord();
    void appendAfterPartialRecord();
    void fullStore();
    void oversizedFileStillOpens();
    void failedWriteLeavesFile_data();
    void failedWriteLeavesFile();
    void notAFile();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("faxes.db")); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FaxStore> m_store;
    FakeDocument m_doc;
};

void TestFaxStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<FaxStore>();
    m_doc = FakeDocument();
}

void TestFaxStore::savedRecordBytes()
{
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    m_store->curRec = 1;
    m_doc.setText(DocField::To, QStringLiteral("Jos\u00e9 M\u00fcller"));
    m_doc.setText(DocField::Fax, QStringLiteral("0123456789012345678")); // cut to 15
    m_doc.setText(DocField::Subject, QStringLiteral("Price \u20ac10 \u2013 \u201cfinal\u201d"));
    m_doc.setText(DocField::Message, QStringLiteral("line 1\r\nline 2") + QString(10100, u'x'));
    QVERIFY(m_store->save(m_doc).isEmpty());

    const QByteArray expected = recordBytes("Jos\xe9 M\xfcller", "012345678901234",
                                            "Price \x80"
                                            "10 \x96 \x93"
                                            "final\x94",
                                            "line 1\r\nline 2" + QByteArray(10100, 'x'));
    QCOMPARE(fileBytes(path()), expected);

    // Shown again, each field comes back at its full width.
    m_store->buffer = FaxRecord();
    QVERIFY(m_store->read(1).isEmpty());
    m_store->showBuffer(m_doc);
    QCOMPARE(m_doc.text(DocField::To), QStringLiteral("Jos\u00e9 M\u00fcller") + QString(39, u' '));
    QCOMPARE(m_doc.text(DocField::Fax), QStringLiteral("012345678901234"));
    QCOMPARE(m_doc.text(DocField::Message).size(), 10000);
}

void TestFaxStore::tagSurvivesSave()
{
    writeBytes(path(), recordBytes("A", {}, {}, {}, -2) + recordBytes("B", {}, {}, {}, 0x1234));
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    m_store->curRec = 2;
    QVERIFY(m_store->read(2).isEmpty());
    QCOMPARE(m_store->buffer.tag(), qint16(0x1234));
    m_doc.setText(DocField::To, QStringLiteral("B2"));
    QVERIFY(m_store->save(m_doc).isEmpty());
    QCOMPARE(fileBytes(path()).mid(R), recordBytes("B2", {}, {}, {}, 0x1234));
    QCOMPARE(fileBytes(path()).left(R), recordBytes("A", {}, {}, {}, -2));
}

void TestFaxStore::readPastEndAndPartial()
{
    const QByteArray partial = recordBytes("X", "1", "S", "M", 7).left(R - 100);
    writeBytes(path(), recordBytes("A", {}, {}, {}, 5) + partial);
    QVERIFY(m_store->open(m_dir->path()).isEmpty());

    QVERIFY(m_store->read(2).isEmpty());
    QCOMPARE(QByteArray(m_store->buffer.data(), R), partial + QByteArray(100, ' '));

    QVERIFY(m_store->read(3).isEmpty());
    QCOMPARE(m_store->buffer.tag(), qint16(0));
    QCOMPARE(QByteArray(m_store->buffer.data(), R), recordBytes({}));
}

void TestFaxStore::count_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("records");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("less than half") << R / 2 << 0;
    QTest::newRow("more than half") << R / 2 + 1 << 1;
    QTest::newRow("one") << R << 1;
    QTest::newRow("three") << 3 * R << 3;
    QTest::newRow("three and a bit") << 3 * R + 5083 << 3;
    QTest::newRow("three and most") << 3 * R + 5084 << 4;
}

void TestFaxStore::count()
{
    QFETCH(int, bytes);
    QFETCH(int, records);
    writeBytes(path(), QByteArray(bytes, ' '));
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    QCOMPARE(m_store->count(), qint16(records));
}

void TestFaxStore::emptyFile()
{
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    m_store->curRec = 1;
    m_doc.setText(DocField::To, QStringLiteral("kept"));

    QVERIFY(m_store->previous(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(0));
    QCOMPARE(m_doc.recNum, qint16(0));
    m_store->curRec = 1;
    QVERIFY(m_store->next(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(0));

    QVERIFY(m_store->newRecord(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(1));
    QCOMPARE(m_doc.recNum, qint16(1));
    QCOMPARE(m_doc.text(DocField::To), QString());
    m_doc.setText(DocField::To, QStringLiteral("first"));
    QVERIFY(m_store->save(m_doc).isEmpty());
    QCOMPARE(fileBytes(path()), recordBytes("first"));
}

void TestFaxStore::stepping()
{
    writeBytes(path(), threeRecords());
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    m_store->curRec = 3;

    QVERIFY(m_store->next(m_doc).isEmpty()); // stays on the last and reads it again
    QCOMPARE(m_store->curRec, qint16(3));
    QCOMPARE(m_doc.text(DocField::To).trimmed(), QStringLiteral("C"));
    QVERIFY(m_store->previous(m_doc).isEmpty());
    QVERIFY(m_store->previous(m_doc).isEmpty());
    QVERIFY(m_store->previous(m_doc).isEmpty()); // stays on record 1
    QCOMPARE(m_store->curRec, qint16(1));
    QCOMPARE(m_doc.recNum, qint16(1));
    QCOMPARE(m_doc.text(DocField::To).trimmed(), QStringLiteral("A"));
    QVERIFY(m_store->next(m_doc).isEmpty());
    QCOMPARE(m_doc.text(DocField::To).trimmed(), QStringLiteral("B"));
}

void TestFaxStore::afterNew()
{
    writeBytes(path(), threeRecords());
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    m_store->curRec = 1;
    QVERIFY(m_store->newRecord(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(4));
    QCOMPARE(fileBytes(path()), threeRecords()); // nothing written by New
    QVERIFY(m_store->previous(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(3));

    QVERIFY(m_store->newRecord(m_doc).isEmpty());
    QVERIFY(m_store->next(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(3));
    QCOMPARE(m_doc.text(DocField::To).trimmed(), QStringLiteral("C"));

    QVERIFY(m_store->newRecord(m_doc).isEmpty());
    m_doc.setText(DocField::To, QStringLiteral("D"));
    QVERIFY(m_store->save(m_doc).isEmpty());
    QCOMPARE(fileBytes(path()).size(), 4 * R);
}

void TestFaxStore::saveWithoutRecord()
{
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    QVERIFY(m_store->previous(m_doc).isEmpty()); // empty file: no record selected
    m_doc.setText(DocField::To, QStringLiteral("typed"));
    QVERIFY(!m_store->save(m_doc).isEmpty());
    QCOMPARE(fileBytes(path()), QByteArray());
}

void TestFaxStore::appendAfterPartialRecord()
{
    // Six tenths of record 2 are present, so it counts; record 3 follows a
    // completed record 2.
    const QByteArray partial = recordBytes("B", "2").left(R * 6 / 10);
    writeBytes(path(), recordBytes("A") + partial);
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    QCOMPARE(m_store->count(), qint16(2));
    m_store->curRec = 1;
    QVERIFY(m_store->newRecord(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, qint16(3));
    m_doc.setText(DocField::To, QStringLiteral("C"));
    QVERIFY(m_store->save(m_doc).isEmpty());
    QCOMPARE(fileBytes(path()), recordBytes("A") + recordBytes("B", "2") + recordBytes("C"));
}

void TestFaxStore::fullStore()
{
    QFile f(path());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(qint64(FaxStore::MaxRecords) * R));
    f.close();
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    m_store->curRec = FaxStore::MaxRecords;

    m_doc.setText(DocField::To, QStringLiteral("unsaved"));
    QVERIFY(!m_store->newRecord(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, FaxStore::MaxRecords);
    QCOMPARE(m_doc.text(DocField::To), QStringLiteral("unsaved"));
    QVERIFY(m_store->next(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, FaxStore::MaxRecords);

    m_doc.setText(DocField::To, QStringLiteral("last"));
    QVERIFY(m_store->save(m_doc).isEmpty());
    QCOMPARE(QFileInfo(path()).size(), qint64(FaxStore::MaxRecords) * R);
}

void TestFaxStore::oversizedFileStillOpens()
{
    QFile f(path());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(qint64(40000) * R));
    f.close();
    QVERIFY(m_store->open(m_dir->path()).isEmpty());
    QCOMPARE(m_store->count(), FaxStore::MaxRecords);
    m_store->curRec = FaxStore::MaxRecords - 1;
    QVERIFY(m_store->next(m_doc).isEmpty());
    QVERIFY(m_store->next(m_doc).isEmpty());
    QCOMPARE(m_store->curRec, FaxStore::MaxRecords);
}

void TestFaxStore::failedWriteLeavesFile_data()
{
    QTest::addColumn<int>("recNum");
    QTest::addColumn<bool>("andLater"); // the undoing fails too
    QTest::newRow("overwrite") << 2 << false;
    QTest::newRow("append") << 4 << false;
    QTest::newRow("overwrite, the disk gone") << 2 << true;
    QTest::newRow("append, the disk gone") << 4 << true;
}

void TestFaxStore::failedWriteLeavesFile()
{
    QFETCH(int, recNum);
    QFETCH(bool, andLater);
    const QByteArray before = threeRecords();
    int unsure = 0; // failures that could not say the file is as it was
    for (int n = 1;; ++n) {
        writeBytes(path(), before);
        FailingFileSystem fs;
        FaxStore store(fs);
        QVERIFY(store.open(m_dir->path()).isEmpty());
        store.curRec = qint16(recNum);
        m_doc.setText(DocField::To, QStringLiteral("new"));
        fs.calls = 0;
        fs.failAt = n;
        fs.andLater = andLater;
        const QString error = store.save(m_doc);
        if (fs.calls < n) { // every operation succeeded
            QVERIFY(error.isEmpty());
            // ... among them the sync that puts the record on disk
            QCOMPARE(fs.dataSyncs, 1);
            break;
        }
        QVERIFY2(!error.isEmpty(), qPrintable(QStringLiteral("operation %1").arg(n)));
        // "As it was" is said only when it is so.
        if (error.endsWith(QStringLiteral("the file was left as it was")))
            QCOMPARE(fileBytes(path()), before);
        else
            ++unsure;
        store.close();
    }
    if (andLater)
        QVERIFY(unsure > 0);
}

void TestFaxStore::notAFile()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("faxes.db")));
    const QString error = m_store->open(m_dir->path());
    QVERIFY(error.contains(QStringLiteral("faxes.db")));
    QVERIFY(!m_store->isOpen());
}

QTEST_GUILESS_MAIN(TestFaxStore)
#include "tst_faxstore.moc"
