#include "documentfiles.h"
#include "print/printspool.h"
#include "shellfixture.h"
#include "ui/frmmain.h"
#include "windowdriver.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// The "Quillon" printer's two ends: the CUPS backend, run as CUPS runs it
// (arguments, the PDF on standard input or as a file), and the spool that
// hands each printed document to the window, which deletes it once it
// leaves the strip.
class TestPrinting : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { qunsetenv("QUILLON_SPOOL"); }
    void listsItsDevice();
    void jobNamedAfterItsTitle_data();
    void jobNamedAfterItsTitle();
    void jobsItCancels_data();
    void jobsItCancels();
    void cancelledJobLeavesNothing();
    void jobForAnotherUser();
    void spoolHandsJobsToTheWindow();

private:
    struct Ran
    {
        int exitCode = -1;
        QByteArray err;
    };
    // The backend with `arguments` after its name, `in` on standard input,
    // as CUPS runs it for a job it authenticated as `authUid` (this user's
    // when not given; none for root, whom CUPS knows by its certificate).
    Ran backend(const QStringList &arguments, const QByteArray &in = {},
                const QStringList &environment = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUILLON_SPOOL"), m_spool);
        if (::getuid() != 0)
            env.insert(QStringLiteral("AUTH_UID"), QString::number(::getuid()));
        for (const QString &variable : environment)
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(CUPS_BACKEND), arguments);
        process.write(in);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000))
            process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError()};
    }
    static QString me() { return QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name); }
    QStringList jobs(const QString &user) const
    {
        return QDir(QDir(m_spool).filePath(user))
            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QString m_spool;
    QByteArray m_pdf;
};

void TestPrinting::init()
{
    newFolder();
    m_spool = path("spool");
    QVERIFY(QDir().mkpath(m_spool));
    m_pdf = fileBytes(documentfiles::pdf(path("page.pdf"), 1));
}

void TestPrinting::listsItsDevice()
{
    QProcess process;
    process.start(QStringLiteral(CUPS_BACKEND), QStringList());
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(),
             QByteArray("direct quillon:/ \"Quillon Fax\" \"Fax with Quillon\"\n"));
}

void TestPrinting::jobNamedAfterItsTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("a title") << "Invoice 2027" << "Invoice 2027.pdf";
    QTest::newRow("already .pdf") << "scan.PDF" << "scan.PDF";
    QTest::newRow("control characters") << "In\u0001voice\t2027\u007f" << "Invoice2027.pdf";
    QTest::newRow("a path out of the folder") << "../../x" << "x.pdf";
    QTest::newRow("hidden") << " .profile" << "profile.pdf";
    QTest::newRow("nothing left") << "//" << "Print job 42.pdf";
    QTest::newRow("beyond ASCII") << "Angebot f\u00fcr M\u00fcller" << "Angebot f\u00fcr M\u00fcller.pdf";
    QTest::newRow("invisible characters that turn a name around")
        << "invoice\u202Efdp.exe\u200B\uFEFF" << "invoicefdp.exe.pdf";
}

// As CUPS runs it: the PDF on standard input, then the same title again
// from a file, under a name of its own.
void TestPrinting::jobNamedAfterItsTitle()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    const Ran first = backend({QStringLiteral("42"), me(), title, QStringLiteral("1"), QString()}, m_pdf);
    QCOMPARE(first.exitCode, 0);
    const Ran second = backend(
        {QStringLiteral("43"), me(), title, QStringLiteral("1"), QString(), path("page.pdf")});
    QCOMPARE(second.exitCode, 0);
    // The second, of the same title, beside it; a job without one by its number.
    const QString again = name.startsWith(QStringLiteral("Print job"))
                              ? QStringLiteral("Print job 43.pdf")
                              : name.left(name.size() - 4) + QStringLiteral(" (2).pdf");
    QStringList expected{name, again};
    expected.sort();
    QCOMPARE(jobs(me()), expected);
    QCOMPARE(fileBytes(QDir(m_spool).filePath(me() + u'/' + name)), m_pdf);
    QCOMPARE(fileMode(QDir(m_spool).filePath(me())), 0700);
    QCOMPARE(fileMode(QDir(m_spool).filePath(me() + u'/' + name)), 0600);
}

void TestPrinting::jobsItCancels_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("prepare"); // "", "link", "big", "text", "full"
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QByteArray>("said");
    const QStringList none;
    QTest::newRow("an unknown user") << "no-such-user-q" << "" << none
                                     << QByteArray("ERROR: the job's user no-such-user-q is not "
                                                   "an account here\n");
    QTest::newRow("the user's folder is a link") << "" << "link" << none
                                                 << QByteArray("is not a folder of that user's alone\n");
    QTest::newRow("over 100 MB") << "" << "big" << none << QByteArray("ERROR: the job is larger than 100 MB\n");
    QTest::newRow("a system account") << "daemon" << "" << QStringList{QStringLiteral("AUTH_UID=1")}
                                      << QByteArray("ERROR: jobs of the system account daemon are not taken\n");
    QTest::newRow("a name another user printed under")
        << "" << "" << QStringList{QStringLiteral("AUTH_UID=65534")}
        << QByteArray("but was printed by another user\n");
    QTest::newRow("a user CUPS did not authenticate")
        << "nobody" << "" << none << QByteArray("-o printer-op-policy=authenticated\n");
    QTest::newRow("a raw job") << "" << "" << QStringList{QStringLiteral("CONTENT_TYPE=application/vnd.cups-raw")}
                               << QByteArray("ERROR: raw jobs are not taken: print without -o raw\n");
    QTest::newRow("not a PDF") << "" << "text" << none << QByteArray("ERROR: the job is not a PDF\n");
    QTest::newRow("too many jobs waiting") << "" << "full" << none << QByteArray("Quillon\n");
}

// A job it cannot take cancels that job (5), not the queue, and leaves
// nothing behind.
void TestPrinting::jobsItCancels()
{
    QFETCH(QString, user);
    QFETCH(QString, prepare);
    QFETCH(QStringList, environment);
    QFETCH(QByteArray, said);
    if (user.isEmpty())
        user = me();
    if (user != me() && ::getuid() != 0)
        QSKIP("only root can act as another user");
    const QString elsewhere = path("elsewhere");
    QVERIFY(QDir().mkpath(elsewhere));
    if (prepare == u"link")
        QVERIFY(QFile::link(elsewhere, QDir(m_spool).filePath(user)));
    QString file = path("page.pdf");
    if (prepare == u"big") {
        file = path("big.pdf");
        QFile big(file);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write("%PDF-") == 5 &&
                big.resize(101LL * 1024 * 1024));
    } else if (prepare == u"text") {
        file = path("letter.txt");
        writeBytes(file, "Dear Jane,\n");
    }
    QStringList waiting;
    if (prepare == u"full") {
        QVERIFY(QDir().mkpath(QDir(m_spool).filePath(user)));
        QVERIFY(::chmod(QFile::encodeName(QDir(m_spool).filePath(user)).constData(), 0700) == 0);
        for (int i = 0; i < 100; ++i) {
            waiting.append(QStringLiteral("Job %1.pdf").arg(i, 3, 10, QLatin1Char('0')));
            writeBytes(QDir(m_spool).filePath(user + u'/' + waiting.last()), m_pdf);
        }
    }
    const Ran run = backend({QStringLiteral("7"), user, QStringLiteral("Letter"),
                             QStringLiteral("1"), QString(), file}, {}, environment);
    QCOMPARE(run.exitCode, 5);
    QVERIFY2(run.err.endsWith(said), run.err.constData());
    QCOMPARE(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden), QStringList());
    if (prepare != u"link")
        QCOMPARE(jobs(user), waiting);
}

// A job cancelled while it is written (CUPS sends SIGTERM) leaves nothing:
// the file has no name until it is whole.
void TestPrinting::cancelledJobLeavesNothing()
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUILLON_SPOOL"), m_spool);
    env.insert(QStringLiteral("AUTH_UID"), QString::number(::getuid()));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(CUPS_BACKEND),
                  {QStringLiteral("9"), me(), QStringLiteral("Half"), QStringLiteral("1"), QString()});
    QVERIFY(process.waitForStarted());
    process.write(m_pdf.left(m_pdf.size() / 2));
    QVERIFY(process.waitForBytesWritten());
    QTRY_VERIFY(QFileInfo::exists(QDir(m_spool).filePath(me())));
    QTest::qWait(200); // the first half is in the unnamed file by now
    process.terminate();
    QVERIFY(process.waitForFinished());
    QCOMPARE(jobs(me()), QStringList());
}

// The job's user, not the one CUPS runs as: the folder and the file are
// that user's, written as that user.
void TestPrinting::jobForAnotherUser()
{
    if (::getuid() != 0)
        QSKIP("only root can act as another user");
    const passwd *nobody = ::getpwnam("nobody");
    QVERIFY(nobody);
    const uid_t uid = nobody->pw_uid;
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    const Ran run = backend({QStringLiteral("8"), QStringLiteral("nobody"),
                             QStringLiteral("Order"), QStringLiteral("1"), QString()},
                            m_pdf, {QStringLiteral("AUTH_UID=%1").arg(uid)});
    QCOMPARE(run.exitCode, 0);
    const QFileInfo folder(QDir(m_spool).filePath(QStringLiteral("nobody")));
    QCOMPARE(folder.ownerId(), uid);
    QCOMPARE(QFileInfo(folder.filePath() + QStringLiteral("/Order.pdf")).ownerId(), uid);
}

// Jobs printed while Quillon did not run are attached when its window
// shows, one that comes later at once; hidden ones (still being written)
// are left; a printed document goes once it leaves the strip.
void TestPrinting::spoolHandsJobsToTheWindow()
{
    qputenv("QUILLON_SPOOL", QFile::encodeName(m_spool));
    const QString mine = PrintSpool::userFolder();
    QVERIFY(QDir().mkpath(mine));
    writeBytes(QDir(mine).filePath(QStringLiteral("Waiting.pdf")), m_pdf);
    writeBytes(QDir(mine).filePath(QStringLiteral(".job-9.part")), "half");
    auto shell = startShell();
    frmMain *window = shell->mainWindow();
    QTRY_COMPARE(shown(window, "lblStatus"), QStringLiteral("1 document, 1 page"));
    const QString printed = PrintSpool::printedFolder(m_dir->path());
    QCOMPARE(QDir(printed).entryList(QDir::Files), QStringList{QStringLiteral("Waiting.pdf")});
    QCOMPARE(jobs(me()), QStringList{QStringLiteral(".job-9.part")});

    writeBytes(QDir(mine).filePath(QStringLiteral("Later.pdf")), m_pdf);
    QTRY_COMPARE(shown(window, "lblStatus"), QStringLiteral("2 documents, 2 pages"));
    QCOMPARE(QDir(printed).entryList(QDir::Files).size(), 2);
    // A second job of a title with placeholders in it, beside the first.
    writeBytes(QDir(mine).filePath(QStringLiteral("x%1 (%2).pdf")), m_pdf);
    QTRY_COMPARE(shown(window, "lblStatus"), QStringLiteral("3 documents, 3 pages"));
    writeBytes(QDir(mine).filePath(QStringLiteral("x%1 (%2).pdf")), m_pdf);
    QTRY_COMPARE(shown(window, "lblStatus"), QStringLiteral("4 documents, 4 pages"));
    QVERIFY(QFile::exists(QDir(printed).filePath(QStringLiteral("x%1 (%2) (2).pdf"))));

    click(window, "btnNew");
    QTRY_COMPARE(QDir(printed).entryList(QDir::Files), QStringList());
    QVERIFY(QFile::exists(path("page.pdf"))); // not a printed one
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
