#include "fakes.h"
#include "fakesend.h"
#include "providers.h"
#include "sendcommand.h"
#include "sendparams.h"
#include "smtpsession.h"
#include "text.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestSendCommand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void providers_data();
    void providers();
    void providerListOrder();
    void cleansFieldsInPlace();
    void plainEmail();
    void refusals_data();
    void refusals();
    void busyRefusesBeforeTouchingAnything();
    void cannotConnectShownInStatusLine();
    void replaceChar_data();
    void replaceChar();

private:
    void press() { sendCommand(m_doc, m_settings, m_status, m_params, m_statusText, *m_session); }

    FakeDocument m_doc;
    FakeSettings m_settings;
    FakeStatus m_status;
    FakeMessageBox m_box;
    FakeSocket m_socket;
    SendParams m_params;
    QString m_statusText;
    std::unique_ptr<SmtpSession> m_session;
};

void TestSendCommand::init()
{
    m_doc = FakeDocument();
    m_settings = FakeSettings();
    m_status = FakeStatus();
    m_socket.connects = 0;
    m_socket.acceptConnect = true;
    m_params = SendParams();
    m_statusText = QStringLiteral("left from before");
    m_session = std::make_unique<SmtpSession>(m_socket, m_params, m_statusText, m_status, m_box);
    m_settings.setText(SettingsField::SmtpServer, QStringLiteral("  smtp.example  "));
    m_settings.setText(SettingsField::Email, QStringLiteral(" me@example.org "));
    m_settings.setText(SettingsField::Acod, QStringLiteral("  AC-42  "));
    m_settings.setText(SettingsField::Provider, QStringLiteral("TPC.NET"));
    m_doc.setText(DocField::Subject, QStringLiteral("  Offer "));
    m_doc.setText(DocField::Message, QStringLiteral(" Dear Sir,\r\nhello "));
}

void TestSendCommand::providers_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("message");
    const QString plain = QStringLiteral("Dear Sir,\r\nhello");
    QTest::newRow("TPC.NET") << "TPC.NET"
                             << "Jane Doe "
                             << "Jane_Doe@5551234.tpc.example" << plain;
    QTest::newRow("FaxMate") << "FaxMate"
                             << "Jane"
                             << "Jane@5551234.faxmate.example" << plain;
    QTest::newRow("Fax1") << "Fax1"
                          << "Jane"
                          << "5551234@fax1.example" << plain;
    QTest::newRow("AnyFaxAnyWhere") << "AnyFaxAnyWhere"
                                    << "Jane"
                                    << "5551234@anyfaxanywhere.example" << plain;
    QTest::newRow("Faxaway short") << "Faxaway"
                                   << "Jane"
                                   << "Jane.5551234@faxaway.example" << plain;
    QTest::newRow("Faxaway cut to 22") << "Faxaway"
                                       << "Bartholomew Fitzgerald Smith"
                                       << "Bartholomew_Fitzgerald.5551234@faxaway.example" << plain;
    QTest::newRow("ClickFax")
        << "ClickFax"
        << "Jane"
        << "5551234@clickfax.example"
        << "{nocover=0}\n{compcode=AC-42}\n{to=Jane}\n{body=Dear Sir,\r\nhello}";
    QTest::newRow("gateway domain typed in") << "fax.gateway.example"
                                             << "Jane"
                                             << "5551234@fax.gateway.example" << plain;
}

void TestSendCommand::providers()
{
    QFETCH(QString, provider);
    QFETCH(QString, to);
    QFETCH(QString, recipient);
    QFETCH(QString, message);
    m_settings.setText(SettingsField::Provider, provider);
    m_doc.setText(DocField::To, to);
    m_doc.setText(DocField::Fax, QStringLiteral(" 5551234"));
    press();
    QCOMPARE(m_params.recipient, recipient);
    QCOMPARE(m_params.message, message);
    QCOMPARE(m_params.sender, QStringLiteral("me@example.org"));
    QCOMPARE(m_params.subject, QStringLiteral("Offer"));
    QCOMPARE(m_params.smtpServer, QStringLiteral("smtp.example"));
    QCOMPARE(m_socket.host, QStringLiteral("smtp.example"));
    QCOMPARE(m_status.text, QStringLiteral("Sending"));
    QCOMPARE(m_statusText, QString());
}

void TestSendCommand::providerListOrder()
{
    QStringList names;
    for (const providers::Row &row : providers::table()) {
        names.append(row.name);
        QVERIFY(row.gateway.endsWith(QStringLiteral(".example")));
    }
    QCOMPARE(names, (QStringList{u"TPC.NET"_s, u"FaxMate"_s, u"ClickFax"_s, u"Faxaway"_s,
                                 u"AnyFaxAnyWhere"_s, u"Fax1"_s}));
}

void TestSendCommand::cleansFieldsInPlace()
{
    m_doc.setText(DocField::To, QStringLiteral("  John  Smith "));
    m_doc.setText(DocField::Fax, QStringLiteral(" 0123 456 "));
    press();
    QCOMPARE(m_doc.text(DocField::To), QStringLiteral("John__Smith"));
    QCOMPARE(m_doc.text(DocField::Fax), QStringLiteral("0123 456"));
    QCOMPARE(m_params.recipient, QStringLiteral("John__Smith@0123 456.tpc.example"));
}

void TestSendCommand::plainEmail()
{
    m_settings.setText(SettingsField::Provider, QStringLiteral("nonsense"));
    m_doc.setText(DocField::To, QStringLiteral(" friend @example.org"));
    m_doc.setText(DocField::Fax, QStringLiteral("   "));
    press();
    QCOMPARE(m_params.recipient, QStringLiteral("friend_@example.org"));
    QCOMPARE(m_doc.text(DocField::Fax), QString());
    QCOMPARE(m_socket.connects, 1);
}

void TestSendCommand::refusals_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("fax");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("status");
    const QString me = QStringLiteral("me@example.org");
    QTest::newRow("case matters") << "faxmate"
                                  << "Jane"
                                  << "555" << me << "Unknown provider: faxmate";
    QTest::newRow("untrimmed name") << "Fax1 "
                                    << "Jane"
                                    << "555" << me << "Unknown provider: Fax1 ";
    QTest::newRow("no dot") << "MyFax"
                            << "Jane"
                            << "555" << me << "Unknown provider: MyFax";
    QTest::newRow("dot and space") << "my fax.example"
                                   << "Jane"
                                   << "555" << me << "Unknown provider: my fax.example";
    QTest::newRow("empty provider") << ""
                                    << "Jane"
                                    << "555" << me << "Unknown provider: ";
    QTest::newRow("line break in To")
        << "TPC.NET"
        << "x@y.example>\r\nRCPT TO:<z@evil.example"
        << "" << me << "Not sent: the recipient address contains a line break.";
    QTest::newRow("line break in fax")
        << "Fax1"
        << "Jane"
        << "555\nDATA" << me << "Not sent: the recipient address contains a line break.";
    QTest::newRow("line break in sender")
        << "Fax1"
        << "Jane"
        << "555"
        << "me@x\r\nQUIT"
        << "Not sent: the e-mail address in Settings contains a line break.";
}

void TestSendCommand::refusals()
{
    QFETCH(QString, provider);
    QFETCH(QString, to);
    QFETCH(QString, fax);
    QFETCH(QString, email);
    QFETCH(QString, status);
    m_settings.setText(SettingsField::Provider, provider);
    m_settings.setText(SettingsField::Email, email);
    m_doc.setText(DocField::To, to);
    m_doc.setText(DocField::Fax, fax);
    press();
    QCOMPARE(m_status.text, status);
    QCOMPARE(m_statusText, status);
    QCOMPARE(m_socket.connects, 0);
    QCOMPARE(m_params.recipient, QString());
}

void TestSendCommand::busyRefusesBeforeTouchingAnything()
{
    m_doc.setText(DocField::To, QStringLiteral("first"));
    press();
    QVERIFY(m_session->isBusy());
    const SendParams running = m_params;
    m_doc.setText(DocField::To, QStringLiteral(" second one "));
    m_doc.setText(DocField::Fax, QStringLiteral(" 1 "));
    press();
    QCOMPARE(m_socket.connects, 1);
    QCOMPARE(m_doc.text(DocField::To), QStringLiteral(" second one "));
    QCOMPARE(m_doc.text(DocField::Fax), QStringLiteral(" 1 "));
    QCOMPARE(m_params.recipient, running.recipient);
    QCOMPARE(m_status.text, QStringLiteral("The previous message is still being sent."));
}

void TestSendCommand::cannotConnectShownInStatusLine()
{
    m_socket.acceptConnect = false;
    m_doc.setText(DocField::To, QStringLiteral("a@b.example"));
    press();
    QCOMPARE(m_status.history, (QStringList{u"Sending"_s, u"Cannot connect to SMTP server"_s}));
}

void TestSendCommand::replaceChar_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("none") << "abc"
                          << "abc";
    QTest::newRow("one") << "a b"
                         << "a_b";
    QTest::newRow("runs and ends") << "  a  b  "
                                   << "__a__b__";
    QTest::newRow("empty") << ""
                           << "";
}

void TestSendCommand::replaceChar()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(text::replaceChar(in, QStringLiteral(" "), QStringLiteral("_")), out);
    QCOMPARE(text::replaceChar(in, QStringLiteral(" "), QStringLiteral("<->")),
             QString(in).replace(u' ', QStringLiteral("<->")));
}

QTEST_GUILESS_MAIN(TestSendCommand)
#include "tst_sendcommand.moc"
