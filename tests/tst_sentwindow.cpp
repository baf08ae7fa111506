#include "documentfiles.h"
#include "sent/sentcopy.h"
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
    QCOMPARE(headers.join(u' '), QStringLiteral("Date To Fax Subject Pages Reply"));
    auto cell = [&](int row, int column) { return table->index(row, column).data().toString(); };
    QCOMPARE(cell(0, 3), QStringLiteral("Second"));
    QCOMPARE(cell(1, 3), QStringLiteral("First"));
    QCOMPARE(cell(0, 1), QStringLiteral("Jane Doe")); // as typed, not as addressed
    QCOMPARE(cell(0, 2), QStringLiteral("555 1234"));
    QCOMPARE(cell(0, 5), QStringLiteral("250 Message accepted for delivery"));
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

QTEST_MAIN(TestSentWindow)
#include "tst_sentwindow.moc"
