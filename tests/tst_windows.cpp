#include "scriptedserver.h"
#include "shellfixture.h"
#include "ui/frmagreement.h"
#include "ui/frmmain.h"
#include "ui/frmsettings.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>

class TestWindows : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { newFolder(); }
    void agreement();
    void declining_data();
    void declining();
    void markerGoesStraightToMain();
    void geometry_data();
    void geometry();
    void tabOrder();
    void recordButtons();
    void messageLineBreaksAreCrLf();
    void settingsLifecycle();
    void settingsSurviveRestart();
    void endingDoesNotSaveSettings_data();
    void endingDoesNotSaveSettings();
    void aboutNamesTheDataFolder();
};

void TestWindows::agreement()
{
    auto shell = startShell(false);
    QSignalSpy ended(shell.get(), &Shell::ended);
    frmAgreement *agreement = shell->agreementWindow();
    QVERIFY(agreement && agreement->isVisible());
    QVERIFY(!shell->mainWindow()->isVisible());
    QCOMPARE(agreement->windowTitle(), QStringLiteral("Agreement"));
    QVERIFY(QTest::qWaitForWindowActive(agreement));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdYes"));
    QVERIFY(!child<QPlainTextEdit>(agreement, "txtAgreement")->isReadOnly());
    QCOMPARE(QFileInfo(path("faxes.db")).size(), 0);

    click(agreement, "cmdYes");
    QCOMPARE(fileBytes(path("qln.rss")), QByteArray("    "));
    QVERIFY(shell->mainWindow()->isVisible());
    QCOMPARE(shown(shell->mainWindow(), "lblRecNum"), QStringLiteral("1"));
    QTRY_VERIFY(!shell->agreementWindow()); // discarded
    QCOMPARE(ended.count(), 0);
}

void TestWindows::declining_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("I do not agree") << true;
    QTest::newRow("window closed") << false;
}

void TestWindows::declining()
{
    QFETCH(bool, byButton);
    auto shell = startShell(false);
    QSignalSpy ended(shell.get(), &Shell::ended);
    if (byButton)
        click(shell->agreementWindow(), "cmdNo");
    else
        shell->agreementWindow()->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!QFile::exists(path("qln.rss")));
    QVERIFY(!shell->mainWindow()->isVisible());
    QVERIFY(!shell->files().fax.isOpen());
}

void TestWindows::markerGoesStraightToMain()
{
    auto shell = startShell();
    QVERIFY(shell->mainWindow()->isVisible());
    QVERIFY(!shell->agreementWindow());
    QCOMPARE(shell->mainWindow()->windowTitle(), QStringLiteral("Quillon"));
}

void TestWindows::geometry_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    auto row = [](const char *w, const char *c, const char *caption, int l, int t, int wd, int h) {
        QTest::addRow("%s %s", w, c) << QString::fromLatin1(w) << QString::fromLatin1(c)
                                     << QString::fromLatin1(caption) << QRect(l, t, wd, h);
    };
    row("main", "Label1", "To:", 0, 240, 375, 255);
    row("main", "txtTo", "", 720, 240, 3855, 315);
    row("main", "txtFax", "", 720, 720, 3855, 315);
    row("main", "txtSubject", "", 720, 1200, 3855, 315);
    row("main", "Label2", "Fax:", 0, 720, 495, 255);
    row("main", "Label3", "Subject", 0, 1200, 615, 375);
    row("main", "Label4", "Message", 1800, 1680, 1095, 255);
    row("main", "txtMessage", "", 120, 2040, 4455, 2535);
    row("main", "btnSend", "Send", 120, 4680, 615, 375);
    row("main", "lblStatus", "", 960, 4680, 3615, 375);
    row("main", "btnNew", "New", 120, 5160, 615, 375);
    row("main", "btnSave", "Save", 960, 5160, 615, 375);
    row("main", "btnDelete", "Delete", 1800, 5160, 615, 375);
    row("main", "btnPrev", "<", 2880, 5160, 375, 375);
    row("main", "btnNext", ">", 4200, 5160, 375, 375);
    row("main", "lblRecNum", "1", 3360, 5160, 735, 375);
    row("settings", "Label1", "SMTP Server", 120, 240, 1215, 255);
    row("settings", "txtSMTPServer", "", 1560, 120, 3015, 375);
    row("settings", "Label2", "E-mail", 120, 720, 1215, 255);
    row("settings", "txtEmail", "", 1560, 600, 3015, 375);
    row("settings", "Label3", "IFS Provider", 120, 1200, 1215, 375);
    row("settings", "cmbProvider", "TPC.NET", 1560, 1080, 1575, 315);
    row("settings", "Label4", "Activation Cod", 120, 1680, 1215, 495);
    row("settings", "txtAcod", "", 1560, 1560, 3015, 375);
    // Where delivery reports are read, below the rest.
    row("settings", "Label5", "IMAP Server", 120, 2160, 1215, 255);
    row("settings", "txtImapServer", "", 1560, 2040, 3015, 375);
    row("settings", "chkReports", "Watch for delivery reports", 1560, 2520, 3015, 375);
    row("agreement", "cmdYes", "I agree", 960, 7080, 1215, 495);
    row("agreement", "cmdNo", "I do not agree", 5760, 7080, 1215, 495);
    row("agreement", "txtAgreement", "", 600, 720, 6735, 5895);
}

void TestWindows::geometry()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    auto shell = startShell(window == QStringLiteral("agreement") ? false : true);
    frmMain *main = shell->mainWindow();
    if (main->logicalDpiX() != 96)
        QSKIP("the table's pixels hold at 96 dpi");
    if (window == QStringLiteral("settings"))
        triggerMenu(main, QStringLiteral("Settings"));
    QWidget *w = window == QStringLiteral("main") ? static_cast<QWidget *>(main)
                 : window == QStringLiteral("settings")
                     ? static_cast<QWidget *>(main->settingsWindow())
                     : shell->agreementWindow();
    QWidget *c = child(w, control.toLatin1().constData());
    QCOMPARE(c->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    if (auto *b = qobject_cast<QPushButton *>(c)) {
        QCOMPARE(b->text(), caption);
        QVERIFY(!b->isDefault() && !b->autoDefault());
    } else if (auto *l = qobject_cast<QLabel *>(c)) {
        QCOMPARE(l->text().isEmpty() ? QString() : l->text(), caption);
    } else if (auto *check = qobject_cast<QCheckBox *>(c)) {
        QCOMPARE(check->text(), caption);
        QVERIFY(!check->isChecked());
    } else if (auto *cb = qobject_cast<QComboBox *>(c)) {
        QCOMPARE(cb->currentText(), caption);
        QVERIFY(cb->isEditable());
        QStringList items;
        for (int i = 0; i < cb->count(); ++i)
            items.append(cb->itemText(i));
        QCOMPARE(items.join(u','),
                 QStringLiteral("TPC.NET,FaxMate,ClickFax,Faxaway,AnyFaxAnyWhere,Fax1"));
    }

    // Client areas: main 4,680 x 5,700 below its menu, settings 4,680 x 3,090
    // (2,190 and the report settings), agreement 8,190 x 7,785.
    const QSize client =
        window == QStringLiteral("main") ? main->centralWidget()->size() : w->size();
    const QSize expected = window == QStringLiteral("main")       ? QSize(312, 380)
                           : window == QStringLiteral("settings") ? QSize(312, 206)
                                                                  : QSize(546, 519);
    QCOMPARE(client, expected);

    // Where the client areas sit on the screen: main (60, 1,470) twips,
    // settings (5,055, 1,185); the agreement goes where the system puts it.
    if (window != QStringLiteral("agreement")) {
        const QWidget *area = window == QStringLiteral("main") ? main->centralWidget() : w;
        const QPoint at = window == QStringLiteral("main") ? QPoint(4, 98) : QPoint(337, 79);
        QCOMPARE(area->mapToGlobal(QPoint(0, 0)), at);
    }
}

void TestWindows::tabOrder()
{
    auto shell = startShell();
    frmMain *main = shell->mainWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    child(main, "txtTo")->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order.join(u' '), QStringLiteral("txtTo txtFax txtSubject txtMessage btnSend btnNew "
                                              "btnSave btnDelete btnPrev btnNext txtTo"));
}

void TestWindows::recordButtons()
{
    auto shell = startShell();
    frmMain *w = shell->mainWindow();

    // An empty store: record 1 shows blank fields; Save creates it.
    QCOMPARE(shown(w, "txtTo"), QString(50, u' '));
    type(w, "txtTo", QStringLiteral("Alice"));
    type(w, "txtFax", QStringLiteral("111"));
    click(w, "btnSave");
    QCOMPARE(fileBytes(path("faxes.db")), recordBytes("Alice", "111"));

    click(w, "btnNew");
    QCOMPARE(shown(w, "lblRecNum"), QStringLiteral("2"));
    QCOMPARE(shown(w, "txtTo"), QString());
    type(w, "txtTo", QStringLiteral("Bob"));
    click(w, "btnSave");
    click(w, "btnNew");
    type(w, "txtTo", QStringLiteral("Carol"));
    click(w, "btnSave");
    QCOMPARE(fileBytes(path("faxes.db")),
             recordBytes("Alice", "111") + recordBytes("Bob") + recordBytes("Carol"));

    click(w, "btnNext"); // at the last: stays
    QCOMPARE(shown(w, "lblRecNum"), QStringLiteral("3"));
    click(w, "btnPrev");
    click(w, "btnPrev");
    click(w, "btnPrev"); // at the first: stays
    QCOMPARE(shown(w, "lblRecNum"), QStringLiteral("1"));
    QCOMPARE(shown(w, "txtTo"), QStringLiteral("Alice").leftJustified(50));

    click(w, "btnNext");
    click(w, "btnDelete"); // Bob goes; Alice is shown
    QCOMPARE(fileBytes(path("faxes.db")), recordBytes("Alice", "111") + recordBytes("Carol"));
    QCOMPARE(shown(w, "lblRecNum"), QStringLiteral("1"));
    QCOMPARE(shown(w, "txtTo"), QStringLiteral("Alice").leftJustified(50));

    click(w, "btnNew"); // delete right after New removes nothing
    click(w, "btnDelete");
    QCOMPARE(fileBytes(path("faxes.db")), recordBytes("Alice", "111") + recordBytes("Carol"));
    QCOMPARE(shown(w, "lblRecNum"), QStringLiteral("2"));
    QCOMPARE(shown(w, "txtTo"), QStringLiteral("Carol").leftJustified(50));
    QVERIFY(!QFile::exists(path("qln1.db")));
}

void TestWindows::messageLineBreaksAreCrLf()
{
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    QPlainTextEdit *message = child<QPlainTextEdit>(w, "txtMessage");
    message->clear();
    QTest::keyClicks(message, QStringLiteral("first"));
    QTest::keyClick(message, Qt::Key_Return);
    QTest::keyClicks(message, QStringLiteral("second"));
    click(w, "btnSave");
    QCOMPARE(fileBytes(path("faxes.db")).mid(167, 15), QByteArray("first\r\nsecond  "));

    click(w, "btnNext");
    QCOMPARE(message->toPlainText().left(12), QStringLiteral("first\nsecond"));
    QCOMPARE(w->text(DocField::Message).left(13), QStringLiteral("first\r\nsecond"));
}

void TestWindows::settingsLifecycle()
{
    ScriptedServer server;
    QVERIFY(server.listening);
    writeBytes(path("qln.db"),
               settingsBytes({}, "127.0.0.1:" + QByteArray::number(server.server.serverPort()),
                             "me@example.org", {}));
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    type(w, "txtTo", QStringLiteral("Jane"));
    type(w, "txtFax", QStringLiteral("555"));

    triggerMenu(w, QStringLiteral("Settings"));
    QPointer<frmSettings> settings = w->settingsWindow();
    QVERIFY(settings && settings->isVisible());
    for (const char *control : {"txtSMTPServer", "txtEmail", "cmbProvider", "txtAcod", "Label4"})
        QVERIFY2(child(settings, control)->isVisible(), control);
    QCOMPARE(shown(settings, "txtEmail"), QStringLiteral("me@example.org").leftJustified(100));
    triggerMenu(w, QStringLiteral("Settings")); // already shown: the same window
    QCOMPARE(w->settingsWindow(), settings.data());
    QComboBox *provider = child<QComboBox>(settings, "cmbProvider");
    provider->setCurrentText(QStringLiteral("Fax1"));

    click(w, "btnSend");
    QCOMPARE(shown(w, "lblStatus"), QStringLiteral("Sending"));
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("Sent OK."));
    QVERIFY(server.received.contains("RCPT TO:<555@fax1.example>\r\n"));

    settings->close();
    QTRY_VERIFY(!settings);
    click(w, "btnSend"); // the window is made again, provider back to TPC.NET
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("Sent OK."));
    QVERIFY(server.received.contains("RCPT TO:<Jane@555.tpc.example>\r\n"));
    QVERIFY(w->settingsWindow() && !w->settingsWindow()->isVisible());
}

void TestWindows::settingsSurviveRestart()
{
    {
        auto shell = startShell();
        triggerMenu(shell->mainWindow(), QStringLiteral("Settings"));
        frmSettings *settings = shell->mainWindow()->settingsWindow();
        type(settings, "txtSMTPServer", QStringLiteral("mail.example:2525"));
        type(settings, "txtAcod", QString(40, u'a'));
        type(settings, "txtImapServer", QStringLiteral("imap.example:993"));
        auto *reports = child<QCheckBox>(settings, "chkReports");
        reports->click();
        reports->click();
        QTest::keyClick(reports, Qt::Key_Space); // as it stands when closed
        settings->close();
        QCOMPARE(QFileInfo(path("qln.db")).size(), 250);
        // Beside the 250-byte record, for the owner only.
        QCOMPARE(fileMode(path("quillon.ini")), 0600);
        const QByteArray ini = fileBytes(path("quillon.ini"));
        QVERIFY2(ini.contains("imap_server=imap.example:993") && ini.contains("watch=true"),
                 ini.constData());
    }
    auto shell = startShell();
    triggerMenu(shell->mainWindow(), QStringLiteral("Settings"));
    frmSettings *settings = shell->mainWindow()->settingsWindow();
    QCOMPARE(shown(settings, "txtSMTPServer"),
             QStringLiteral("mail.example:2525").leftJustified(100));
    QCOMPARE(shown(settings, "txtAcod"), QString(30, u'a'));
    QCOMPARE(child<QLineEdit>(settings, "txtImapServer")->text(),
             QStringLiteral("imap.example:993"));
    QVERIFY(child<QCheckBox>(settings, "chkReports")->isChecked());
    // A known provider's IMAP server is proposed, never filled in unasked.
    for (const auto &[smtp, imap] :
         {std::pair{"smtp.gmail.com", "imap.gmail.com"},
          {"starttls://smtp.office365.com", "outlook.office365.com"},
          {"smtp.fastmail.com:465", "imap.fastmail.com"},
          {"mail.example.org", "imap.example.org"},
          {"192.0.2.7:587", ""}}) {
        child<QLineEdit>(settings, "txtSMTPServer")->setText(QLatin1StringView(smtp));
        QCOMPARE(child<QLineEdit>(settings, "txtImapServer")->placeholderText(),
                 QLatin1StringView(imap));
    }
    QCOMPARE(child<QLineEdit>(settings, "txtImapServer")->text(),
             QStringLiteral("imap.example:993"));
}

void TestWindows::endingDoesNotSaveSettings_data()
{
    QTest::addColumn<bool>("byExit");
    QTest::newRow("Exit") << true;
    QTest::newRow("main window closed") << false;
}

void TestWindows::endingDoesNotSaveSettings()
{
    QFETCH(bool, byExit);
    const QByteArray before = QByteArray(250, 's');
    writeBytes(path("qln.db"), before);
    auto shell = startShell();
    QSignalSpy ended(shell.get(), &Shell::ended);
    frmMain *w = shell->mainWindow();
    triggerMenu(w, QStringLiteral("Settings"));
    type(w->settingsWindow(), "txtEmail", QStringLiteral("changed@example.org"));
    if (byExit)
        triggerMenu(w, QStringLiteral("Exit"));
    else
        w->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!shell->files().fax.isOpen());
    QVERIFY(!shell->files().settings.isOpen());
    shell.reset();
    QCOMPARE(fileBytes(path("qln.db")), before);
}

void TestWindows::aboutNamesTheDataFolder()
{
    auto shell = startShell();
    MessageBoxCatcher box;
    triggerMenu(shell->mainWindow(), QStringLiteral("About"));
    QVERIFY(box.title.startsWith(QStringLiteral("About Quillon")));
    QVERIFY2(box.text.endsWith(QDir::toNativeSeparators(m_dir->path())), qPrintable(box.text));
    QVERIFY(box.text.contains(QStringLiteral(QUILLON_VERSION)));
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
