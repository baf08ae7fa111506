#include "app/instance.h"
#include "documentfiles.h"
#include "shellfixture.h"
#include "smtpcapture.h"
#include "ui/attachmentstrip.h"
#include "ui/frmagreement.h"
#include "ui/frmmain.h"
#include "windowdriver.h"

#include <QFileDialog>
#include <QMimeData>
#include <QSignalSpy>

#include <csignal>

#ifndef QUILLON_BINARY
#error QUILLON_BINARY must name the built program
#endif

// Attaching documents the ways a user does: the menu, a drop from a file
// manager, the command line and a second start; the strip, the preview,
// and what becomes of the documents.
class TestAttachWindow : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void menuAttachesSeveralFiles();
    void droppedFilesAreAttached_data();
    void droppedFilesAreAttached();
    void refusalsAreTold();
    void previewShowsEveryPage();
    void keptBySendGoneWithTheRecord();
    void commandLineWaitsForTheAgreement();
    void secondStartHandsOver();
    void crashedRunsLockIsTakenOver();

private:
    // A program of its own in the folder, whose data folder is the test's.
    QString program()
    {
        const QString copy = path("quillon");
        if (!QFile::exists(copy) && !QFile::copy(QStringLiteral(QUILLON_BINARY), copy))
            qFatal("cannot copy the program");
        return copy;
    }
    QProcessEnvironment offscreen() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    QString m_pdf, m_png, m_text;
};

void TestAttachWindow::init()
{
    newFolder();
    m_pdf = documentfiles::pdf(path("contract.pdf"), 3);
    m_png = documentfiles::png(path("stamp.png"));
    m_text = path("notes.txt");
    writeBytes(m_text, "Dear Sir,\n");
    QVERIFY(!m_pdf.isEmpty() && !m_png.isEmpty());
}

void TestAttachWindow::menuAttachesSeveralFiles()
{
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    QStringList entries;
    for (QAction *a : child<QMenu>(w, "mnuMenu")->actions())
        entries.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries.join(u' '), QStringLiteral("About Settings Attach... Sent... - Exit"));
    const QSize before = w->size();
    QVERIFY(!w->findChild<QWidget *>(QStringLiteral("lstAttachments"))); // made when needed

    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            answer.stop();
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
            // Typed into the dialog, as a user picks two files.
            dialog->setDirectory(m_dir->path());
            child<QLineEdit>(dialog, "fileNameEdit")
                ->setText(QStringLiteral("\"contract.pdf\" \"stamp.png\""));
            static_cast<QDialog *>(dialog)->accept();
        }
    });
    answer.start(20);
    triggerMenu(w, QStringLiteral("Attach..."));
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("2 documents, 4 pages"));
    auto *strip = child<AttachmentStrip>(w, "lstAttachments");
    QVERIFY(strip->isVisible());
    QVERIFY(w->height() > before.height());
    QVERIFY(strip->geometry().bottom() < w->centralWidget()->height());
    QVERIFY(strip->model()
                ->index(0, 0)
                .data()
                .toString()
                .startsWith(QStringLiteral("contract.pdf, 3 pages, ")));

    // Delete takes one off, the context menu's Remove the other.
    QTRY_VERIFY(!strip->visualRect(strip->model()->index(1, 0)).isEmpty()); // laid out
    strip->setCurrentIndex(strip->model()->index(1, 0));
    QTest::keyClick(strip, Qt::Key_Delete);
    QCOMPARE(shown(w, "lblStatus"), QStringLiteral("1 document, 3 pages"));
    QTimer remove;
    connect(&remove, &QTimer::timeout, this, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            remove.stop();
            menu->actions().first()->trigger();
            menu->close();
        }
    });
    remove.start(20);
    const QPoint at = strip->visualRect(strip->model()->index(0, 0)).center();
    QContextMenuEvent context(QContextMenuEvent::Mouse, at, strip->viewport()->mapToGlobal(at));
    QApplication::sendEvent(strip->viewport(), &context);
    QCOMPARE(shown(w, "lblStatus"), QString());
    QVERIFY(!strip->isVisible());
    QCOMPARE(w->size(), before); // as drawn, with nothing attached
    QVERIFY(QFile::exists(m_pdf) && QFile::exists(m_png));
}

void TestAttachWindow::droppedFilesAreAttached_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("onto the window") << "frmMain";
    QTest::newRow("onto the message") << "txtMessage";
    QTest::newRow("onto To") << "txtTo";
}

// A file manager's text/uri-list: attached, and no text box takes the
// file's name as text.
void TestAttachWindow::droppedFilesAreAttached()
{
    QFETCH(QString, target);
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    QWidget *onto = target == QStringLiteral("frmMain") ? w : child(w, qPrintable(target));
    if (auto *text = qobject_cast<QPlainTextEdit *>(onto))
        onto = text->viewport();
    const QString before = shown(w, "txtMessage");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_pdf), QUrl::fromLocalFile(m_png)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(onto, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(onto, &drop);
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("2 documents, 4 pages"));
    QCOMPARE(shown(w, "txtMessage"), before);
    QVERIFY(!shown(w, "txtTo").contains(QStringLiteral("file:")));
}

void TestAttachWindow::refusalsAreTold()
{
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    w->attach({m_text});
    QTRY_COMPARE(shown(w, "lblStatus"),
                 QStringLiteral("Not attached: notes.txt is not a PDF, TIFF, PNG or JPEG file"));
    QVERIFY(!child(w, "lstAttachments")->isVisible());

    MessageBoxCatcher box;
    w->attach({m_pdf, m_text, path("gone.pdf")});
    QTRY_VERIFY(box.shown == 1);
    QCOMPARE(box.text,
             QStringLiteral("Not attached: notes.txt is not a PDF, TIFF, PNG or JPEG file\n"
                            "Not attached: gone.pdf cannot be read: No such file or directory"));
    QCOMPARE(shown(w, "lblStatus"), QStringLiteral("1 document, 3 pages"));
}

void TestAttachWindow::previewShowsEveryPage()
{
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    w->attach({m_pdf});
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("1 document, 3 pages"));
    auto *strip = child<AttachmentStrip>(w, "lstAttachments");
    QTRY_VERIFY(!strip->visualRect(strip->model()->index(0, 0)).isEmpty()); // laid out
    const QRect entry = strip->visualRect(strip->model()->index(0, 0));
    QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, entry.center());
    QTest::mouseDClick(strip->viewport(), Qt::LeftButton, {}, entry.center());
    QWidget *preview = nullptr;
    QTRY_VERIFY((preview = w->findChild<QWidget *>(QStringLiteral("frmPreview"))));
    QCOMPARE(preview->windowTitle(), QStringLiteral("contract.pdf"));
    auto *pages = child<QListView>(preview, "lstPages");
    QCOMPARE(pages->model()->rowCount(), 3);
    QTRY_VERIFY(!pages->model()->index(0, 0).data(Qt::DecorationRole).value<QImage>().isNull());
    preview->close();
}

// A Send keeps the documents, like the text; the record buttons take them
// off the window, never touching the files.
void TestAttachWindow::keptBySendGoneWithTheRecord()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    writeBytes(path("qln.db"),
               settingsBytes({}, "127.0.0.1:" + QByteArray::number(server.port), "me@example.org", {}));
    writeBytes(path("faxes.db"), recordBytes("Jane") + recordBytes("Joe"));
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    type(w, "txtTo", QStringLiteral("jane@example.org"));
    type(w, "txtFax", QString());
    w->attach({m_pdf});
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("1 document, 3 pages"));
    click(w, "btnSend");
    QTRY_COMPARE_WITH_TIMEOUT(shown(w, "lblStatus"), QStringLiteral("Sent OK."), 10000);
    QCOMPARE(server.messages().size(), 1);
    const QJsonArray sent = server.messages()
                                .first()[QStringLiteral("parsed")]
                                .toObject()[QStringLiteral("attachments")]
                                .toArray();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.first()[QStringLiteral("filename")].toString(), QStringLiteral("contract.pdf"));
    QVERIFY(child(w, "lstAttachments")->isVisible());

    for (const char *button : {"btnNext", "btnPrev", "btnNew"}) {
        w->attach({m_png});
        QTRY_VERIFY(child(w, "lstAttachments")->isVisible());
        click(w, button);
        QVERIFY2(!child(w, "lstAttachments")->isVisible(), button);
    }
    QVERIFY(QFile::exists(m_pdf) && QFile::exists(m_png));
}

void TestAttachWindow::commandLineWaitsForTheAgreement()
{
    auto shell = startShell(false);
    shell->openFiles(Shell::filesFromArguments({QUrl::fromLocalFile(m_pdf).toString()}));
    QVERIFY(!shell->mainWindow()->isVisible());
    click(shell->agreementWindow(), "cmdYes");
    QTRY_COMPARE(shown(shell->mainWindow(), "lblStatus"), QStringLiteral("1 document, 3 pages"));
}

// The scenario that lost documents: a second Quillon on the same folder.
// It now hands its file to the first and ends, never opening the store.
void TestAttachWindow::secondStartHandsOver()
{
    const QByteArray records = recordBytes("Jane") + recordBytes("Joe");
    writeBytes(path("faxes.db"), records);
    Instance first(m_dir->path());
    QString error;
    QCOMPARE(first.claim({}, error), Instance::Role::First);
    auto shell = startShell();
    connect(&first, &Instance::handedOver, shell.get(), &Shell::open);

    QProcess second;
    second.setProcessEnvironment(offscreen());
    second.start(program(), {m_pdf});
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(shown(shell->mainWindow(), "lblStatus"), QStringLiteral("1 document, 3 pages"));
    QCOMPARE(fileBytes(path("faxes.db")), records);
    QVERIFY(!QFile::exists(path("qln1.db")));

    // A copy of Quillon with another data folder runs on its own.
    QTemporaryDir elsewhere;
    Instance other(elsewhere.path());
    QCOMPARE(other.claim({}, error), Instance::Role::First);
}

void TestAttachWindow::crashedRunsLockIsTakenOver()
{
    writeBytes(path("qln.rss"), "    ");
    QProcess crashed;
    crashed.setProcessEnvironment(offscreen());
    crashed.start(program());
    QVERIFY(crashed.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path("quillon.lock")), 20000);
    QTest::qWait(500); // listening
    ::kill(pid_t(crashed.processId()), SIGKILL);
    QVERIFY(crashed.waitForFinished());
    QVERIFY(QFile::exists(path("quillon.lock")));
    Instance next(m_dir->path());
    QString error;
    QCOMPARE(next.claim({}, error), Instance::Role::First);
}

QTEST_MAIN(TestAttachWindow)
#include "tst_attachwindow.moc"
