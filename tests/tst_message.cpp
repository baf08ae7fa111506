#include "mail/message.h"
#include "mime/date.h"

#include <QTest>
#include <QTimeZone>

namespace {

const mail::Stamp stamp{QDateTime(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(3600)),
                        QStringLiteral("20261207160509.0123456789ABCDEF")};

mail::Outgoing params(const QString &subject, const QString &body)
{
    return {QStringLiteral("555@fax1.example"), QStringLiteral("joe@example.org"), subject, body, {}};
}

QByteArray message(const QByteArray &subjectLines, const char *charset, const char *encoding,
                   const QByteArray &body)
{
    return subjectLines +
           "To: 555@fax1.example\r\n"
           "From: joe@example.org\r\n"
           "Date: Mon, 07 Dec 2026 17:05:09 +0100\r\n"
           "Message-ID: <20261207160509.0123456789ABCDEF@example.org>\r\n"
           "MIME-Version: 1.0\r\n"
           "Content-Type: text/plain; charset=" +
           QByteArray(charset) + "\r\nContent-Transfer-Encoding: " + QByteArray(encoding) +
           "\r\n\r\n" + body;
}

QByteArray repeated(const QByteArray &s, int n)
{
    return s.repeated(n);
}

} // namespace

// The message as it goes on the wire, byte for byte, for a fixed date.
class TestMessage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void subject_data();
    void subject();
    void body_data();
    void body();
    void everySubjectFitsItsLines_data();
    void everySubjectFitsItsLines();
    void dateInEveryZone_data();
    void dateInEveryZone();
    void hostileAddressesStayInTheirHeaders();
    void messageIdDomain();
};

void TestMessage::subject_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QByteArray>("lines");
    QTest::newRow("ASCII") << QStringLiteral("Quotation 2027")
                           << QByteArray("Subject: Quotation 2027\r\n");
    QTest::newRow("windows-1252") << QStringLiteral("f\u00fcr M\u00fcller")
                                  << QByteArray("Subject: =?windows-1252?Q?f=FCr_M=FCller?=\r\n");
    QTest::newRow("euro and colon")
        << QStringLiteral("Preis: 100 \u20ac")
        << QByteArray("Subject: =?windows-1252?Q?Preis=3A_100_=80?=\r\n");
    QTest::newRow("question mark and underscore stay plain")
        << QStringLiteral("What? 50% off_now") << QByteArray("Subject: What? 50% off_now\r\n");
    QTest::newRow("looks like an encoded-word")
        << QStringLiteral("Re: =?utf-8?B?x?= what? a_b")
        << QByteArray(
               "Subject: =?windows-1252?Q?Re=3A_=3D=3Futf-8=3FB=3Fx=3F=3D_what=3F_a=5Fb?=\r\n");
    QTest::newRow("empty") << QString() << QByteArray("Subject: \r\n");
    QTest::newRow("line breaks become spaces")
        << QStringLiteral("a\r\nb\nc") << QByteArray("Subject: a  b c\r\n");
    QTest::newRow("leading tab") << QStringLiteral("\tx")
                                 << QByteArray("Subject: =?windows-1252?Q?=09x?=\r\n");

    // 30 words of 9 letters: 7 to a line of at most 78 characters.
    const QString word = QStringLiteral("Quotation");
    const QByteArray seven = repeated(" Quotation", 7);
    QTest::newRow("300 characters, folded at spaces")
        << QStringList(30, word).join(u' ')
        << "Subject:" + seven + "\r\n" + seven + "\r\n" + seven + "\r\n" + seven +
               "\r\n Quotation Quotation\r\n";
    // Encoded-words of at most 75 characters, the first line within 78.
    QByteArray encoded = "Subject: =?windows-1252?Q?" + repeated("=FC", 16) + "?=\r\n";
    for (int i = 0; i < 15; ++i)
        encoded += " =?windows-1252?Q?" + repeated("=FC", 18) + "?=\r\n";
    encoded += " =?windows-1252?Q?" + repeated("=FC", 14) + "?=\r\n";
    QTest::newRow("300 characters, encoded") << QString(300, u'\u00fc') << encoded;
    QTest::newRow("beyond Windows-1252: UTF-8")
        << QStringLiteral("Za\u017c\u00f3\u0142\u0107")
        << QByteArray("Subject: =?utf-8?Q?Za=C5=BC=C3=B3=C5=82=C4=87?=\r\n");
    // Two bytes a letter: a word never ends inside one.
    const QByteArray alpha = "=CE=B1";
    QTest::newRow("UTF-8 words break between characters")
        << QString(30, u'\u03b1')
        << "Subject: =?utf-8?Q?" + repeated(alpha, 9) + "?=\r\n" +
               repeated(" =?utf-8?Q?" + repeated(alpha, 10) + "?=\r\n", 2) + " =?utf-8?Q?" +
               alpha + "?=\r\n";
    QTest::newRow("a word longer than a line")
        << QString(1000, u'x')
        << "Subject: =?windows-1252?Q?" + QByteArray(50, 'x') + "?=\r\n" +
               repeated(" =?windows-1252?Q?" + QByteArray(56, 'x') + "?=\r\n", 16) +
               " =?windows-1252?Q?" + QByteArray(54, 'x') + "?=\r\n";
}

void TestMessage::subject()
{
    QFETCH(QString, subject);
    QFETCH(QByteArray, lines);
    const mail::Message m = mail::build(params(subject, QStringLiteral("Hi")),
                                        QStringLiteral("client.example"), true, stamp);
    QCOMPARE(m.data, message(lines, "us-ascii", "7bit", "Hi\r\n"));
    for (const QByteArray &line : m.data.split('\n'))
        QVERIFY2(line.size() <= 79, line.constData()); // 78 and the CR
}

void TestMessage::everySubjectFitsItsLines_data()
{
    QTest::addColumn<QString>("subject");
    const QString words = QStringLiteral("word ").repeated(14) + u'x';
    QTest::newRow("long whitespace at the end") << words + QString(980, u'\t');
    QTest::newRow("long whitespace inside") << words + QString(980, u' ') + u'y';
    QTest::newRow("trailing space") << QStringLiteral("Offer ");
    QTest::newRow("control characters") << QStringLiteral("a\x01\x7f\tb");
}

// However the subject is made, no line of it passes 998 bytes, continuation
// lines start with whitespace and hold text, and nothing but the fold breaks
// a line.
void TestMessage::everySubjectFitsItsLines()
{
    QFETCH(QString, subject);
    const mail::Message m =
        mail::build(params(subject, QString()), QStringLiteral("client.example"), true, stamp);
    const QByteArray header = m.data.left(m.data.indexOf("\r\nTo: ") + 2);
    const QList<QByteArray> lines = header.chopped(2).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].endsWith('\r') ? lines[i].chopped(1) : lines[i];
        QVERIFY2(line.size() <= 998, line.constData());
        QVERIFY(!line.contains('\r'));
        QVERIFY(i == 0 ? line.startsWith("Subject: ") : line.startsWith(' '));
        QVERIFY(!line.trimmed().isEmpty());
    }
}

void TestMessage::body_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("eightBitAllowed");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("eightBit");
    QTest::newRow("empty") << QString() << true << message("Subject: s\r\n", "us-ascii", "7bit", "")
                           << false;
    // Dots are doubled on the wire, not in the message.
    QTest::newRow("dot lines") << QStringLiteral(".\r\n..x\r\n.end") << true
                               << message("Subject: s\r\n", "us-ascii", "7bit",
                                          ".\r\n..x\r\n.end\r\n")
                               << false;
    QTest::newRow("8-bit, server takes it")
        << QStringLiteral("100 \u20ac\r\nf\u00fcr") << true
        << message("Subject: s\r\n", "windows-1252", "8bit", "100 \x80\r\nf\xfcr\r\n") << true;
    QTest::newRow("8-bit, server does not")
        << QStringLiteral("100 \u20ac\r\nf\u00fcr") << false
        << message("Subject: s\r\n", "windows-1252", "quoted-printable", "100 =80\r\nf=FCr\r\n")
        << false;
    QTest::newRow("quoted-printable soft breaks")
        << QString(40, u'\u00fc') << false
        << message("Subject: s\r\n", "windows-1252", "quoted-printable",
                   repeated("=FC", 25) + "=\r\n" + repeated("=FC", 15) + "\r\n")
        << false;
    QTest::newRow("quoted-printable whitespace, equals, dots")
        << QStringLiteral("\u00e9 \r\n\u00e9\t\r\na = b\r\n.\r\n.\u00e9") << false
        << message("Subject: s\r\n", "windows-1252", "quoted-printable",
                   "=E9=20\r\n=E9=09\r\na =3D b\r\n.\r\n.=E9\r\n")
        << false;
    QTest::newRow("NUL byte, server takes 8-bit")
        << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b \u20ac") << true
        << message("Subject: s\r\n", "windows-1252", "quoted-printable", "a=00b =80\r\n") << false;
    QTest::newRow("beyond Windows-1252, server takes 8-bit")
        << QStringLiteral("\u0141\u00f3d\u017a\r\n\u20ac") << true
        << message("Subject: s\r\n", "utf-8", "8bit", "\xc5\x81\xc3\xb3" "d\xc5\xba\r\n\xe2\x82\xac\r\n")
        << true;
    QTest::newRow("beyond Windows-1252, server does not")
        << QStringLiteral("\u0141\u00f3d\u017a") << false
        << message("Subject: s\r\n", "utf-8", "quoted-printable", "=C5=81=C3=B3d=C5=BA\r\n")
        << false;
    // 400 characters of three bytes: the line is broken before the
    // character the limit falls in.
    const QByteArray han = "\xe4\xb8\xad";
    QTest::newRow("a long UTF-8 line breaks between characters")
        << QString(400, u'\u4e2d') << true
        << message("Subject: s\r\n", "utf-8", "8bit",
                   repeated(han, 332) + "\r\n" + repeated(han, 68) + "\r\n")
        << true;
    QTest::newRow("ASCII never quoted-printable")
        << QStringLiteral("a = b") << false
        << message("Subject: s\r\n", "us-ascii", "7bit", "a = b\r\n") << false;
}

void TestMessage::body()
{
    QFETCH(QString, body);
    QFETCH(bool, eightBitAllowed);
    QFETCH(QByteArray, expected);
    QFETCH(bool, eightBit);
    const mail::Message m = mail::build(params(QStringLiteral("s"), body),
                                        QStringLiteral("client.example"), eightBitAllowed, stamp);
    QCOMPARE(m.data, expected);
    QCOMPARE(m.eightBit, eightBit);
}

void TestMessage::dateInEveryZone_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("header");
    QTest::newRow("east") << QDateTime(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(3600))
                          << QStringLiteral("Mon, 07 Dec 2026 17:05:09 +0100");
    QTest::newRow("west, half hour")
        << QDateTime(QDate(2027, 3, 1), QTime(7, 0, 0), QTimeZone(-12600))
        << QStringLiteral("Mon, 01 Mar 2027 07:00:00 -0330");
    QTest::newRow("UTC") << QDateTime(QDate(2027, 8, 1), QTime(23, 59, 59), QTimeZone::utc())
                         << QStringLiteral("Sun, 01 Aug 2027 23:59:59 +0000");
}

void TestMessage::dateInEveryZone()
{
    QFETCH(QDateTime, date);
    QFETCH(QString, header);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German)); // names stay English
    QCOMPARE(mime::dateField(date), header);
    QLocale::setDefault(before);
}

void TestMessage::hostileAddressesStayInTheirHeaders()
{
    mail::Outgoing p = params(QStringLiteral("s"), QString());
    p.recipient = QStringLiteral("a@b.example\r\nBcc: x@evil.example");
    p.sender = QStringLiteral(" joe@example.org\u00e9\n");
    const mail::Message m = mail::build(p, QStringLiteral("client.example"), true, stamp);
    QVERIFY(m.data.contains("\r\nTo: a@b.example??Bcc: x@evil.example\r\n"));
    QVERIFY(m.data.contains("\r\nFrom: joe@example.org??\r\n"));
}

void TestMessage::messageIdDomain()
{
    mail::Outgoing p = params(QStringLiteral("s"), QString());
    p.sender = QStringLiteral("joe");
    QVERIFY(
        mail::build(p, QStringLiteral("[127.0.0.1]"), true, stamp)
            .data.contains("\r\nMessage-ID: <20261207160509.0123456789ABCDEF@[127.0.0.1]>\r\n"));
    QVERIFY(mail::Stamp::now().unique != mail::Stamp::now().unique);
}

QTEST_GUILESS_MAIN(TestMessage)
#include "tst_message.moc"
