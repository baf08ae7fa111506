#include "fakes.h"
#include "store/settingsstore.h"

#include <QTemporaryDir>
#include <QTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyFileReadsBlank();
    void saveWritesTheRecord();
    void reservedSurvivesAndFileNeverGrows();
    void loadKeepsPadAndLeadingSpaces();
    void writeReachesTheDisk();
};

void TestSettingsStore::emptyFileReadsBlank()
{
    QTemporaryDir dir;
    SettingsStore store;
    QVERIFY(store.open(dir.path()).isEmpty());
    QVERIFY(store.read().isEmpty());
    FakeSettings fields;
    store.loadFields(fields);
    QCOMPARE(fields.text(SettingsField::SmtpServer), QString(100, u' '));
    QCOMPARE(fields.text(SettingsField::Acod), QString(30, u' '));
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("qln.db"))), QByteArray());
}

void TestSettingsStore::saveWritesTheRecord()
{
    QTemporaryDir dir;
    SettingsStore store;
    QVERIFY(store.open(dir.path()).isEmpty());
    QVERIFY(store.read().isEmpty());
    FakeSettings fields;
    fields.setText(SettingsField::SmtpServer, QStringLiteral("  mail.example:2525"));
    fields.setText(SettingsField::Email, QString(120, u'e'));
    fields.setText(SettingsField::Acod, QStringLiteral("ACCOUNT-0123456789-0123456789-XYZ"));
    fields.setText(SettingsField::Provider, QStringLiteral("Fax1"));
    store.storeFields(fields);
    QVERIFY(store.write().isEmpty());
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("qln.db"))),
             settingsBytes({}, "  mail.example:2525", QByteArray(100, 'e'),
                           "ACCOUNT-0123456789-0123456789-"));
}

void TestSettingsStore::reservedSurvivesAndFileNeverGrows()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("qln.db"));
    const QByteArray reserved = QByteArray("\x01\x02 reserved \xff\x80").leftJustified(20, '!');
    writeBytes(path, settingsBytes(reserved, "old", "old@x", "1"));
    SettingsStore store;
    QVERIFY(store.open(dir.path()).isEmpty());
    QVERIFY(store.read().isEmpty());
    FakeSettings fields;
    for (int i = 0; i < 3; ++i) {
        fields.setText(SettingsField::SmtpServer, QStringLiteral("s%1").arg(i));
        store.storeFields(fields);
        QVERIFY(store.write().isEmpty());
    }
    QCOMPARE(fileBytes(path), settingsBytes(reserved, "s2", {}, {}));
}

void TestSettingsStore::loadKeepsPadAndLeadingSpaces()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("qln.db")),
               settingsBytes({}, " smtp.example", "me@example",
                             "\x80"
                             "code"));
    SettingsStore store;
    QVERIFY(store.open(dir.path()).isEmpty());
    QVERIFY(store.read().isEmpty());
    FakeSettings fields;
    store.loadFields(fields);
    QCOMPARE(fields.text(SettingsField::SmtpServer),
             QStringLiteral(" smtp.example").leftJustified(100));
    QCOMPARE(fields.text(SettingsField::Email), QStringLiteral("me@example").leftJustified(100));
    QCOMPARE(fields.text(SettingsField::Acod), QStringLiteral("\u20accode").leftJustified(30));
}

void TestSettingsStore::writeReachesTheDisk()
{
    QTemporaryDir dir;
    FailingFileSystem fs;
    SettingsStore store(fs);
    QVERIFY(store.open(dir.path()).isEmpty());
    QVERIFY(store.write().isEmpty());
    QCOMPARE(fs.dataSyncs, 1);
    fs.calls = 0;
    fs.failAt = 2; // the sync after the write
    QVERIFY(store.write().startsWith(QStringLiteral("Cannot save the settings")));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
