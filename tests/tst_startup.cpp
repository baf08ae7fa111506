#include "app/datafolder.h"
#include "fakes.h"
#include "store/datafiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartInEmptyFolder();
    void markerChoosesMainWindow();
    void loadsRecordOneAndSettings();
    void unusableFolder_data();
    void unusableFolder();
    void dataFolder_data();
    void dataFolder();
};

namespace {

struct Run
{
    DataFiles files;
    FakeDocument doc;
    FakeSettings settings;
    int settingsCreated = 0;
    StartupResult start(const QString &folder)
    {
        return startup(files, folder, doc, [this]() -> SettingsFields & {
            ++settingsCreated;
            return settings;
        });
    }
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

void TestStartup::firstStartInEmptyFolder()
{
    QTemporaryDir dir;
    Run run;
    const StartupResult r = run.start(dir.path());
    QVERIFY(r.error.isEmpty());
    QCOMPARE(r.firstWindow, FirstWindow::Agreement);
    QCOMPARE(filesIn(dir.path()),
             (QStringList{QStringLiteral("faxes.db"), QStringLiteral("qln.db")}));
    QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("faxes.db"))).size(), 0);
    QCOMPARE(run.files.fax.curRec, qint16(1));
    QCOMPARE(run.doc.recNum, qint16(1));
    QCOMPARE(run.doc.text(DocField::Subject), QString(100, u' '));
    QCOMPARE(run.settingsCreated, 1);
    programEnd(run.files);
    QVERIFY(!run.files.fax.isOpen());
    QVERIFY(!run.files.settings.isOpen());
}

void TestStartup::markerChoosesMainWindow()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("qln.rss")), "    ");
    Run run;
    QCOMPARE(run.start(dir.path()).firstWindow, FirstWindow::Main);

    // Only an ordinary file counts.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkdir(QStringLiteral("qln.rss")));
    Run second;
    QCOMPARE(second.start(other.path()).firstWindow, FirstWindow::Agreement);
}

void TestStartup::loadsRecordOneAndSettings()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("faxes.db")),
               recordBytes("first") + recordBytes("second"));
    writeBytes(
        dir.filePath(QStringLiteral("qln.db")),
        settingsBytes(QByteArray(20, 'r'), "smtp.example", "me@example", QByteArray(30, 'c')));
    const QByteArray settingsBefore = fileBytes(dir.filePath(QStringLiteral("qln.db")));
    Run run;
    QVERIFY(run.start(dir.path()).error.isEmpty());
    QCOMPARE(run.doc.text(DocField::To), QStringLiteral("first").leftJustified(50));
    QCOMPARE(run.settings.text(SettingsField::Email),
             QStringLiteral("me@example").leftJustified(100));
    programEnd(run.files);
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("qln.db"))), settingsBefore);
}

void TestStartup::unusableFolder_data()
{
    QTest::addColumn<QString>("occupied");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("folder named faxes.db") << QStringLiteral("faxes.db") << false;
    QTest::newRow("folder named qln.db") << QStringLiteral("qln.db") << false;
    QTest::newRow("read-only folder") << QString() << true;
    QTest::newRow("folder does not exist") << QStringLiteral("missing/") << false;
}

void TestStartup::unusableFolder()
{
    QFETCH(QString, occupied);
    QFETCH(bool, readOnly);
    if (readOnly && ::geteuid() == 0)
        QSKIP("root may write anywhere");
    QTemporaryDir dir;
    const bool missing = occupied.endsWith(u'/');
    if (!occupied.isEmpty() && !missing)
        QVERIFY(QDir(dir.path()).mkdir(occupied));
    if (readOnly)
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
    const QStringList before = filesIn(dir.path());

    Run run;
    const StartupResult r = run.start(missing ? dir.filePath(occupied) : dir.path());
    QVERIFY(!r.error.isEmpty());
    QVERIFY2(
        r.error.contains(occupied.isEmpty() || missing ? QStringLiteral("faxes.db") : occupied),
        qPrintable(r.error));
    QCOMPARE(filesIn(dir.path()), before);
    QVERIFY(!run.files.fax.isOpen());
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
}

void TestStartup::dataFolder_data()
{
    QTest::addColumn<QString>("program"); // a folder under the test's own
    QTest::addColumn<QString>("installed");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("writable: a portable copy") << "copy"
                                               << "usr/bin" << true;
    QTest::newRow("where it is installed, even if writable") << "usr/bin"
                                                             << "usr/bin" << false;
    QTest::newRow("missing") << "gone"
                             << "usr/bin" << false;
    QTest::newRow("read-only") << "read-only"
                               << "usr/bin" << false;
}

void TestStartup::dataFolder()
{
    QFETCH(QString, program);
    QFETCH(QString, installed);
    QFETCH(bool, besideProgram);
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char *made : {"copy", "usr/bin", "read-only"})
        QVERIFY(root.mkpath(QString::fromLatin1(made)));
    const QString readOnly = root.filePath(QStringLiteral("read-only"));
    QVERIFY(::chmod(QFile::encodeName(readOnly).constData(), 0555) == 0);
    if (program == QStringLiteral("read-only") && ::geteuid() == 0)
        QSKIP("root may write anywhere; the package check makes a folder immutable");
    const QString user = root.filePath(QStringLiteral("home/.local/share/Quillon"));

    const QString used = ::dataFolder(root.filePath(program), root.filePath(installed), user);
    QCOMPARE(used, besideProgram ? root.filePath(program) : user);
    QCOMPARE(QFileInfo(user).isDir(), !besideProgram); // made when used
    if (!besideProgram)
        QCOMPARE(fileMode(user), 0700);
    Run run;
    QVERIFY(run.start(used).error.isEmpty());
    QCOMPARE(run.files.folder, used);
    for (const char *file : {"faxes.db", "qln.db"})
        QCOMPARE(fileMode(QDir(used).filePath(QLatin1StringView(file))), 0600);
    programEnd(run.files);
    ::chmod(QFile::encodeName(readOnly).constData(), 0755);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
