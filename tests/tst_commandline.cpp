#include "app/instance.h"
#include "documentfiles.h"
#include "scriptedserver.h"
#include "shellfixture.h"
#include "smtpcapture.h"
#include "ui/frmmain.h"
#include "windowdriver.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

// Quillon from a shell: wrong use, --help and --version; --send against a
// real SMTP server, with no display, beside a running Quillon on the same
// folder; and the fields of a new fax handed to the running window.
class TestCommandLine : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void wrongUse_data();
    void wrongUse();
    void helpAndVersion();
    void sendWithoutADisplay();
    void refusedSend_data();
    void refusedSend();
    void sendBesideARunningQuillon();
    void fieldsHandedToTheWindow();
    void waitForAReportThatCannotBeRead();

private:
    // The program, copied into the data folder so that it keeps its files
    // there; run with `arguments` and standard input `in`, without a
    // display, or with the offscreen one for a window.
    struct Run
    {
        int exitCode = -1;
        QString out, err;
    };
    Run quillon(const QStringList &arguments, const QByteArray &in = {}, bool window = false,
                const QStringList &environment = {})
    {
        const QString copy = path("quillon");
        if (!QFile::exists(copy) && !QFile::copy(QStringLiteral(QUILLON_BINARY), copy))
            qFatal("cannot copy the program");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1StringView(name));
        if (window)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const QString &variable : environment)
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_dir->path());
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(copy, arguments);
        process.write(in);
        process.closeWriteChannel();
        // The event loop runs meanwhile: a scripted server may be answering.
        if (!finished.wait(60000))
            process.kill();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    void settings(quint16 port)
    {
        writeBytes(path("qln.db"), settingsBytes({}, "127.0.0.1:" + QByteArray::number(port),
                                                 "joe@example.org", "AC-42"));
        writeBytes(path("qln.rss"), "    ");
    }
    QStringList copies() const
    {
        return QDir(m_dir->filePath(QStringLiteral("Sent/cur"))).entryList(QDir::Files);
    }
};

void TestCommandLine::init()
{
    newFolder();
}

void TestCommandLine::wrongUse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")}
                                    << "quillon: Unknown option 'frobnicate'.";
    QTest::newRow("option without its value") << QStringList{QStringLiteral("--send"),
                                                             QStringLiteral("--to")}
                                              << "quillon: Missing value after '--to'.";
    QTest::newRow("two messages") << QStringList{QStringLiteral("--send"),
                                                 QStringLiteral("--message=a"),
                                                 QStringLiteral("--message-file=-")}
                                  << "quillon: Give --message or --message-file, not both.";
    QTest::newRow("message file missing")
        << QStringList{QStringLiteral("--send"), QStringLiteral("--message-file=/nonexistent/m")}
        << "quillon: Cannot read /nonexistent/m: No such file or directory";
    QTest::newRow("no minutes to wait")
        << QStringList{QStringLiteral("--send"), QStringLiteral("--wait-report=0")}
        << "quillon: --wait-report takes minutes, from 1 to 2880.";
    QTest::newRow("waiting without sending")
        << QStringList{QStringLiteral("--wait-report=5")}
        << "quillon: --wait-report goes with --send.";
}

// Wrong use ends with 2 and says why, before anything is opened or sent.
void TestCommandLine::wrongUse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    const Run run = quillon(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(said + u'\n'), qPrintable(run.err));
    QVERIFY2(run.err.endsWith(QStringLiteral("\nTry 'quillon --help'.\n")), qPrintable(run.err));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("quillon")});
    // In the user's language, the hint and the help's names too.
    const QStringList german{QStringLiteral("LANG=de_DE.UTF-8"), QStringLiteral("LANGUAGE=de")};
    QVERIFY(!quillon(arguments, {}, false, german).err.contains(QStringLiteral("Try ")));
    QVERIFY(!quillon({QStringLiteral("--help")}, {}, false, german).out.contains(QStringLiteral("  files ")));
}

void TestCommandLine::helpAndVersion()
{
    const Run help = quillon({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *option : {"--send", "--to <NAME>", "--fax <NUMBER>", "--subject <TEXT>",
                               "--message <TEXT>", "--message-file <PATH>", "--provider <NAME>",
                               "--wait-report <MINUTES>", "--version", "[FILE...]"})
        QVERIFY2(help.out.contains(QLatin1StringView(option)), option);
    // Offered by --help: it prints, with Qt's own options, and opens no
    // window (here: no display to open one on).
    QVERIFY(help.out.contains(QStringLiteral("--help-all")));
    const Run all = quillon({QStringLiteral("--help-all")});
    QCOMPARE(all.exitCode, 0);
    QVERIFY2(all.out.contains(QStringLiteral("--send")), qPrintable(all.out));
    const Run version = quillon({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("Quillon " QUILLON_VERSION "\n"));
}

// From cron or ssh: no display, the message on standard input, a document;
// the same message and Sent copy as from the window, and no document file.
void TestCommandLine::sendWithoutADisplay()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    settings(server.port);
    const QString pdf = documentfiles::pdf(path("Invoice 2027.pdf"), 2);
    const Run run = quillon({QStringLiteral("--send"), QStringLiteral("--to"),
                             QStringLiteral("Jane Doe"), QStringLiteral("--fax"),
                             QStringLiteral("+1 (555) 123-4567"), QStringLiteral("--provider"),
                             QStringLiteral("Fax1"), QStringLiteral("--subject"),
                             QStringLiteral("Invoice 2027"), QStringLiteral("--message-file"),
                             QStringLiteral("-"), pdf},
                            "Dear Jane,\nthe invoice.\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(server.messages().size(), 1);
    const QJsonObject parsed = server.messages().first()[QStringLiteral("parsed")].toObject();
    QCOMPARE(parsed[QStringLiteral("to")].toString(), QStringLiteral("15551234567@fax1.example"));
    QCOMPARE(parsed[QStringLiteral("subject")].toString(), QStringLiteral("Invoice 2027"));
    QCOMPARE(parsed[QStringLiteral("attachments")].toArray().size(), 1);
    QCOMPARE(copies().size(), 1);
    const QByteArray copy = fileBytes(m_dir->filePath(QStringLiteral("Sent/cur/")) + copies().first());
    QVERIFY(copy.contains("\r\nX-Quillon-Fax: +1 (555) 123-4567\r\n"));
    QVERIFY(copy.contains("\r\nX-Quillon-Pages: 2\r\n"));
    QVERIFY(!QFile::exists(path("faxes.db")));
    QVERIFY(!QFile::exists(path("quillon.lock")));
}

void TestCommandLine::refusedSend_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said");
    QTest::newRow("the server refuses the message")
        << QStringList{QStringLiteral("--to"), QStringLiteral("jane@example.org")}
        << "quillon: SMTP Error: 554 5.7.1 rejected\n";
    QTest::newRow("not a fax number")
        << QStringList{QStringLiteral("--to"), QStringLiteral("Jane"), QStringLiteral("--fax"),
                       QStringLiteral("555-SALE")}
        << "quillon: Not sent: the fax number may hold only digits, spaces and + - . / ( )\n";
    QTest::newRow("not a document")
        << QStringList{QStringLiteral("--to"), QStringLiteral("jane@example.org"),
                       QStringLiteral("letter.txt")}
        << "quillon: Not attached: letter.txt is not a PDF, TIFF, PNG or JPEG file\n";
    QTest::newRow("a report to wait for, but no IMAP server set")
        << QStringList{QStringLiteral("--to"), QStringLiteral("jane@example.org"),
                       QStringLiteral("--wait-report"), QStringLiteral("10")}
        << "quillon: Not sent: --wait-report needs the IMAP server in Settings and \"Watch for "
           "delivery reports\" checked\n";
}

// Refused or not sent: 1, and standard error says what the status line
// would; nothing is kept.
void TestCommandLine::refusedSend()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    ScriptedServer server;
    QVERIFY(server.listening);
    server.failStep = 5; // the final dot
    server.action = ScriptedServer::Action::Reply;
    server.reply = "554 5.7.1 rejected";
    settings(server.server.serverPort());
    writeBytes(path("letter.txt"), "Dear Jane,\n");
    const Run run = quillon(QStringList{QStringLiteral("--send")} + arguments);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, said);
    QCOMPARE(copies(), QStringList());
}

// A Quillon holds the folder: --send takes neither its lock nor its socket
// and leaves the document file as it was; the window goes on.
void TestCommandLine::sendBesideARunningQuillon()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    settings(server.port);
    const QByteArray records = recordBytes("Jane") + recordBytes("Joe");
    writeBytes(path("faxes.db"), records);
    Instance running(m_dir->path());
    QString error;
    QCOMPARE(running.claim({}, error), Instance::Role::First);
    auto shell = startShell();
    QSignalSpy handed(&running, &Instance::handedOver);

    const Run run = quillon({QStringLiteral("--send"), QStringLiteral("--to"),
                             QStringLiteral("jane@example.org"), QStringLiteral("--message"),
                             QStringLiteral("Hello")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(handed.size(), 0);
    QCOMPARE(fileBytes(path("faxes.db")), records);
    QCOMPARE(shown(shell->mainWindow(), "lblRecNum"), QStringLiteral("1"));
}

// Fields on the command line of a second start: a new, unsaved fax in the
// running window, with the document attached.
void TestCommandLine::fieldsHandedToTheWindow()
{
    const QByteArray records = recordBytes("Jane");
    writeBytes(path("faxes.db"), records);
    Instance running(m_dir->path());
    QString error;
    QCOMPARE(running.claim({}, error), Instance::Role::First);
    auto shell = startShell();
    connect(&running, &Instance::handedOver, shell.get(), &Shell::open);
    const QString pdf = documentfiles::pdf(path("offer.pdf"), 1);

    const Run run = quillon({QStringLiteral("--to"), QStringLiteral("Bob Roe"),
                             QStringLiteral("--fax"), QStringLiteral("030 1234567"),
                             QStringLiteral("--subject"), QStringLiteral("Offer"),
                             QStringLiteral("--message"), QStringLiteral("Dear Bob,\nthe offer."),
                             pdf},
                            {}, true);
    QCOMPARE(run.exitCode, 0);
    frmMain *window = shell->mainWindow();
    QTRY_COMPARE(shown(window, "lblStatus"), QStringLiteral("1 document, 1 page"));
    QCOMPARE(child<QLineEdit>(window, "txtTo")->text(), QStringLiteral("Bob Roe"));
    QCOMPARE(child<QLineEdit>(window, "txtFax")->text(), QStringLiteral("030 1234567"));
    QCOMPARE(child<QLineEdit>(window, "txtSubject")->text(), QStringLiteral("Offer"));
    QCOMPARE(window->text(DocField::Message), QStringLiteral("Dear Bob,\r\nthe offer."));
    QCOMPARE(shown(window, "lblRecNum"), QStringLiteral("2")); // new, not yet saved
    QCOMPARE(fileBytes(path("faxes.db")), records);
}

// --wait-report after a fax went: the reports cannot be read (the IMAP
// server's certificate does not hold), so standard error says why and the
// exit status says no report came; the fax itself was sent and kept.
void TestCommandLine::waitForAReportThatCannotBeRead()
{
    QTemporaryDir certs;
    QVERIFY(QProcess::execute(QStringLiteral("bash"),
                              {QStringLiteral(MAKE_CERTS_SCRIPT), certs.path()}) == 0);
    SmtpCapture server, untrusted;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    QVERIFY(untrusted.start({QStringLiteral("--tls"), certs.filePath(QStringLiteral("server.pem")),
                             certs.filePath(QStringLiteral("server.key"))}));
    settings(server.port);
    writeBytes(path("quillon.ini"),
               "[reports]\nimap_server=imaps://127.0.0.1:" + QByteArray::number(untrusted.port) +
                   "\nwatch=true\n");
    const Run run = quillon({QStringLiteral("--send"), QStringLiteral("--to"), QStringLiteral("Jane"),
                             QStringLiteral("--fax"), QStringLiteral("555 123 4567"),
                             QStringLiteral("--provider"), QStringLiteral("Fax1"),
                             QStringLiteral("--message"), QStringLiteral("Hi"),
                             QStringLiteral("--wait-report"), QStringLiteral("1")});
    QCOMPARE(run.exitCode, 4);
    QVERIFY2(run.err.startsWith(QStringLiteral("quillon: Delivery reports cannot be read: cannot "
                                               "set up a secure connection to the IMAP server: ")),
             qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(copies().size(), 1);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
