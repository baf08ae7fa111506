#include "fakes.h"
#include "store/faxstore.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

constexpr int R = 10167;

QByteArray records(const QByteArray &names)
{
    QByteArray bytes;
    for (char c : names)
        bytes += recordBytes(QByteArray(1, c), "555", "subject " + QByteArray(1, c), "body", c);
    return bytes;
}

} // namespace

class TestDeletion : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cases_data();
    void cases();
    void onlyRecordKeepsFields();
    void emptyFile();
    void partialLastRecordIsPadded();
    void keepsRecordsPastTheLimit();
    void failureAtEveryStep_data();
    void failureAtEveryStep();
    void startupRecovery();
    void whoMayReadTheFiles_data();
    void whoMayReadTheFiles();
    void plantedLinkIsNotFollowed();

private:
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDeletion::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestDeletion::cases_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("curRec");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("newCurRec");
    QTest::addColumn<QString>("shown");
    QTest::newRow("middle") << QByteArray("ABC") << 2 << QByteArray("AC") << 1 << "A";
    QTest::newRow("first") << QByteArray("ABC") << 1 << QByteArray("BC") << 1 << "B";
    QTest::newRow("last") << QByteArray("ABC") << 3 << QByteArray("AB") << 2 << "B";
    QTest::newRow("after New") << QByteArray("ABC") << 4 << QByteArray("ABC") << 3 << "C";
}

void TestDeletion::cases()
{
    QFETCH(QByteArray, before);
    QFETCH(int, curRec);
    QFETCH(QByteArray, after);
    QFETCH(int, newCurRec);
    QFETCH(QString, shown);

    writeBytes(path("faxes.db"), records(before));
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    FakeDocument doc;
    store.curRec = qint16(curRec);
    QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());

    QCOMPARE(fileBytes(path("faxes.db")), records(after));
    QVERIFY(!QFile::exists(path("qln1.db")));
    QCOMPARE(store.curRec, qint16(newCurRec));
    QCOMPARE(doc.recNum, qint16(newCurRec));
    QCOMPARE(doc.text(DocField::To).trimmed(), shown);
    QCOMPARE(store.buffer.tag(), qint16(shown.at(0).toLatin1()));

    // The store goes on working on the new file.
    QVERIFY(store.newRecord(doc).isEmpty());
    doc.setText(DocField::To, QStringLiteral("Z"));
    QVERIFY(store.save(doc).isEmpty());
    QCOMPARE(fileBytes(path("faxes.db")).size(), (after.size() + 1) * R);
}

void TestDeletion::onlyRecordKeepsFields()
{
    writeBytes(path("faxes.db"), records("A"));
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    FakeDocument doc;
    doc.setText(DocField::To, QStringLiteral("on screen"));
    store.curRec = 1;
    QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());
    QCOMPARE(fileBytes(path("faxes.db")), QByteArray());
    QCOMPARE(store.curRec, qint16(1));
    QCOMPARE(doc.recNumShown, 0);
    QCOMPARE(doc.text(DocField::To), QStringLiteral("on screen"));
}

void TestDeletion::emptyFile()
{
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    FakeDocument doc;
    store.curRec = 0;
    QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());
    QCOMPARE(fileBytes(path("faxes.db")), QByteArray());
    QCOMPARE(store.curRec, qint16(1));
    QCOMPARE(doc.recNumShown, 0);
}

void TestDeletion::partialLastRecordIsPadded()
{
    const QByteArray partial = records("C").left(R - 300);
    writeBytes(path("faxes.db"), records("AB") + partial);
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    FakeDocument doc;
    store.curRec = 1;
    QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());
    QCOMPARE(fileBytes(path("faxes.db")), records("B") + partial + QByteArray(300, ' '));
}

void TestDeletion::keepsRecordsPastTheLimit()
{
    QFile f(path("faxes.db"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(qint64(FaxStore::MaxRecords + 2) * R));
    QVERIFY(f.seek(qint64(FaxStore::MaxRecords + 1) * R));
    f.write(records("Y"));
    f.close();

    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    FakeDocument doc;
    store.curRec = 1;
    QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());
    QCOMPARE(QFileInfo(path("faxes.db")).size(), qint64(FaxStore::MaxRecords + 1) * R);
    QCOMPARE(fileBytes(path("faxes.db")).right(R), records("Y"));
}

void TestDeletion::failureAtEveryStep_data()
{
    QTest::addColumn<bool>("shortOnly");
    QTest::newRow("operation fails") << false;
    QTest::newRow("operation is short") << true;
}

// Whichever file operation fails, "faxes.db" keeps every record, no
// temporary file is left and the store goes on working; once none fails,
// exactly the one record is gone.
void TestDeletion::failureAtEveryStep()
{
    QFETCH(bool, shortOnly);
    const QByteArray before = records("ABCD");
    for (int n = 1;; ++n) {
        writeBytes(path("faxes.db"), before);
        FailingFileSystem fs;
        FaxStore store(fs);
        QVERIFY(store.open(m_dir->path()).isEmpty());
        FakeDocument doc;
        store.curRec = 2;
        QVERIFY(store.read(2).isEmpty());
        store.showBuffer(doc);
        fs.calls = 0;
        fs.failAt = n;
        fs.shortOnly = shortOnly;
        const QString message = store.deleteRec(store.curRec, doc);
        const bool allRan = fs.calls < n;
        fs.failAt = 0;
        const QByteArray after = fileBytes(path("faxes.db"));
        const QString step = QStringLiteral("operation %1: %2").arg(n).arg(message);

        if (after != before) {
            // Done; a failure after the new file took its place can only
            // leave a warning.
            QVERIFY2(message.isEmpty() || message.contains(QStringLiteral("deleted")),
                     qPrintable(step));
            QCOMPARE(after, records("ACD"));
            QCOMPARE(store.curRec, qint16(1));
            if (message.isEmpty())
                QCOMPARE(doc.text(DocField::To).trimmed(), QStringLiteral("A"));
        } else {
            QVERIFY2(!allRan && !shortOnly, qPrintable(step));
            QVERIFY2(message.startsWith(QStringLiteral("The document was not deleted.")),
                     qPrintable(step));
            QCOMPARE(store.curRec, qint16(2));
            QCOMPARE(doc.text(DocField::To).trimmed(), QStringLiteral("B"));
        }
        QVERIFY2(!QFile::exists(path("qln1.db")), qPrintable(step));
        QVERIFY(store.next(doc).isEmpty());
        QVERIFY(store.save(doc).isEmpty());
        if (allRan || (shortOnly && n > 20))
            break;
    }
}

void TestDeletion::startupRecovery()
{
    // An interrupted deletion that removed the old file first: the copy is
    // all there is.
    writeBytes(path("qln1.db"), records("AB"));
    {
        FaxStore store;
        QVERIFY(store.open(m_dir->path()).isEmpty());
        QCOMPARE(store.count(), qint16(2));
    }
    QCOMPARE(fileBytes(path("faxes.db")), records("AB"));
    QVERIFY(!QFile::exists(path("qln1.db")));

    // Both present: "faxes.db" is complete and the leftover goes.
    writeBytes(path("qln1.db"), records("A"));
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    QCOMPARE(fileBytes(path("faxes.db")), records("AB"));
    QVERIFY(!QFile::exists(path("qln1.db")));
}

void TestDeletion::whoMayReadTheFiles_data()
{
    QTest::addColumn<int>("before"); // 0: no file yet
    QTest::addColumn<bool>("deleteOne");
    QTest::addColumn<int>("after");
    QTest::newRow("made by Quillon: the owner's only") << 0 << false << 0600;
    QTest::newRow("the user's chmod survives a deletion") << 0640 << true << 0640;
    QTest::newRow("so does a wider one") << 0664 << true << 0664;
}

void TestDeletion::whoMayReadTheFiles()
{
    QFETCH(int, before);
    QFETCH(bool, deleteOne);
    QFETCH(int, after);
    if (before) {
        writeBytes(path("faxes.db"), records("AB"));
        QVERIFY(::chmod(QFile::encodeName(path("faxes.db")).constData(), mode_t(before)) == 0);
    }
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    if (deleteOne) {
        FakeDocument doc;
        store.curRec = 1;
        QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());
        QCOMPARE(fileBytes(path("faxes.db")), records("B"));
    }
    QCOMPARE(fileMode(path("faxes.db")), after);
}

// Another user's link in place of the temporary file would make a deletion
// write the documents wherever it points.
void TestDeletion::plantedLinkIsNotFollowed()
{
    writeBytes(path("faxes.db"), records("ABC"));
    writeBytes(path("elsewhere"), "not yours");
    FaxStore store;
    QVERIFY(store.open(m_dir->path()).isEmpty());
    QVERIFY(QFile::link(path("elsewhere"), path("qln1.db")));
    FakeDocument doc;
    store.curRec = 2;
    QVERIFY(store.deleteRec(store.curRec, doc).isEmpty());
    QCOMPARE(fileBytes(path("faxes.db")), records("AC"));
    QCOMPARE(fileBytes(path("elsewhere")), QByteArray("not yours"));
}

QTEST_GUILESS_MAIN(TestDeletion)
#include "tst_deletion.moc"
