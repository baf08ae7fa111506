#include "fakes.h"
#include "fakesend.h"
#include "sendcommand.h"
#include "smtpsession.h"
#include "tcpsmtpsocket.h"

#include "smtpcapture.h"

#include <QSignalSpy>
#include <QTest>

// Sends through the Send command and the real socket to aiosmtpd, an SMTP
// server written by others, and checks what it received.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void faxArrivesAsTyped();
    void numberAndNameAsPeopleTypeThem();
};

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
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));

    settings.setText(SettingsField::SmtpServer, QStringLiteral("127.0.0.1:%1").arg(server.port));
    settings.setText(SettingsField::Email, QStringLiteral("joe@example.org"));
    settings.setText(SettingsField::Provider, QStringLiteral("Fax1"));
    doc.setText(DocField::To, QStringLiteral("Jane Doe"));
    doc.setText(DocField::Fax, QStringLiteral("5551234"));
    doc.setText(DocField::Subject, QStringLiteral("Quote \u20ac 100"));
    doc.setText(DocField::Message,
                QStringLiteral("Attn:Sales\r\nPrice: 100 \u20ac\r\n.\r\n..two dots\r\n"
                               "last line"));
    sendCommand(doc, settings, status, params, statusText, session);
    QVERIFY(finished.wait(10000));
    QCOMPARE(status.text, QStringLiteral("Sent OK."));

    QCOMPARE(server.messages().size(), 1);
    const QJsonObject got = server.messages().first();
    QCOMPARE(got[QStringLiteral("helo")].toString(), QStringLiteral("joe"));
    QCOMPARE(got[QStringLiteral("mail_from")].toString(), QStringLiteral("joe@example.org"));
    QCOMPARE(got[QStringLiteral("rcpt_tos")].toArray().toVariantList(),
             QVariantList{QStringLiteral("5551234@fax1.example")});
    // The server holds the lines as typed, the € as its Windows-1252 byte.
    QCOMPARE(got[QStringLiteral("content")].toString(),
             QStringLiteral("Subject:Quote \u0080 100\r\nTo:5551234@fax1.example\r\n\r\n"
                            "Attn:Sales\r\nPrice: 100 \u0080\r\n.\r\n..two dots\r\nlast line\r\n"));
}

// A number as printed and a name with accents make an address the server
// takes as it is.
void TestEndToEnd::numberAndNameAsPeopleTypeThem()
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
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));

    settings.setText(SettingsField::SmtpServer, QStringLiteral("127.0.0.1:%1").arg(server.port));
    settings.setText(SettingsField::Email, QStringLiteral("joe@example.org"));
    settings.setText(SettingsField::Provider, QStringLiteral("TPC.NET"));
    doc.setText(DocField::To, QStringLiteral("Zo\u00eb M\u00fcller"));
    doc.setText(DocField::Fax, QStringLiteral("+1 (555) 123-4567"));
    doc.setText(DocField::Message, QStringLiteral("Hello"));
    sendCommand(doc, settings, status, params, statusText, session);
    QVERIFY(finished.wait(10000));
    QCOMPARE(status.text, QStringLiteral("Sent OK."));
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(server.messages().first()[QStringLiteral("rcpt_tos")].toArray().toVariantList(),
             QVariantList{QStringLiteral("Zoe_Muller@15551234567.tpc.example")});
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
