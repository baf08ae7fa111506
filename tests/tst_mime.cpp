#include "mime/base64.h"
#include "mime/date.h"
#include "mime/encodedwords.h"
#include "mime/headerfields.h"
#include "mime/lines.h"
#include "mime/multipart.h"
#include "mime/parameter.h"
#include "mime/quotedprintable.h"

#include <QTest>
#include <QTimeZone>

// Whatever Quillon writes in a message it reads back as written: every
// encoding goes there and back over one table of texts, and what is
// written keeps to the line limits mail servers enforce.
class TestMime : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void multipartParts();
    void dateField();
    void lineBreaks();
    void unfinishedWordsTakeLinearTime();
};

namespace {

// Every line ends in CR LF and holds at most 998 bytes before it.
bool withinLineLimits(const QByteArray &written)
{
    if (!written.endsWith("\r\n"))
        return false;
    for (const QByteArray &line : written.chopped(2).split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        if (text.contains('\r') || text.size() > mime::MaxLine)
            return false;
    }
    return written.count('\n') == written.count("\r\n");
}

} // namespace

void TestMime::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    // What a reader gets back: the text, but line breaks in a header field
    // are spaces.
    QTest::addColumn<QString>("asField");
    const QString longWord = QStringLiteral("Donaudampfschifffahrtsgesellschaft").repeated(8);
    const QList<QPair<const char *, QString>> texts = {
        {"empty", QString()},
        {"ASCII", QStringLiteral("Quotation for 2027, page 1 of 3")},
        {"ASCII that looks encoded", QStringLiteral("=?utf-8?Q?no?= really")},
        {"spaces at the ends", QStringLiteral("  padded  ")},
        {"Windows-1252", QStringLiteral("Pr\u00e9sentation \u20ac 5 \u2013 na\u00efve")},
        {"UTF-8", QStringLiteral("Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 ja\u017a\u0144")},
        {"CJK", QStringLiteral("\u898b\u7a4d\u66f8\u3092\u304a\u9001\u308a\u3057\u307e\u3059")},
        {"emoji", QStringLiteral("Fax \U0001F4E0 sent")},
        {"long word", longWord},
        {"long CJK", QStringLiteral("\u65e5\u672c\u8a9e").repeated(60)},
        {"CR LF inside", QStringLiteral("two\r\nlines\nand\rthree")},
    };
    for (const auto &[name, text] : texts) {
        QString field = text;
        field.replace(u'\r', u' ').replace(u'\n', u' ');
        QTest::newRow(name) << text << field;
    }
}

void TestMime::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, asField);

    // RFC 2047, through a header as a reader parses it.
    const QByteArray field = mime::headerField("Subject", text);
    QVERIFY2(withinLineLimits(field), field.constData());
    const mime::Header header = mime::parseHeader(field + "\r\nbody");
    QCOMPARE(header.fields.size(), 1);
    QCOMPARE(mime::decodeWords(header.value("subject")).mid(1), asField);
    QCOMPARE(header.bodyStart, field.size() + 2);

    // RFC 2231, in a Content-Disposition a reader parses.
    const QByteArray disposition = "attachment;\r\n" + mime::encodeParameter("filename", text);
    QVERIFY2(withinLineLimits(disposition + "\r\n"), disposition.constData());
    QString cleaned = text;
    cleaned.replace(u'\r', u'_').replace(u'\n', u'_');
    QCOMPARE(mime::decodeParameter(mime::parseHeader("Content-Disposition: " + disposition +
                                                     "\r\n\r\n")
                                       .value("content-disposition"),
                                   "filename"),
             cleaned);

    // Quoted-printable, one line at a time as a body is written.
    const QByteArray utf8 = text.toUtf8();
    QByteArray qp;
    QByteArray lines;
    mime::forEachLine(QByteArrayView(utf8), [&](const mime::Line<QByteArrayView> &line) {
        mime::appendQuotedPrintable(qp, line.text);
        lines += line.text;
        lines += mime::crlf;
        return true;
    });
    QVERIFY(qp.isEmpty() || withinLineLimits(qp));
    for (const QByteArray &line : qp.split('\n'))
        QVERIFY2(line.size() <= 77, line.constData()); // 76 and the CR
    QCOMPARE(mime::decodeQuotedPrintable(qp), lines);

    // Base64 in lines.
    const QByteArray b64 = mime::base64Lines(utf8);
    QCOMPARE(b64.size(), mime::base64LinesSize(utf8.size()));
    QVERIFY(b64.isEmpty() || withinLineLimits(b64));
    QCOMPARE(mime::decodeBase64(b64), utf8);
}

void TestMime::multipartParts()
{
    const QByteArray body = "preamble\r\n"
                            "--b1\r\n"
                            "Content-Type: text/plain\r\n\r\nfirst\r\n"
                            "--b1\r\n"
                            "\r\n"                     // an empty header
                            "second\r\nline\r\n"
                            "--b1\n"                   // a bare LF
                            "--b1--\r\n"
                            "epilogue\r\n--b1\r\nnot a part";
    const QList<QByteArrayView> parts = mime::splitMultipart(body, "b1");
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts[0].toByteArray(), QByteArray("Content-Type: text/plain\r\n\r\nfirst"));
    QCOMPARE(parts[1].toByteArray(), QByteArray("\r\nsecond\r\nline"));
    QCOMPARE(parts[2].toByteArray(), QByteArray());
    QCOMPARE(mime::splitMultipart("--b1\r\ncut short", "b1").size(), 0);
}

void TestMime::dateField()
{
    for (int offset : {3600, -5 * 3600 - 1800, 0, 14 * 3600}) {
        const QDateTime date(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(offset));
        const QString field = mime::dateField(date);
        QCOMPARE(mime::parseDate(field), date);
        QCOMPARE(mime::parseDate(field).offsetFromUtc(), offset);
    }
    QCOMPARE(mime::dateField(QDateTime(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(3600))),
             QStringLiteral("Mon, 07 Dec 2026 17:05:09 +0100"));
}

void TestMime::lineBreaks()
{
    QStringList seen;
    mime::forEachLine(QStringView(u"a\r\nb\rc\nd\r\n"), [&](const mime::Line<QStringView> &line) {
        seen.append(line.text.toString());
        return true;
    });
    QCOMPARE(seen, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                QStringLiteral("d"), QString()}));
}

// A field of nothing but the starts of encoded-words: each is looked for
// only as far as a word may reach, so a 4 MB field is read at once.
void TestMime::unfinishedWordsTakeLinearTime()
{
    const QByteArray value = QByteArray("=?a?Q?x").repeated(4 * 1024 * 1024 / 7);
    QCOMPARE(mime::decodeWords(value), QString::fromLatin1(value));
    QCOMPARE(mime::decodeWords("=?utf-8?Q?" + QByteArray(80, 'a') + "?="),
             QStringLiteral("=?utf-8?Q?") + QString(80, u'a') + QStringLiteral("?="));
}

QTEST_GUILESS_MAIN(TestMime)
#include "tst_mime.moc"
