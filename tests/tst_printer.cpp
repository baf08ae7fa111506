#include "documentfiles.h"
#include "print/printspool.h"
#include "privatecupsd.h"
#include "shellfixture.h"
#include "ui/frmmain.h"
#include "windowdriver.h"

#include <QDir>

#include <unistd.h>

// Printing to the "Quillon" printer of a real cupsd, with CUPS's own
// filters: a PDF, a text file and a PostScript file each reach the running
// window's strip as a PDF; a job printed while Quillon is closed waits for
// its next start; another user's job goes to that user, whatever user
// name it claims, and a raw job nowhere; a title that names a path is
// only a name.
class TestPrinter : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup()
    {
        m_shell.reset();
        qunsetenv("QUILLON_SPOOL");
    }
    void printedFromAnyProgram();
    void jobWaitsForTheNextStart();

private:
    frmMain *window() const { return m_shell->mainWindow(); }

    PrivateCupsd m_cupsd;
    std::unique_ptr<Shell> m_shell;
};

void TestPrinter::initTestCase()
{
    if (::getuid() != 0)
        QSKIP("CUPS runs the backend as root only when cupsd is root's");
    const QString error = m_cupsd.start(QStringLiteral(CUPS_BACKEND), QStringLiteral(QUILLON_PPD));
    QVERIFY2(error.isEmpty(), qPrintable(error + m_cupsd.log()));
}

void TestPrinter::init()
{
    newFolder();
    qputenv("QUILLON_SPOOL", QFile::encodeName(m_cupsd.spool()));
}

void TestPrinter::printedFromAnyProgram()
{
    m_shell = startShell();
    const QString pdf = documentfiles::pdf(path("Contract.pdf"), 2);
    writeBytes(path("letter.txt"), "Dear Jane,\nthe contract is attached.\n");
    writeBytes(path("note.ps"), "%!PS\n/Courier findfont 12 scalefont setfont\n"
                                "72 720 moveto (A note) show showpage\n");
    QVERIFY(m_cupsd.print(pdf, QStringLiteral("Contract 2027")));
    QTRY_COMPARE_WITH_TIMEOUT(shown(window(), "lblStatus"), QStringLiteral("1 document, 2 pages"),
                              30000);
    QVERIFY(m_cupsd.print(path("letter.txt"), QStringLiteral("Letter")));
    QTRY_COMPARE_WITH_TIMEOUT(shown(window(), "lblStatus"), QStringLiteral("2 documents, 3 pages"),
                              30000);
    QVERIFY(m_cupsd.print(path("note.ps"), QStringLiteral("../../note")));
    QTRY_COMPARE_WITH_TIMEOUT(shown(window(), "lblStatus"), QStringLiteral("3 documents, 4 pages"),
                              30000);
    QStringList printed = QDir(PrintSpool::printedFolder(m_dir->path())).entryList(QDir::Files);
    printed.sort();
    QCOMPARE(printed, (QStringList{QStringLiteral("Contract 2027.pdf"), QStringLiteral("Letter.pdf"),
                                   QStringLiteral("note.pdf")}));
    for (const QString &name : printed)
        QVERIFY(fileBytes(QDir(PrintSpool::printedFolder(m_dir->path())).filePath(name))
                    .startsWith("%PDF-"));

    // Another user's job is that user's, not this window's, whatever name
    // it claims; a raw job is no one's.
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    QVERIFY(m_cupsd.print(path("letter.txt"), QStringLiteral("Theirs"), QStringLiteral("nobody")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_cupsd.spool() + QStringLiteral("/nobody/Theirs.pdf")),
                             30000);
    // CUPS refuses the claim, or the job is the claimant's.
    m_cupsd.print(path("letter.txt"), QStringLiteral("Claimed"), QStringLiteral("nobody"),
                  QStringLiteral("root"));
    m_cupsd.print(path("letter.txt"), QStringLiteral("Raw"), QStringLiteral("nobody"), {},
                  {QStringLiteral("raw")});
    QVERIFY(m_cupsd.print(path("letter.txt"), QStringLiteral("Last")));
    QTRY_COMPARE_WITH_TIMEOUT(shown(window(), "lblStatus"), QStringLiteral("4 documents, 5 pages"),
                              30000);
    QVERIFY(!QFile::exists(PrintSpool::printedFolder(m_dir->path()) + QStringLiteral("/Claimed.pdf")));
    QVERIFY(!QFile::exists(m_cupsd.spool() + QStringLiteral("/nobody/Raw.pdf")));
    QTRY_VERIFY_WITH_TIMEOUT(m_cupsd.log().contains(QStringLiteral("raw jobs are not taken")), 30000);
}

void TestPrinter::jobWaitsForTheNextStart()
{
    QVERIFY(m_cupsd.print(documentfiles::pdf(path("Waiting.pdf"), 1), QStringLiteral("Waiting")));
    const QString mine = PrintSpool::userFolder();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mine + QStringLiteral("/Waiting.pdf")), 30000);
    m_shell = startShell();
    QTRY_COMPARE(shown(window(), "lblStatus"), QStringLiteral("1 document, 1 page"));
    QVERIFY(!QFile::exists(mine + QStringLiteral("/Waiting.pdf")));
}

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
