#include "documentfiles.h"
#include "mail/text.h"
#include "outbox/providers.h"
#include "sendcommandfixture.h"

#include <QDir>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

class TestSendCommand : public SendCommandFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { prepare(); }
    void providers_data();
    void providers();
    void providerListOrder();
    void cleansFieldsInPlace();
    void refusals_data();
    void refusals();
    void serverSettingRefused_data();
    void serverSettingRefused();
    void busyRefusesBeforeTouchingAnything();
    void cannotConnectShownInStatusLine();
    void fileSwappedSinceAttached_data();
    void fileSwappedSinceAttached();
    void replaceChar_data();
    void replaceChar();
};

void TestSendCommand::providers_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("fax");
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<QString>("shownTo");
    QTest::addColumn<QString>("message");
    const QString plain = QStringLiteral("Dear Sir,\r\nhello");
    QTest::newRow("TPC.NET") << "TPC.NET"
                             << "Jane Doe "
                             << " 5551234"
                             << "Jane_Doe@5551234.tpc.example"
                             << "Jane_Doe" << plain;
    QTest::newRow("TPC.NET as printed") << "TPC.NET"
                                        << "Jane Doe"
                                        << "0123 456 789"
                                        << "Jane_Doe@0123456789.tpc.example"
                                        << "Jane_Doe" << plain;
    QTest::newRow("FaxMate") << "FaxMate"
                             << "Zo\u00eb M\u00fcller"
                             << "+1 (555) 123-4567"
                             << "Zoe_Muller@15551234567.faxmate.example"
                             << "Zoe_Muller" << plain;
    QTest::newRow("Fax1") << "Fax1"
                          << "Zo\u00eb M\u00fcller"
                          << "030/123-456"
                          << "030123456@fax1.example"
                          << "Zo\u00eb_M\u00fcller" << plain;
    QTest::newRow("AnyFaxAnyWhere") << "AnyFaxAnyWhere"
                                    << "Jane"
                                    << "555.123.4567"
                                    << "5551234567@anyfaxanywhere.example"
                                    << "Jane" << plain;
    QTest::newRow("Faxaway short") << "Faxaway"
                                   << "Jane"
                                   << "5551234"
                                   << "Jane.5551234@faxaway.example"
                                   << "Jane" << plain;
    QTest::newRow("Faxaway cut to 22") << "Faxaway"
                                       << "Bartholomew Fitzgerald Smith"
                                       << "5551234"
                                       << "Bartholomew_Fitzgerald.5551234@faxaway.example"
                                       << "Bartholomew_Fitzgerald_Smith" << plain;
    QTest::newRow("Faxaway cut after cleaning") << "Faxaway"
                                                << "\u00c6r\u00f8 Stra\u00dfe-L\u00fcdenscheidt"
                                                << "5551234"
                                                << "AEro_Strasse-Ludensche.5551234@faxaway.example"
                                                << "AEro_Strasse-Ludenscheidt" << plain;
    QTest::newRow("Faxaway cut ending in a dot") << "Faxaway"
                                                 << "abcdefghijklmnopqrstu.x"
                                                 << "5551234"
                                                 << "abcdefghijklmnopqrstu_.5551234@faxaway.example"
                                                 << "abcdefghijklmnopqrstu.x" << plain;
    QTest::newRow("ClickFax")
        << "ClickFax"
        << "Zo\u00eb M\u00fcller"
        << "5551234"
        << "5551234@clickfax.example"
        << "Zo\u00eb_M\u00fcller"
        << "{nocover=0}\n{compcode=AC-42}\n{to=Zo\u00eb_M\u00fcller}\n{body=Dear Sir,\r\nhello}";
    QTest::newRow("gateway domain typed in") << "fax.gateway-1.example"
                                             << "Jane"
                                             << "(555) 1234"
                                             << "5551234@fax.gateway-1.example"
                                             << "Jane" << plain;
}

void TestSendCommand::providers()
{
    QFETCH(QString, provider);
    QFETCH(QString, to);
    QFETCH(QString, fax);
    QFETCH(QString, recipient);
    QFETCH(QString, shownTo);
    QFETCH(QString, message);
    m_settings.setText(SettingsField::Provider, provider);
    m_doc.setText(DocField::To, to);
    m_doc.setText(DocField::Fax, fax);
    const Addressed sent = press();
    QCOMPARE(sent.request.message.recipient, recipient);
    QCOMPARE(m_doc.text(DocField::To), shownTo);
    QCOMPARE(m_doc.text(DocField::Fax), text::trim(fax)); // as typed, for a later Save
    QCOMPARE(sent.request.message.text, message);
    QCOMPARE(sent.request.message.sender, QStringLiteral("me@example.org"));
    QCOMPARE(sent.request.message.subject, QStringLiteral("Offer"));
    QCOMPARE(sent.request.server, QStringLiteral("smtp.example"));
    QCOMPARE(m_socket->host, QStringLiteral("smtp.example"));
    QCOMPARE(m_status.history, QStringList{QStringLiteral("Sending")});
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
    const Addressed sent = press();
    QCOMPARE(m_doc.text(DocField::To), QStringLiteral("John__Smith"));
    QCOMPARE(m_doc.text(DocField::Fax), QStringLiteral("0123 456"));
    QCOMPARE(sent.request.message.recipient, QStringLiteral("John__Smith@0123456.tpc.example"));
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
    QTest::newRow("digits only")
        << "TPC.NET"
        << "Jane"
        << "555-SALE" << me
        << "Not sent: the fax number may hold only digits, spaces and + - . / ( )";
    QTest::newRow("domain with underscore") << "fax_gw.example"
                                            << "Jane"
                                            << "555" << me << "Unknown provider: fax_gw.example";
    QTest::newRow("domain with empty label") << "fax..example"
                                             << "Jane"
                                             << "555" << me << "Unknown provider: fax..example";
    QTest::newRow("no name for the address")
        << "TPC.NET"
        << ""
        << "555" << me << "Not sent: @555.tpc.example is not an e-mail address";
    QTest::newRow("line break in To")
        << "TPC.NET"
        << "x@y.example>\r\nRCPT TO:<z@evil.example"
        << "" << me << "Not sent: x@y.example>\r\nRCPT_TO:<z@evil.example is not an e-mail address";
    QTest::newRow("nothing in To or Fax")
        << "TPC.NET"
        << "  "
        << "" << me << "Not sent: type an e-mail address in To, or a fax number";
    QTest::newRow("line break in fax")
        << "Fax1"
        << "Jane"
        << "555\nDATA" << me
        << "Not sent: the fax number may hold only digits, spaces and + - . / ( )";
    const QList<QPair<const char *, QString>> senders = {
        {"line break", QStringLiteral("me@x\r\nQUIT")},
        {"empty", QString()},
        {"no domain", QStringLiteral("me")},
        {"bracket", QStringLiteral("me@example.org>")}};
    for (const auto &[what, email] : senders)
        QTest::addRow("sender: %s", what)
            << "Fax1"
            << "Jane"
            << "555" << email << "Not sent: the e-mail address in Settings is not valid";
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
    const Addressed refused = press();
    QCOMPARE(refused.refusal, status);
    QCOMPARE(m_status.history, QStringList{status});
    QCOMPARE(m_socket->connects, 0);
    QVERIFY(!m_outbox->isBusy());
}

void TestSendCommand::serverSettingRefused_data()
{
    QTest::addColumn<QString>("server");
    for (const char *server :
         {"", "http://mail.example", "mail.example:99999", "[::1", "smtps://mail example"})
        QTest::addRow("\"%s\"", server) << QString::fromLatin1(server);
}

void TestSendCommand::serverSettingRefused()
{
    QFETCH(QString, server);
    m_settings.setText(SettingsField::SmtpServer, server);
    m_doc.setText(DocField::To, QStringLiteral("jane@example.org"));
    press();
    QCOMPARE(m_status.text, QStringLiteral("Not sent: the SMTP Server in Settings must be host, "
                                           "host:port, starttls://host[:port] or "
                                           "smtps://host[:port]"));
    QCOMPARE(m_socket->connects, 0);
}

void TestSendCommand::busyRefusesBeforeTouchingAnything()
{
    m_doc.setText(DocField::To, QStringLiteral("first@example.org"));
    press();
    QVERIFY(m_outbox->isBusy());
    m_doc.setText(DocField::To, QStringLiteral(" second one "));
    m_doc.setText(DocField::Fax, QStringLiteral(" 1 "));
    press();
    QCOMPARE(m_socket->connects, 1);
    QCOMPARE(m_doc.text(DocField::To), QStringLiteral(" second one "));
    QCOMPARE(m_doc.text(DocField::Fax), QStringLiteral(" 1 "));
    QCOMPARE(m_status.text, QStringLiteral("The previous message is still being sent."));
    // The first message's exchange goes on with its own recipient.
    m_socket->arrive(QStringLiteral("220 smtp.example\r\n"));
    m_socket->arrive(QStringLiteral("250 smtp.example\r\n"));
    m_socket->takeSent();
    m_socket->arrive(QStringLiteral("250 ok\r\n"));
    QCOMPARE(m_socket->takeSent(), QStringList{QStringLiteral("RCPT TO:<first@example.org>\r\n")});
}

void TestSendCommand::cannotConnectShownInStatusLine()
{
    m_socket->acceptConnect = false;
    m_doc.setText(DocField::To, QStringLiteral("a@b.example"));
    press();
    QCOMPARE(m_status.history, (QStringList{u"Sending"_s, u"Cannot connect to SMTP server"_s}));
}

void TestSendCommand::fileSwappedSinceAttached_data()
{
    QTest::addColumn<QString>("swap");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("another file, the same bytes") << QStringLiteral("copy");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

// What was attached is that file: another put in its place is refused at
// Send, and a FIFO there cannot hold the window.
void TestSendCommand::fileSwappedSinceAttached()
{
    QFETCH(QString, swap);
    const QString path = m_folder->filePath(QStringLiteral("contract.pdf"));
    writeBytes(path, "%PDF-1.4 tiny");
    m_documents = {documentfiles::enclosure(path, "application/pdf")};
    const QDateTime modified = m_documents.first().modified;
    const QString aside = path + QStringLiteral(".old");
    QVERIFY(QFile::rename(path, aside));
    if (swap == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (swap == u"folder")
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY(QFile::copy(aside, path));
    if (swap == u"copy") { // even with the time it had
        QFile copy(path);
        QVERIFY(copy.open(QIODevice::ReadWrite));
        QVERIFY(copy.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    m_doc.setText(DocField::To, QStringLiteral("jane@example.org"));
    const Addressed refused = press();
    QCOMPARE(refused.refusal,
             QStringLiteral("Not sent: contract.pdf has changed since it was attached; attach it again"));
    QCOMPARE(m_socket->connects, 0);
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
