#include "mail/text.h"
#include "sendcommandfixture.h"

// Fax numbers, names and addresses as people type them, and what the Send
// command makes of them: the address on the wire and what the window shows.
class TestAddresses : public SendCommandFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { prepare(); }
    void faxNumbers_data();
    void faxNumbers();
    void namesInAddresses_data();
    void namesInAddresses();
    void plainEmail_data();
    void plainEmail();
};

void TestAddresses::faxNumbers_data()
{
    QTest::addColumn<QString>("fax");
    QTest::addColumn<QString>("recipient"); // empty: refused
    QTest::newRow("spaces") << "0123 456 789"
                            << "0123456789@fax1.example";
    QTest::newRow("plus, brackets, dash") << "+1 (555) 123-4567"
                                          << "15551234567@fax1.example";
    QTest::newRow("slash") << "030/123-456"
                           << "030123456@fax1.example";
    QTest::newRow("dots") << "555.123.4567"
                          << "5551234567@fax1.example";
    QTest::newRow("plus after spaces") << "  +44 20 7946 0000"
                                       << "442079460000@fax1.example";
    QTest::newRow("letters") << "555-FAX-NOW"
                             << "";
    QTest::newRow("at sign") << "555@evil.example"
                             << "";
    QTest::newRow("second plus") << "+1 +555"
                                 << "";
    QTest::newRow("plus inside") << "555+1"
                                 << "";
    QTest::newRow("line break") << "555\nDATA"
                                << "";
    QTest::newRow("tab") << "555\t1"
                         << "";
    QTest::newRow("no digit") << "+ (-) / ."
                              << "";
    QTest::newRow("other digits") << "\uff15\uff15\uff15"
                                  << "";
}

void TestAddresses::faxNumbers()
{
    QFETCH(QString, fax);
    QFETCH(QString, recipient);
    m_settings.setText(SettingsField::Provider, QStringLiteral("Fax1"));
    m_doc.setText(DocField::To, QStringLiteral("Jane"));
    m_doc.setText(DocField::Fax, fax);
    const Addressed sent = press();
    QCOMPARE(m_doc.text(DocField::Fax), text::trim(fax));
    if (recipient.isEmpty()) {
        QCOMPARE(m_status.text,
                 QStringLiteral(
                     "Not sent: the fax number may hold only digits, spaces and + - . / ( )"));
        QCOMPARE(m_socket->connects, 0);
    } else {
        QCOMPARE(sent.request.message.recipient, recipient);
        QCOMPARE(m_socket->connects, 1);
    }
}

void TestAddresses::namesInAddresses_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("localPart");
    QTest::newRow("accents") << "Zo\u00eb M\u00fcller"
                             << "Zoe_Muller";
    QTest::newRow("accent typed apart") << "Zoe\u0308"
                                        << "Zoe";
    QTest::newRow("letters without accents to drop")
        << "Wei\u00df \u00c6r\u00f8 \u0141\u00f3d\u017a \u00deor"
        << "Weiss_AEro_Lodz_Thor";
    QTest::newRow("every atext special") << "a!#$%&'*+-/=?^_`{|}~b"
                                         << "a!#$%&'*+-/=?^_`{|}~b";
    QTest::newRow("specials an address cannot hold") << "a(b)c,d;e:f<g>h@i[j]k\"l\\m"
                                                     << "a_b_c_d_e_f_g_h_i_j_k_l_m";
    QTest::newRow("line break") << "Jane\r\nRCPT TO:<x@evil.example>"
                                << "Jane__RCPT_TO__x_evil.example_";
    QTest::newRow("dots at the ends and doubled") << ".J..R. Doe."
                                                  << "_J._R._Doe_";
    QTest::newRow("other scripts and emoji") << "\u0418\u0432\u0430\u043d \U0001F600"
                                             << "______";
    QTest::newRow("cut to 64") << QString(70, u'x') << QString(64, u'x');
}

void TestAddresses::namesInAddresses()
{
    QFETCH(QString, to);
    QFETCH(QString, localPart);
    m_doc.setText(DocField::To, to);
    m_doc.setText(DocField::Fax, QStringLiteral("555"));
    const Addressed sent = press();
    QCOMPARE(m_doc.text(DocField::To), localPart);
    QCOMPARE(sent.request.message.recipient, localPart + QStringLiteral("@555.tpc.example"));
    QCOMPARE(m_status.text, QStringLiteral("Sending"));
}

void TestAddresses::plainEmail_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("recipient"); // empty: refused
    QTest::newRow("plain") << " jane@example.org "
                           << "jane@example.org";
    QTest::newRow("dots, plus, apostrophe") << "o'brien.j+fax@mail.example.co.uk"
                                            << "o'brien.j+fax@mail.example.co.uk";
    QTest::newRow("space becomes underscore") << "friend @example.org"
                                              << "friend_@example.org";
    QTest::newRow("no domain") << "jane"
                               << "";
    QTest::newRow("no dot in domain") << "jane@localhost"
                                      << "";
    QTest::newRow("two at signs") << "jane@@example.org"
                                  << "";
    QTest::newRow("8-bit") << "j\u00e4ne@example.org"
                           << "";
    QTest::newRow("space in domain") << "jane@exa mple.org"
                                     << "";
    QTest::newRow("dot at end of local part") << "jane.@example.org"
                                              << "";
    QTest::newRow("empty label") << "jane@example..org"
                                 << "";
    QTest::newRow("angle brackets") << "<jane@example.org>"
                                    << "";
    QTest::newRow("local part over 64") << QString(65, u'j') + QStringLiteral("@example.org") << "";
}

void TestAddresses::plainEmail()
{
    QFETCH(QString, to);
    QFETCH(QString, recipient);
    m_settings.setText(SettingsField::Provider, QStringLiteral("nonsense"));
    m_doc.setText(DocField::To, to);
    m_doc.setText(DocField::Fax, QStringLiteral("   "));
    const Addressed sent = press();
    QCOMPARE(m_doc.text(DocField::Fax), QString());
    if (recipient.isEmpty()) {
        const QString shown = m_doc.text(DocField::To);
        QCOMPARE(m_status.text, QStringLiteral("Not sent: ") + shown +
                                    QStringLiteral(" is not an e-mail address"));
        QCOMPARE(m_socket->connects, 0);
    } else {
        QCOMPARE(sent.request.message.recipient, recipient);
        QCOMPARE(m_doc.text(DocField::To), recipient);
        QCOMPARE(m_socket->connects, 1);
    }
}

QTEST_GUILESS_MAIN(TestAddresses)
#include "tst_addresses.moc"
