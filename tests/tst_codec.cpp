#include "store/codec.h"

#include <QTest>

class TestCodec : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void highRange_data();
    void highRange();
    void unrepresentable_data();
    void unrepresentable();
    void everyByteRoundTrips();
    void fields_data();
    void fields();
};

void TestCodec::highRange_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x0081;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("ellipsis") << 0x85 << 0x2026;
    QTest::newRow("undefined 8d") << 0x8D << 0x008D;
    QTest::newRow("undefined 8f") << 0x8F << 0x008F;
    QTest::newRow("undefined 90") << 0x90 << 0x0090;
    QTest::newRow("left single quote") << 0x91 << 0x2018;
    QTest::newRow("right double quote") << 0x94 << 0x201D;
    QTest::newRow("en dash") << 0x96 << 0x2013;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("undefined 9d") << 0x9D << 0x009D;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("nbsp") << 0xA0 << 0x00A0;
    QTest::newRow("e acute") << 0xE9 << 0x00E9;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void TestCodec::highRange()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    const QByteArray bytes(1, char(byte));
    const QString text{QChar(char16_t(unicode))};
    QCOMPARE(cp1252::decode(bytes), text);
    QCOMPARE(cp1252::encode(text), bytes);
}

void TestCodec::unrepresentable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("cyrillic") << QStringLiteral("\u0416x") << QByteArray("?x");
    QTest::newRow("C1 without a byte") << QStringLiteral("\u0080") << QByteArray("?");
    QTest::newRow("CJK") << QStringLiteral("\u4e2d\u6587") << QByteArray("??");
    QTest::newRow("emoji is one character") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("lone surrogate") << QString(QChar(char16_t(0xD800))) << QByteArray("?");
}

void TestCodec::unrepresentable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp1252::encode(text), bytes);
}

void TestCodec::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(cp1252::encode(cp1252::decode(all)), all);
}

void TestCodec::fields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("padded") << QStringLiteral("ab") << 5 << QByteArray("ab   ");
    QTest::newRow("exact") << QStringLiteral("abcde") << 5 << QByteArray("abcde");
    QTest::newRow("cut") << QStringLiteral("abcdefgh") << 5 << QByteArray("abcde");
    QTest::newRow("empty") << QString() << 3 << QByteArray("   ");
    QTest::newRow("leading spaces kept") << QStringLiteral("  x") << 4 << QByteArray("  x ");
    QTest::newRow("euro counts one")
        << QStringLiteral("\u20ac\u20ac\u20ac") << 2 << QByteArray("\x80\x80");
    QTest::newRow("emoji counts one")
        << QStringLiteral("\U0001F600\U0001F600z") << 3 << QByteArray("??z");
}

void TestCodec::fields()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QByteArray, stored);
    QByteArray field(width, 'X');
    cp1252::storeField(field.data(), width, text);
    QCOMPARE(field, stored);
    QCOMPARE(cp1252::loadField(field.constData(), width), cp1252::decode(stored));
}

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
