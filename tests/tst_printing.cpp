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
    void jobForAnotherUser();
    void spoolHandsJobsToTheWindow();

private:
    struct Ran
    {
        int exitCode = -1;
        QByteArray err;
    };
    // The backend with `arguments` after its name, `in` on standard input.
    Ran backend(const QStringList &arguments, const QByteArray &in = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUILLON_SPOOL"), m_spool);
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
    QTest::addColumn<QString>("prepare"); // "", "link", "big"
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("an unknown user") << "no-such-user-q" << ""
                                     << QByteArray("ERROR: the job's user no-such-user-q is not "
                                                   "an account here\n");
    QTest::newRow("the user's folder is a link") << "" << "link"
                                                 << QByteArray("is not a folder of that user's alone\n");
    QTest::newRow("over 100 MB") << "" << "big" << QByteArray("ERROR: the job is larger than 100 MB\n");
}

// A job it cannot take cancels that job (5), not the queue, and leaves
// nothing behind.
void TestPrinting::jobsItCancels()
{
    QFETCH(QString, user);
    QFETCH(QString, prepare);
    QFETCH(QByteArray, said);
    if (user.isEmpty())
        user = me();
    const QString elsewhere = path("elsewhere");
    QVERIFY(QDir().mkpath(elsewhere));
    if (prepare == u"link")
        QVERIFY(QFile::link(elsewhere, QDir(m_spool).filePath(user)));
    QString file = path("page.pdf");
    if (prepare == u"big") {
        file = path("big.pdf");
        QFile big(file);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(101LL * 1024 * 1024));
    }
    const Ran run = backend({QStringLiteral("7"), user, QStringLiteral("Letter"),
                             QStringLiteral("1"), QString(), file});
    QCOMPARE(run.exitCode, 5);
    QVERIFY2(run.err.endsWith(said), run.err.constData());
    QCOMPARE(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden), QStringList());
    if (prepare != u"link")
        QCOMPARE(jobs(user), QStringList());
}

// The job's user, not the one CUPS runs as: the folder and the file are
// that user's, written as that user.
void TestPrinting::jobForAnotherUser()
{
    if (::getuid() != 0)
        QSKIP("only root can act as another user");
    const passwd *daemon = ::getpwnam("daemon");
    QVERIFY(daemon);
    const uid_t uid = daemon->pw_uid;
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    const Ran run = backend({QStringLiteral("8"), QStringLiteral("daemon"),
                             QStringLiteral("Order"), QStringLiteral("1"), QString()},
                            m_pdf);
    QCOMPARE(run.exitCode, 0);
    const QFileInfo folder(QDir(m_spool).filePath(QStringLiteral("daemon")));
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

    click(window, "btnNew");
    QTRY_COMPARE(QDir(printed).entryList(QDir::Files), QStringList());
    QVERIFY(QFile::exists(path("page.pdf"))); // not a printed one
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
