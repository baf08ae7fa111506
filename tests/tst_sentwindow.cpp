#include "documentfiles.h"
#include "sent/reportfolder.h"
#include "sent/sentcopy.h"
#include "sent/sentmodel.h"
#include "shellfixture.h"
#include "smtpcapture.h"
#include "ui/attachmentstrip.h"
#include "ui/frmmain.h"
#include "ui/frmsent.h"
#include "windowdriver.h"

#include <QFileDialog>
#include <QTableView>

// The Sent window over copies kept by real sends: the table, a damaged
// copy, "Send again" with documents whose originals are gone, the
// transmission report read back by pdftotext, and deleting a copy.
class TestSentWindow : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup()
    {
        m_shell.reset();
        m_server.reset();
    }
    void tableShowsEveryCopyNewestFirst();
    void sendAgainAndReport();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deleteTakesTheCopyChosen();
    void noTemporaryFolderTouchesNothing();
    void deliveryShownAndReported();

private:
    frmMain *main() const { return m_shell->mainWindow(); }
    frmSent *openSent()
    {
        triggerMenu(main(), QStringLiteral("Sent..."));
        return main()->findChild<frmSent *>(QStringLiteral("frmSent"));
    }
    // Sends the window's fax to the capture server and waits for it.
    void send()
    {
        click(main(), "btnSend");
        QTRY_COMPARE_WITH_TIMEOUT(shown(main(), "lblStatus"), QStringLiteral("Sent OK."), 10000);
    }
    void fill(const QString &to, const QString &fax, const QString &subject, const QString &text)
    {
        child<QLineEdit>(main(), "txtTo")->setText(to);
        child<QLineEdit>(main(), "txtFax")->setText(fax);
        child<QLineEdit>(main(), "txtSubject")->setText(subject);
        child<QPlainTextEdit>(main(), "txtMessage")->setPlainText(text);
    }

    // Presses Report, saves to `report` and gives the PDF's text.
    QString reportText(frmSent *sent, const QString &report)
    {
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                answer.stop();
                child<QLineEdit>(dialog, "fileNameEdit")->setText(report);
                static_cast<QDialog *>(dialog)->accept();
            }
        });
        answer.start(20);
        click(sent, "cmdReport");
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {report, QStringLiteral("-")});
        pdftotext.waitForFinished(20000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    }

    std::unique_ptr<SmtpCapture> m_server;
    std::unique_ptr<Shell> m_shell;
};

void TestSentWindow::init()
{
    newFolder();
    m_server = std::make_unique<SmtpCapture>();
    QVERIFY2(m_server->start(), qPrintable(m_server->errors()));
    writeBytes(path("qln.db"), settingsBytes({}, "127.0.0.1:" + QByteArray::number(m_server->port),
                                             "joe@example.org", {}));
    m_shell = startShell();
}

void TestSentWindow::tableShowsEveryCopyNewestFirst()
{
    for (const char *subject : {"First", "Second"}) {
        fill(QStringLiteral("Jane Doe"), QStringLiteral("555 1234"), QString::fromLatin1(subject),
             QStringLiteral("Hello"));
        send();
    }
    QDir(path("Sent/cur")).mkpath(QStringLiteral("."));
    writeBytes(path("Sent/cur/0.damaged:2,S"), QByteArrayLiteral("\0\xff no header here"));

    frmSent *sent = openSent();
    QVERIFY(sent && sent->isVisible());
    QCOMPARE(sent->windowTitle(), QStringLiteral("Sent"));
    QAbstractItemModel *table = child<QTableView>(sent, "lstSent")->model();
    QCOMPARE(table->rowCount(), 3);
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers.append(table->headerData(c, Qt::Horizontal).toString());
    QCOMPARE(headers.join(u' '), QStringLiteral("Date To Fax Subject Pages Reply Status"));
    auto cell = [&](int row, int column) { return table->index(row, column).data().toString(); };
    QCOMPARE(cell(0, 3), QStringLiteral("Second"));
    QCOMPARE(cell(1, 3), QStringLiteral("First"));
    QCOMPARE(cell(0, 1), QStringLiteral("Jane Doe")); // as typed, not as addressed
    QCOMPARE(cell(0, 2), QStringLiteral("555 1234"));
    QCOMPARE(cell(0, 5), QStringLiteral("250 Message accepted for delivery"));
    QCOMPARE(cell(0, 6), QStringLiteral("Accepted by the server"));
    QVERIFY(QDateTime::fromString(cell(0, 0), QStringLiteral("yyyy-MM-dd HH:mm")).isValid());
    QVERIFY(cell(2, 3).startsWith(QStringLiteral("This copy cannot be read (damaged)")));

    child<QTableView>(sent, "lstSent")->selectRow(2);
    QVERIFY(!child<QPushButton>(sent, "cmdSendAgain")->isEnabled());
}

// The originals are gone: Send again takes the documents from the copy,
// and the report lists them with their digests.
void TestSentWindow::sendAgainAndReport()
{
    const QString pdf = documentfiles::pdf(path("contract.pdf"), 2);
    const QByteArray original = fileBytes(pdf);
    main()->attach({pdf});
    QTRY_COMPARE(shown(main(), "lblStatus"), QStringLiteral("1 document, 2 pages"));
    fill(QStringLiteral("Jane Doe"), QStringLiteral("0123 456"), QStringLiteral("Office affairs"),
         QStringLiteral("Signed.\nJoe"));
    send();
    QVERIFY(QFile::remove(pdf));

    frmSent *sent = openSent();
    child<QTableView>(sent, "lstSent")->selectRow(0);
    QCOMPARE(shown(sent, "txtSentMessage"), QStringLiteral("Signed.\nJoe"));
    QTRY_COMPARE(child<AttachmentStrip>(sent, "lstSentAttachments")->model()->rowCount(), 1);

    // The report, saved where the file dialog is told.
    const QString report = path("report.pdf");
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            answer.stop();
            QVERIFY(dialog->selectedFiles().first().contains(QStringLiteral("Fax report 20")));
            child<QLineEdit>(dialog, "fileNameEdit")->setText(report);
            static_cast<QDialog *>(dialog)->accept();
        }
    });
    answer.start(20);
    QTRY_VERIFY(child<QPushButton>(sent, "cmdReport")->isEnabled());
    QTRY_VERIFY(!child<AttachmentStrip>(sent, "lstSentAttachments")
                     ->model()
                     ->index(0, 0)
                     .data()
                     .toString()
                     .contains(QStringLiteral("reading")));
    click(sent, "cmdReport");
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {report, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    const QString sha = QString::fromLatin1(
        QCryptographicHash::hash(original, QCryptographicHash::Sha256).toHex());
    for (const QString &expected :
         {QStringLiteral("Transmission report"), QStringLiteral("Quillon " QUILLON_VERSION),
          QStringLiteral("joe@example.org"), QStringLiteral("Jane Doe"), QStringLiteral("0123 456"),
          QStringLiteral("Jane_Doe@0123456.tpc.example"), QStringLiteral("Office affairs"),
          QStringLiteral("250 Message accepted for delivery"), QStringLiteral("contract.pdf, 2 pages"),
          QStringLiteral("Accepted by the mail server; the gateway has not reported delivery."),
          sha.left(32)})
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in ") + text));

    // Send again: a new, unsaved fax as it was typed, the document from the
    // copy.
    const qint16 count = m_shell->files().fax.count();
    click(sent, "cmdSendAgain");
    QCOMPARE(shown(main(), "lblRecNum"), QString::number(count + 1));
    QCOMPARE(shown(main(), "txtTo"), QStringLiteral("Jane Doe"));
    QCOMPARE(shown(main(), "txtFax"), QStringLiteral("0123 456"));
    QCOMPARE(shown(main(), "txtSubject"), QStringLiteral("Office affairs"));
    QCOMPARE(shown(main(), "txtMessage"), QStringLiteral("Signed.\nJoe"));
    QTRY_COMPARE(shown(main(), "lblStatus"), QStringLiteral("1 document, 2 pages"));
    QCOMPARE(m_server->messages().size(), 1); // nothing sent until Send
    send();
    const QJsonObject again = m_server->messages().last()[QStringLiteral("parsed")].toObject();
    QCOMPARE(again[QStringLiteral("attachments")].toArray().first()[QStringLiteral("sha256")].toString(),
             sha);
}

void TestSentWindow::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("Cancel") << "Cancel" << 1;
    QTest::newRow("Delete") << "Delete" << 0;
}

void TestSentWindow::deleteAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(int, left);
    fill(QStringLiteral("jane@example.org"), QString(), QStringLiteral("Note"), QString());
    send();
    frmSent *sent = openSent();
    auto *table = child<QTableView>(sent, "lstSent");
    table->selectRow(0);
    MessageBoxCatcher box(answer);
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(box.text, QStringLiteral("Delete the copy of this fax?"));
    QCOMPARE(box.defaultButton, QStringLiteral("Cancel"));
    QCOMPARE(table->model()->rowCount(), left);
    QCOMPARE(QDir(path("Sent/cur")).entryList(QDir::Files).size(), left);
}

// A Send that ends while the question waits reloads the table: the copy
// deleted is still the one chosen.
void TestSentWindow::deleteTakesTheCopyChosen()
{
    for (const char *subject : {"Older", "Newer"}) {
        fill(QStringLiteral("jane@example.org"), QString(), QString::fromLatin1(subject), QString());
        send();
    }
    frmSent *sent = openSent();
    auto *table = child<QTableView>(sent, "lstSent");
    table->selectRow(1);
    const QStringList before = QDir(path("Sent/cur")).entryList(QDir::Files, QDir::Name);
    QCOMPARE(before.size(), 2);
    MessageBoxCatcher box(QStringLiteral("Delete"));
    box.meanwhile = [&] {
        fill(QStringLiteral("jane@example.org"), QString(), QStringLiteral("Newest"), QString());
        send(); // the Sent window reloads when it ends
    };
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(box.shown, 1);
    const QStringList after = QDir(path("Sent/cur")).entryList(QDir::Files, QDir::Name);
    QCOMPARE(after.size(), 2);
    QVERIFY(!after.contains(before.first())); // the older copy went
    QVERIFY(after.contains(before.last()));
    QCOMPARE(table->model()->rowCount(), 2);
}

// TMPDIR names a file, so no temporary folder can be made: the Sent window
// says so where the text would be, Send again says so in the status line,
// and a folder the working directory happens to hold is left alone.
void TestSentWindow::noTemporaryFolderTouchesNothing()
{
    main()->attach({documentfiles::pdf(path("contract.pdf"), 1)});
    QTRY_COMPARE(shown(main(), "lblStatus"), QStringLiteral("1 document, 1 page"));
    fill(QStringLiteral("jane@example.org"), QString(), QStringLiteral("Contract"), QString());
    send();
    const QString workingBefore = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkpath(QStringLiteral("0")));
    writeBytes(path("0/keep.txt"), "the user's");
    writeBytes(path("not-a-folder"), "");
    const QByteArray tmpBefore = qgetenv("TMPDIR");
    qputenv("TMPDIR", path("not-a-folder").toLocal8Bit());
    auto restore = qScopeGuard([&] {
        qputenv("TMPDIR", tmpBefore);
        QDir::setCurrent(workingBefore);
    });

    frmSent *sent = openSent();
    child<QTableView>(sent, "lstSent")->selectRow(0);
    QVERIFY(shown(sent, "txtSentMessage")
                .startsWith(QStringLiteral("The documents of this copy cannot be shown: no "
                                           "temporary folder")));
    QVERIFY(!child<QPushButton>(sent, "cmdSendAgain")->isEnabled());

    QFile copy(QDir(path("Sent/cur")).filePath(QDir(path("Sent/cur")).entryList(QDir::Files).first()));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    child<QLineEdit>(main(), "txtSubject")->setText(QStringLiteral("typed, not saved"));
    main()->sendAgain(stored::read(copy.readAll()));
    QVERIFY(shown(main(), "lblStatus").startsWith(
        QStringLiteral("The fax cannot be sent again: no temporary folder")));
    QCOMPARE(child<QLineEdit>(main(), "txtSubject")->text(), QStringLiteral("typed, not saved"));
    QCOMPARE(fileBytes(path("0/keep.txt")), QByteArray("the user's"));
}

// A gateway's report kept for a fax: its status in the table, its own
// words below it, and the delivery in the transmission report.
void TestSentWindow::deliveryShownAndReported()
{
    fill(QStringLiteral("Jane Doe"), QStringLiteral("0123 456 789"), QStringLiteral("Order"),
         QStringLiteral("Hello"));
    send();
    SentFolder folder(path("."));
    Delivery d;
    d.state = Delivery::State::Delivered;
    d.proof = Delivery::Proof::Dkim;
    d.pages = 2;
    d.at = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 11));
    d.words = {QStringLiteral("Status: delivered"), QStringLiteral("Pages: 2")};
    d.copy = folder.messages().first();
    QVERIFY(ReportFolder(folder)
                .keep(d, "From: reports@fax1.example\r\nDate: Tue, 08 Dec 2026 14:06:00 +0000\r\n"
                         "Message-ID: <r1@fax1.example>\r\nSubject: Fax report\r\n\r\nStatus: delivered\r\n")
                .isEmpty());

    frmSent *sent = openSent();
    QAbstractItemModel *table = child<QTableView>(sent, "lstSent")->model();
    QCOMPARE(table->index(0, SentModel::Status).data().toString(),
             QStringLiteral("Delivered 14:05, 2 pages"));
    child<QTableView>(sent, "lstSent")->selectRow(0);
    QCOMPARE(shown(sent, "lblDelivery"),
             QStringLiteral("Delivered 14:05, 2 pages (report from reports@fax1.example)\n"
                            "Status: delivered\nPages: 2"));
    QTRY_VERIFY(child<QPushButton>(sent, "cmdReport")->isEnabled());
    const QString text = reportText(sent, path("delivered.pdf"));
    for (const QString &expected :
         {QStringLiteral("Delivered 2026-12-08 14:05, 2 pages, confirmed by the gateway's report of "
                         "2026-12-08"),
          QStringLiteral("from reports@fax1.example (Message-ID <r1@fax1.example>)"),
          QStringLiteral("The gateway's report says: > Status: delivered > Pages: 2")})
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in ") + text));
}

QTEST_MAIN(TestSentWindow)
#include "tst_sentwindow.moc"
