#include "app/datafolder.h"
#include "app/handover.h"
#include "app/instance.h"
#include "fakes.h"
#include "store/datafiles.h"

#include <QDir>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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
    void olderFolderMadePrivate_data();
    void olderFolderMadePrivate();
    void lockThatCannotBeTaken();
    void handOverIsBounded_data();
    void handOverIsBounded();
    void socketOnlyInAPrivateFolder();
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

void TestStartup::olderFolderMadePrivate_data()
{
    QTest::addColumn<bool>("userFolder");
    QTest::newRow("the user's data folder") << true;
    QTest::newRow("a portable copy's folder") << false;
}

// An earlier Quillon left its folder 755 and its files 644.
void TestStartup::olderFolderMadePrivate()
{
    QFETCH(bool, userFolder);
    QTemporaryDir dir;
    const QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("usr/bin")));
    const QString folder = root.filePath(userFolder ? QStringLiteral("Quillon") : QStringLiteral("copy"));
    QVERIFY(QDir().mkpath(QDir(folder).filePath(QStringLiteral("Sent/cur"))));
    const QStringList files = {QStringLiteral("faxes.db"), QStringLiteral("qln.db"),
                               QStringLiteral("qln.rss"), QStringLiteral("quillon.ini"),
                               QStringLiteral("Sent/cur/1.x:2,S"), QStringLiteral("notes.txt")};
    for (const QString &file : files)
        writeBytes(QDir(folder).filePath(file), "x");
    for (const QString &path : {folder, QDir(folder).filePath(QStringLiteral("Sent")),
                                QDir(folder).filePath(QStringLiteral("Sent/cur"))})
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0755) == 0);
    for (const QString &file : files)
        QVERIFY(::chmod(QFile::encodeName(QDir(folder).filePath(file)).constData(), 0644) == 0);

    QCOMPARE(::dataFolder(userFolder ? root.filePath(QStringLiteral("usr/bin")) : folder,
                          root.filePath(QStringLiteral("usr/bin")), folder),
             folder);
    const int folderMode = userFolder ? 0700 : 0755;
    const int fileMode644 = userFolder ? 0600 : 0644;
    QCOMPARE(fileMode(folder), folderMode);
    QCOMPARE(fileMode(QDir(folder).filePath(QStringLiteral("Sent"))), folderMode);
    QCOMPARE(fileMode(QDir(folder).filePath(QStringLiteral("Sent/cur"))), folderMode);
    for (const char *own : {"faxes.db", "qln.db", "qln.rss", "quillon.ini"})
        QCOMPARE(fileMode(QDir(folder).filePath(QLatin1StringView(own))), fileMode644);
    QCOMPARE(fileMode(QDir(folder).filePath(QStringLiteral("notes.txt"))), 0644); // not Quillon's
}

// The lock cannot be made for a reason other than another run holding it
// (here: a folder whose path leaves no room for the lock's name): the start
// ends before any file is opened, saying why.
void TestStartup::lockThatCannotBeTaken()
{
    QTemporaryDir dir;
    QString folder = dir.path();
    constexpr qsizetype Length = 4090; // the lock's path passes PATH_MAX
    while (folder.size() < Length) {
        folder += u'/' + QString(std::min<qsizetype>(200, Length - folder.size() - 1), u'd');
        QVERIFY(QDir().mkdir(folder));
    }
    Instance instance(folder);
    QString error;
    QCOMPARE(instance.claim({}, error), Instance::Role::Failed);
    QVERIFY2(error.startsWith(QStringLiteral("Quillon cannot lock its data folder ") + folder +
                              QStringLiteral(": ")),
             qPrintable(error.right(80)));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
}

void TestStartup::handOverIsBounded_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("taken");
    auto number = [](quint32 n) {
        QByteArray b(4, '\0');
        qToBigEndian(n, b.data());
        return b;
    };
    QTest::newRow("two names") << handover::encode(QStringList{QStringLiteral("/a.pdf"), QStringLiteral("/b\u00e9.pdf")})
                               << true;
    QTest::newRow("4 GiB claimed") << number(1) + number(0xfffffff0) + QByteArray(64, 'a') << false;
    QTest::newRow("2^32 names claimed") << number(0xfffffffe) + number(2) + QByteArray("\0a") << false;
    QTest::newRow("1,001 names") << handover::encode(QStringList(1001, QStringLiteral("/x"))) << false;
    NewFax longest;
    longest.message = QStringLiteral("\r\n").repeated(NewFax::MaxMessageBytes);
    longest.files = QStringList{QStringLiteral("/a.pdf"), QStringLiteral("/b\u00e9.pdf")};
    QTest::newRow("the longest message a command line gives") << handover::encode(longest) << true;
    QTest::newRow("odd length") << number(1) + number(3) + QByteArray("abc") << false;
}

// Any process of the user can connect: what it sends is read as a bounded
// message, and one that claims too much ends its connection.
void TestStartup::handOverIsBounded()
{
    QFETCH(QByteArray, message);
    QFETCH(bool, taken);
    QTemporaryDir dir;
    Instance instance(dir.path());
    QString error;
    QCOMPARE(instance.claim({}, error), Instance::Role::First);
    QSignalSpy handed(&instance, &Instance::handedOver);
    QLocalSocket other;
    other.connectToServer(instance.socketName());
    QVERIFY(other.waitForConnected(2000));
    other.write(message);
    QTRY_VERIFY(handed.size() == 1 || other.state() == QLocalSocket::UnconnectedState ||
                other.bytesAvailable() > 0);
    QCOMPARE(handed.size(), taken ? 1 : 0);
    QCOMPARE(fileMode(dir.filePath(QStringLiteral("quillon.lock"))), 0600);
    if (taken)
        QCOMPARE(handed.first().first().value<NewFax>().files,
                 (QStringList{QStringLiteral("/a.pdf"), QStringLiteral("/b\u00e9.pdf")}));
}

// With no usable runtime folder the socket goes into a folder made for
// this user alone, never into the shared temporary folder itself.
void TestStartup::socketOnlyInAPrivateFolder()
{
    QTemporaryDir dir;
    const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
    writeBytes(dir.filePath(QStringLiteral("file")), "");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.filePath(QStringLiteral("file"))));
    Instance instance(dir.path());
    qputenv("XDG_RUNTIME_DIR", runtimeBefore);
    const QString folder = QFileInfo(instance.socketName()).path();
    QVERIFY2(folder != QDir::tempPath(), qPrintable(instance.socketName()));
    QCOMPARE(fileMode(folder), 0700);
    QCOMPARE(QFileInfo(folder).ownerId(), ::getuid());
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
