#include "documentfiles.h"
#include "fakes.h"
#include "outbox/providers.h"
#include "realsender.h"
#include "scriptedserver.h"
#include "sent/sentcopy.h"
#include "sent/storedmessage.h"
#include "smtpcapture.h"

#include <QDir>
#include <QTest>

// The copy of every fax a server took: in the Sent Maildir, byte for byte
// what the server got after the trace fields, read by mail programs and
// read back by Quillon; nothing kept of a refused fax, and a copy that
// cannot be kept changes nothing about the Send.
class TestSentFolder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void copyIsWhatTheServerGot_data();
    void copyIsWhatTheServerGot();
    void refusedFaxIsNotKept();
    void folderThatCannotBeWritten();
    void interruptedCopyLeavesNoPart();
    void headerBeyondTheCapIsDamaged();

private:
    QString sentPath(const char *part) const
    {
        return QDir(m_dir->filePath(QStringLiteral("Sent"))).filePath(QLatin1StringView(part));
    }
    QStringList copies() const { return QDir(sentPath("cur")).entryList(QDir::Files); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSentFolder::copyIsWhatTheServerGot_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("fax");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("withPdf");
    QTest::newRow("a fax") << QStringLiteral("Fax1") << QStringLiteral("555 1234")
                           << QStringLiteral("Dear Jane,\r\n.\r\nthe offer.") << false;
    QTest::newRow("ClickFax, its lines taken away again")
        << QStringLiteral("ClickFax") << QStringLiteral("+1 (555) 123-4567")
        << QStringLiteral("Za\u017c\u00f3\u0142\u0107, \u20ac 5") << false;
    QTest::newRow("an e-mail with a document")
        << QString() << QString() << QStringLiteral("The contract.") << true;
}

void TestSentFolder::copyIsWhatTheServerGot()
{
    QFETCH(QString, provider);
    QFETCH(QString, fax);
    QFETCH(QString, text);
    QFETCH(bool, withPdf);
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    RealSender sender({}, {}, nullptr, m_dir->path());
    QList<Enclosure> files;
    if (withPdf)
        files.append(documentfiles::enclosure(
            documentfiles::pdf(m_dir->filePath(QStringLiteral("contract.pdf")), 2), "application/pdf"));
    const QString to = fax.isEmpty() ? QStringLiteral("jane@example.org") : QStringLiteral("Jane Doe");
    if (!provider.isEmpty())
        sender.provider = provider;
    QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port), to, fax,
                         QStringLiteral("Offer"), text, files, withPdf ? 2 : 0),
             QStringLiteral("Sent OK."));

    QCOMPARE(copies().size(), 1);
    QCOMPARE(QDir(sentPath("tmp")).entryList(QDir::Files), QStringList()); // no spool left
    QVERIFY(copies().first().endsWith(QStringLiteral(":2,S")));
    QCOMPARE(fileMode(sentPath("cur") + u'/' + copies().first()), 0600);
    QCOMPARE(fileMode(m_dir->filePath(QStringLiteral("Sent"))), 0700);
    const QByteArray kept = fileBytes(sentPath("cur") + u'/' + copies().first());
    const QByteArray received =
        server.messages().first()[QStringLiteral("content")].toString().toLatin1();
    const qsizetype traceEnd = kept.indexOf("\r\nSubject: ") + 2;
    QCOMPARE(kept.mid(traceEnd), received);
    const QByteArray trace = kept.left(traceEnd);
    QVERIFY2(trace.contains("X-Quillon-Server: 127.0.0.1:" + QByteArray::number(server.port) +
                            ", no encryption\r\n"),
             trace.constData());
    QVERIFY(trace.contains("X-Quillon-Reply: 250 Message accepted for delivery\r\n"));
    QVERIFY(!trace.contains(sender.prompt.user.toUtf8() + "secret"));

    // Read back as the Sent window does, and as a mail program does.
    stored::Message back = stored::read(kept);
    QCOMPARE(back.summary.to, to);
    QCOMPARE(back.summary.fax, fax);
    QCOMPARE(back.summary.subject, QStringLiteral("Offer"));
    QCOMPARE(back.summary.reply, QStringLiteral("250 Message accepted for delivery"));
    QCOMPARE(providers::typedMessage(back.summary.provider, back.text), text);
    QCOMPARE(back.files.size(), files.size());
    if (withPdf)
        QCOMPARE(back.files.first().bytes, fileBytes(files.first().path));
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import mailbox, sys\n"
                                 "for m in mailbox.Maildir(sys.argv[1], create=False):\n"
                                 "    print(m['Subject'], m['X-Quillon-Reply'], m.get_flags())"),
                  m_dir->filePath(QStringLiteral("Sent"))});
    QVERIFY(python.waitForFinished(20000));
    QCOMPARE(python.readAllStandardOutput(), QByteArray("Offer 250 Message accepted for delivery S\n"));
}

void TestSentFolder::refusedFaxIsNotKept()
{
    ScriptedServer server;
    server.failStep = 5; // the final dot
    server.action = ScriptedServer::Action::Reply;
    server.reply = "554 5.7.1 rejected";
    RealSender sender({}, {}, nullptr, m_dir->path());
    QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.server.serverPort()),
                         QStringLiteral("Jane"), QStringLiteral("555"), QStringLiteral("Offer"),
                         QStringLiteral("text")),
             QStringLiteral("SMTP Error: 554 5.7.1 rejected\r\n"));
    QCOMPARE(copies(), QStringList());
    QCOMPARE(QDir(sentPath("tmp")).entryList(QDir::Files), QStringList());
}

// The fax went: the status says so, and why no copy was kept.
void TestSentFolder::folderThatCannotBeWritten()
{
    writeBytes(m_dir->filePath(QStringLiteral("Sent")), "not a folder");
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    RealSender sender({}, {}, nullptr, m_dir->path());
    QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port), QStringLiteral("Jane"),
                         QStringLiteral("555"), QStringLiteral("Offer"), QStringLiteral("text")),
             QStringLiteral("Sent OK. (no copy kept: cannot make %1: Not a directory)")
                 .arg(sentPath("tmp")));
    QCOMPARE(server.messages().size(), 1);
}

// Whichever step of keeping the copy fails (the power cut, the kill -9),
// cur/ holds the whole copy or none. What tmp/ may keep, mail programs
// never read, and Quillon removes after 36 hours.
void TestSentFolder::interruptedCopyLeavesNoPart()
{
    const QByteArray message = "Subject: Offer\r\n\r\n" + QByteArray(100'000, 'x') + "\r\n";
    for (int n = 1;; ++n) {
        QDir(m_dir->filePath(QStringLiteral("Sent"))).removeRecursively();
        FailingFileSystem fs;
        SentFolder folder(m_dir->path(), fs);
        SentCopy copy(folder);
        copy.begin();
        copy.write(QByteArrayView(message).first(50'000));
        copy.write(QByteArrayView(message).sliced(50'000));
        fs.calls = 0;
        fs.failAt = n;
        const QString notKept = copy.taken(QStringLiteral("250 ok\r\n"),
                                           QStringLiteral("mail.example:25"),
                                           QStringLiteral("no encryption"));
        fs.failAt = 0;
        const QString step = QStringLiteral("step %1: %2").arg(n).arg(notKept);
        if (notKept.isEmpty()) {
            QCOMPARE(copies().size(), 1);
            QVERIFY(fileBytes(sentPath("cur") + u'/' + copies().first()).endsWith(message));
            if (fs.calls < n)
                break; // every step succeeded
        } else {
            QVERIFY2(copies().isEmpty(), qPrintable(step));
        }
    }
}

// A crafted copy of a 4 MB header of unfinished encoded-words: read at
// once as damaged, not decoded to its end on the window's thread.
void TestSentFolder::headerBeyondTheCapIsDamaged()
{
    const QByteArray crafted =
        "Subject: " + QByteArray("=?a?Q?x").repeated(4 * 1024 * 1024 / 7) + "\r\n\r\ntext\r\n";
    QVERIFY(stored::read(crafted).summary.damaged);
    QVERIFY(!stored::readSummary(crafted).subject.isEmpty());
    const QByteArray justUnder = "Subject: " + QByteArray(stored::MaxHeader - 13, 'x') + "\r\n\r\nok";
    QVERIFY(!stored::read(justUnder).summary.damaged);
    QCOMPARE(stored::read(justUnder).text, QStringLiteral("ok"));
}

QTEST_MAIN(TestSentFolder)
#include "tst_sentfolder.moc"
