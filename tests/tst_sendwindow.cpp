#include "scriptedserver.h"
#include "shellfixture.h"
#include "smtpcapture.h"
#include "ui/frmmain.h"
#include "ui/frmsettings.h"
#include "windowdriver.h"

#include <QComboBox>

// Sending from the main window: what the user sees of it.
class TestSendWindow : public ShellFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { newFolder(); }
    void socketErrorShowsMessageBox();
    void serverReplyShownAsPlainText();
    void sendFromTheWindow();
};

void TestSendWindow::socketErrorShowsMessageBox()
{
    quint16 port;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    writeBytes(path("qln.db"),
               settingsBytes({}, "127.0.0.1:" + QByteArray::number(port), "me@example.org", {}));
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    type(w, "txtTo", QStringLiteral("someone@example.org"));
    type(w, "txtFax", QString());
    MessageBoxCatcher box;
    click(w, "btnSend");
    QTRY_COMPARE(shown(w, "lblStatus"), QStringLiteral("SMTP Error: Connection refused"));
    QCOMPARE(box.title, QStringLiteral("Winsock Error"));
    QCOMPARE(box.text, QStringLiteral("Winsock Error number 10061\r\nConnection refused"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.format, Qt::PlainText);
}

void TestSendWindow::serverReplyShownAsPlainText()
{
    ScriptedServer server;
    QVERIFY(server.listening);
    server.failStep = 3;
    server.action = ScriptedServer::Action::Reply;
    server.reply = "550 <b>no</b> <img src=\"/etc/passwd\">";
    writeBytes(path("qln.db"),
               settingsBytes({}, "127.0.0.1:" + QByteArray::number(server.server.serverPort()),
                             "me@example.org", {}));
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    type(w, "txtTo", QStringLiteral("someone@example.org"));
    type(w, "txtFax", QString());
    click(w, "btnSend");
    const QString refusal =
        QStringLiteral("SMTP Error: 550 <b>no</b> <img src=\"/etc/passwd\">\r\n");
    QTRY_COMPARE(shown(w, "lblStatus"), refusal);
    QCOMPARE(child<QLabel>(w, "lblStatus")->textFormat(), Qt::PlainText);
    // The tooltip's rich-text engine would load the image: it gets the text
    // escaped.
    const QString tip = child<QLabel>(w, "lblStatus")->toolTip();
    QVERIFY2(tip.contains(QStringLiteral("&lt;img src=\"/etc/passwd\"&gt;")),
             qPrintable(tip));
    QVERIFY(!tip.contains(QStringLiteral("<img")) && !tip.contains(QStringLiteral("<b>")));
}

void TestSendWindow::sendFromTheWindow()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    auto shell = startShell();
    frmMain *w = shell->mainWindow();
    triggerMenu(w, QStringLiteral("Settings"));
    frmSettings *settings = w->settingsWindow();
    type(settings, "txtSMTPServer", QStringLiteral("127.0.0.1:%1").arg(server.port));
    type(settings, "txtEmail", QStringLiteral("me@example.org"));
    child<QComboBox>(settings, "cmbProvider")->setCurrentText(QStringLiteral("ClickFax"));
    type(settings, "txtAcod", QStringLiteral(" 42 "));
    type(w, "txtTo", QStringLiteral("Jane Doe"));
    type(w, "txtFax", QStringLiteral(" 5551234"));
    type(w, "txtSubject", QStringLiteral("Hello"));
    QPlainTextEdit *message = child<QPlainTextEdit>(w, "txtMessage");
    message->setPlainText(QStringLiteral("Dear Jane,\n.\nBye"));
    click(w, "btnSend");
    QCOMPARE(shown(w, "txtTo"), QStringLiteral("Jane_Doe"));
    QCOMPARE(shown(w, "txtFax"), QStringLiteral("5551234"));
    QTRY_COMPARE_WITH_TIMEOUT(shown(w, "lblStatus"), QStringLiteral("Sent OK."), 10000);

    QCOMPARE(server.messages().size(), 1);
    const QJsonObject got = server.messages().first();
    QCOMPARE(got[QStringLiteral("rcpt_tos")].toArray().first().toString(),
             QStringLiteral("5551234@clickfax.example"));
    const QJsonObject parsed = got[QStringLiteral("parsed")].toObject();
    QCOMPARE(parsed[QStringLiteral("subject")].toString(), QStringLiteral("Hello"));
    QCOMPARE(parsed[QStringLiteral("body")].toString(),
             QStringLiteral("{nocover=0}\r\n{compcode=42}\r\n{to=Jane_Doe}\r\n{body=Dear Jane,\r\n"
                            ".\r\nBye}\r\n"));
}

QTEST_MAIN(TestSendWindow)
#include "tst_sendwindow.moc"
