#include "realsender.h"
#include "smtpcapture.h"
#include "spamcheck.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTest>

namespace {

QString field(const QJsonObject &message, const char *name)
{
    return message[QStringLiteral("parsed")].toObject()[QLatin1StringView(name)].toString();
}

} // namespace

// Sends through the Send command and the real socket to aiosmtpd, an SMTP
// server written by others, and reads what arrived with Python's mail
// parser, as a receiver would.
class TestEndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void faxArrivesAsTyped_data();
    void faxArrivesAsTyped();
    void everySendHasItsOwnMessageId();
    void numberAndNameAsPeopleTypeThem();
    void spamFilterFindsNothingAmiss_data();
    void spamFilterFindsNothingAmiss();
};

void TestEndToEnd::faxArrivesAsTyped_data()
{
    QTest::addColumn<QStringList>("serverOptions");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("encoding");
    const QString euro = QStringLiteral("Attn:Sales\r\nPrice: 100 \u20ac f\u00fcr M\u00fcller\r\n"
                                        ".\r\n..two dots\r\n\r\nlast line");
    const QString ascii = QStringLiteral("Dear Jane,\r\n.\r\nPrice: 100 EUR");
    QTest::newRow("8-bit server") << QStringList()
                                  << QStringLiteral("Quote \u20ac f\u00fcr M\u00fcller") << euro
                                  << QStringLiteral("8bit");
    QTest::newRow("7-bit server") << QStringList{QStringLiteral("--no-8bitmime")}
                                  << QStringLiteral("Quote \u20ac f\u00fcr M\u00fcller") << euro
                                  << QStringLiteral("quoted-printable");
    QTest::newRow("pipelining") << QStringList{QStringLiteral("--pipelining")}
                                << QStringLiteral("Quotation") << ascii << QStringLiteral("7bit");
    const QString longSubject =
        QStringLiteral("A long subject about f\u00fcr M\u00fcller ").repeated(8);
    QTest::newRow("long subject") << QStringList() << longSubject.trimmed() << ascii
                                  << QStringLiteral("7bit");
    QTest::newRow("subject like an encoded-word")
        << QStringList() << QStringLiteral("=?utf-8?Q?a?= 50% _off_ ?") << ascii
        << QStringLiteral("7bit");
    QTest::newRow("empty") << QStringList() << QString() << QString() << QStringLiteral("7bit");

    // Beyond Windows-1252 the text goes as UTF-8, and arrives as typed.
    const QString polish = QStringLiteral("Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 "
                                          "ja\u017a\u0144");
    const QString greek = QStringLiteral("\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 "
                                         "\u03ba\u03cc\u03c3\u03bc\u03b5");
    const QString czech = QStringLiteral("P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd "
                                         "k\u016f\u0148");
    const QString mixed = QStringLiteral("Gr\u00fc\u00dfe, \u0153uvre \u20ac 5 \u2013 "
                                         "\u0141\u00f3d\u017a");
    const QStringList noEightBit{QStringLiteral("--no-8bitmime")};
    QTest::newRow("Polish") << QStringList() << polish << polish + QStringLiteral("\r\n.\r\n")
                            << QStringLiteral("8bit");
    QTest::newRow("Polish, 7-bit server")
        << noEightBit << polish << polish << QStringLiteral("quoted-printable");
    QTest::newRow("Greek") << QStringList() << greek << greek << QStringLiteral("8bit");
    QTest::newRow("Czech, 7-bit server")
        << noEightBit << czech << czech << QStringLiteral("quoted-printable");
    QTest::newRow("mixed Western") << QStringList() << mixed << mixed << QStringLiteral("8bit");
    // Words of encoded Greek and Polish break every few letters.
    QTest::newRow("long subject, word breaks in every script")
        << QStringList() << (greek + u' ' + polish + u' ').repeated(6).trimmed()
        << QStringLiteral("ok") << QStringLiteral("7bit");
}

void TestEndToEnd::faxArrivesAsTyped()
{
    QFETCH(QStringList, serverOptions);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(QString, encoding);
    SmtpCapture server;
    QVERIFY2(server.start(serverOptions), qPrintable(server.errors()));
    RealSender sender;
    QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port), QStringLiteral("Jane"),
                         QStringLiteral("555 1234"), subject, body),
             QStringLiteral("Sent OK."));

    QCOMPARE(server.messages().size(), 1);
    const QJsonObject got = server.messages().first();
    QCOMPARE(got[QStringLiteral("mail_from")].toString(), QStringLiteral("joe@example.org"));
    QCOMPARE(got[QStringLiteral("rcpt_tos")].toArray().toVariantList(),
             QVariantList{QStringLiteral("5551234@fax1.example")});
    QCOMPARE(
        got[QStringLiteral("mail_options")].toArray().contains(QStringLiteral("BODY=8BITMIME")),
        encoding == QStringLiteral("8bit"));

    QCOMPARE(field(got, "subject"), subject);
    QCOMPARE(field(got, "from"), QStringLiteral("joe@example.org"));
    QCOMPARE(field(got, "to"), QStringLiteral("5551234@fax1.example"));
    const QDateTime date = QDateTime::fromSecsSinceEpoch(
        qint64(got[QStringLiteral("parsed")].toObject()[QStringLiteral("date")].toDouble()));
    QVERIFY2(qAbs(date.secsTo(QDateTime::currentDateTime())) < 60, qPrintable(date.toString()));
    QVERIFY(QRegularExpression(QStringLiteral("^<[^@<>]+@example\\.org>$"))
                .match(field(got, "message_id"))
                .hasMatch());
    QCOMPARE(field(got, "content_type"), QStringLiteral("text/plain"));
    QCOMPARE(field(got, "cte"), encoding);
    // The reader keeps the lines' CR LF; the last line has one too.
    QCOMPARE(field(got, "body"), body.isEmpty() ? body : body + QStringLiteral("\r\n"));
    QCOMPARE(got[QStringLiteral("parsed")].toObject()[QStringLiteral("defects")].toArray(),
             QJsonArray());
}

void TestEndToEnd::everySendHasItsOwnMessageId()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    RealSender sender;
    for (int i = 0; i < 2; ++i)
        QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port),
                             QStringLiteral("Jane"), QStringLiteral("555"), QStringLiteral("Hi"),
                             QStringLiteral("Same text")),
                 QStringLiteral("Sent OK."));
    QCOMPARE(server.messages().size(), 2);
    QVERIFY(field(server.messages()[0], "message_id") != field(server.messages()[1], "message_id"));
}

// A number as printed and a name with accents make an address the server
// takes as it is.
void TestEndToEnd::numberAndNameAsPeopleTypeThem()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    RealSender sender;
    sender.provider = QStringLiteral("TPC.NET");
    QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port),
                         QStringLiteral("Zo\u00eb M\u00fcller"),
                         QStringLiteral("+1 (555) 123-4567"), QStringLiteral("Hi"),
                         QStringLiteral("Hello")),
             QStringLiteral("Sent OK."));
    QCOMPARE(server.messages().size(), 1);
    QCOMPARE(server.messages().first()[QStringLiteral("rcpt_tos")].toArray().toVariantList(),
             QVariantList{QStringLiteral("Zoe_Muller@15551234567.tpc.example")});
}

void TestEndToEnd::spamFilterFindsNothingAmiss_data()
{
    QTest::addColumn<QString>("provider");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::newRow("ASCII fax") << QStringLiteral("Fax1") << QStringLiteral("Quotation 2027")
                               << QStringLiteral("Dear Jane,\r\n\r\nplease find our quotation "
                                                 "below.\r\n\r\nKind regards\r\nJoe");
    QTest::newRow("umlauts and euro")
        << QStringLiteral("Fax1") << QStringLiteral("Angebot f\u00fcr M\u00fcller")
        << QStringLiteral("Sehr geehrte Frau M\u00fcller,\r\n\r\nder Preis betr\u00e4gt "
                          "100 \u20ac.\r\n\r\nMit freundlichen Gr\u00fc\u00dfen\r\nJoe");
    QTest::newRow("ClickFax") << QStringLiteral("ClickFax") << QStringLiteral("Quotation 2027")
                              << QStringLiteral("Dear Jane,\r\nthe price is 100 EUR.\r\nJoe");
}

// Debian's SpamAssassin with its stock rules, on the message as it arrived.
void TestEndToEnd::spamFilterFindsNothingAmiss()
{
    QFETCH(QString, provider);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    RealSender sender;
    sender.provider = provider;
    QCOMPARE(sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port),
                         QStringLiteral("Jane Doe"), QStringLiteral("555 1234"), subject, body),
             QStringLiteral("Sent OK."));
    QCOMPARE(server.messages().size(), 1);

    const SpamVerdict verdict =
        spamCheck(server.messages().first()[QStringLiteral("content")].toString().toLatin1());
    QVERIFY2(verdict.ran, qPrintable(verdict.status));
    qInfo("%s", qPrintable(verdict.status));
    QVERIFY2(verdict.score < 1.0, qPrintable(verdict.status));
    for (const char *rule : {"MISSING_DATE", "MISSING_FROM", "MISSING_MID", "MISSING_HEADERS",
                             "HDRS_MISSP", "PP_MIME_FAKE_ASCII_TEXT", "SUBJ_ILLEGAL_CHARS",
                             "SUBJECT_NEEDS_ENCODING", "CTE_8BIT_MISMATCH"})
        QVERIFY2(!verdict.rules.contains(QLatin1StringView(rule)), rule);
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
