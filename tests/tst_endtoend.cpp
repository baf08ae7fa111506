#include "fakes.h"
#include "fakesend.h"
#include "sendcommand.h"
#include "smtpsession.h"
#include "tcpsmtpsocket.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#ifndef SMTP_CAPTURE_SCRIPT
#error SMTP_CAPTURE_SCRIPT must name tests/smtp_capture.py
#endif

// Sends through the Send command and the real socket to aiosmtpd, an SMTP
// server written by others, and checks what it received.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void faxArrivesAsTyped();

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    quint16 m_port = 0;
};

void TestEndToEnd::initTestCase()
{
    m_server.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(SMTP_CAPTURE_SCRIPT), m_dir.filePath(QStringLiteral("mail.jsonl"))});
    QVERIFY2(m_server.waitForStarted(), "cannot start /usr/bin/python3");
    QVERIFY2(m_server.waitForReadyRead(20000),
             qPrintable(QString::fromLocal8Bit(m_server.readAllStandardError())));
    m_port = quint16(m_server.readLine().trimmed().toUInt());
    QVERIFY(m_port > 0);
}

void TestEndToEnd::cleanupTestCase()
{
    m_server.closeWriteChannel();
    if (!m_server.waitForFinished(5000))
        m_server.kill();
}

void TestEndToEnd::faxArrivesAsTyped()
{
    FakeDocument doc;
    FakeSettings settings;
    FakeStatus status;
    FakeMessageBox box;
    TcpSmtpSocket socket;
    SendParams params;
    QString statusText;
    SmtpSession session(socket, params, statusText, status, box);
    QSignalSpy finished(&session, &SmtpSession::finished);

    settings.setText(SettingsField::SmtpServer, QStringLiteral("127.0.0.1:%1").arg(m_port));
    settings.setText(SettingsField::Email, QStringLiteral("joe@example.org"));
    settings.setText(SettingsField::Provider, QStringLiteral("Fax1"));
    doc.setText(DocField::To, QStringLiteral("Jane Doe"));
    doc.setText(DocField::Fax, QStringLiteral("5551234"));
    doc.setText(DocField::Subject, QStringLiteral("Quote \u20ac 100"));
    doc.setText(DocField::Message, QStringLiteral("Attn:Sales\r\nPrice: 100 \u20ac\r\n.\r\n..two dots\r\n"
                                                  "last line"));
    sendCommand(doc, settings, status, params, statusText, session);
    QVERIFY(finished.wait(10000));
    QCOMPARE(status.text, QStringLiteral("Sent OK."));

    QFile mail(m_dir.filePath(QStringLiteral("mail.jsonl")));
    QVERIFY(mail.open(QIODevice::ReadOnly));
    const QJsonObject got = QJsonDocument::fromJson(mail.readLine()).object();
    QCOMPARE(got[QStringLiteral("helo")].toString(), QStringLiteral("joe"));
    QCOMPARE(got[QStringLiteral("mail_from")].toString(), QStringLiteral("joe@example.org"));
    QCOMPARE(got[QStringLiteral("rcpt_tos")].toArray().toVariantList(),
             QVariantList{QStringLiteral("5551234@fax1.example")});
    // The server holds the lines as typed, the € as its Windows-1252 byte.
    QCOMPARE(got[QStringLiteral("content")].toString(),
             QStringLiteral("Subject:Quote \u0080 100\r\nTo:5551234@fax1.example\r\n\r\n"
                            "Attn:Sales\r\nPrice: 100 \u0080\r\n.\r\n..two dots\r\nlast line\r\n"));
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
