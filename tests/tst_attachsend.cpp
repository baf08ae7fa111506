#include "documentfiles.h"
#include "realsender.h"
#include "smtpcapture.h"
#include "spamcheck.h"

#include <QTest>

// Faxes with documents, sent over the real socket to aiosmtpd and read
// with Python's mail parser as a gateway reads them: the text, then each
// file whole, one level deep.
class TestAttachSend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void filesArriveWhole_data();
    void filesArriveWhole();
    void largerThanTheServerTakes();
    void changedSinceAttached();
    void spamFilterFindsNothingAmiss();

private:
    QString send(SmtpCapture &server, const QString &text, const QList<Enclosure> &files)
    {
        return m_sender.send(QStringLiteral("127.0.0.1:%1").arg(server.port),
                             QStringLiteral("Jane"), QStringLiteral("555 1234"),
                             QStringLiteral("Contract"), text, files);
    }
    QTemporaryDir m_dir;
    QHash<QString, Enclosure> m_files;
    RealSender m_sender;
};

void TestAttachSend::initTestCase()
{
    auto path = [this](const char *name) { return m_dir.filePath(QString::fromUtf8(name)); };
    const QString polish = QStringLiteral("Vertrag f\u00fcr \u0141\u00f3d\u017a.pdf");
    const QString longName = QStringLiteral("Quarterly report ").repeated(6) + QStringLiteral(".pdf");
    const struct
    {
        QString name;
        QString path;
        const char *type;
    } made[] = {
        {QStringLiteral("pdf"), documentfiles::pdf(path("contract.pdf"), 3), "application/pdf"},
        {QStringLiteral("tiff"), documentfiles::tiff(path("scan.tif"), 3), "image/tiff"},
        {QStringLiteral("png"), documentfiles::png(path("stamp.png")), "image/png"},
        {QStringLiteral("jpeg"), documentfiles::jpeg(path("photo.jpg")), "image/jpeg"},
        {QStringLiteral("polish"), documentfiles::pdf(m_dir.filePath(polish), 1), "application/pdf"},
        {QStringLiteral("long"), documentfiles::pdf(m_dir.filePath(longName), 1), "application/pdf"},
        {QStringLiteral("noise"), documentfiles::pdf(path("noise.pdf"), 1, 200'000), "application/pdf"},
    };
    for (const auto &m : made) {
        QVERIFY2(!m.path.isEmpty(), qPrintable(m.name));
        m_files.insert(m.name, documentfiles::enclosure(m.path, m.type));
    }
}

void TestAttachSend::filesArriveWhole_data()
{
    QTest::addColumn<QStringList>("serverOptions");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("PDF, TIFF, PNG and JPEG")
        << QStringList() << QStringLiteral("Dear Jane,\r\n.\r\nthe contract, signed.")
        << QStringList{QStringLiteral("pdf"), QStringLiteral("tiff"), QStringLiteral("png"),
                       QStringLiteral("jpeg")};
    QTest::newRow("7-bit server, text beyond Windows-1252")
        << QStringList{QStringLiteral("--no-8bitmime")}
        << QStringLiteral("Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 ja\u017a\u0144")
        << QStringList{QStringLiteral("noise")};
    QTest::newRow("no text, pipelining") << QStringList{QStringLiteral("--pipelining")} << QString()
                                         << QStringList{QStringLiteral("png")};
    QTest::newRow("names beyond ASCII, and long")
        << QStringList() << QStringLiteral("Two files.")
        << QStringList{QStringLiteral("polish"), QStringLiteral("long")};
}

void TestAttachSend::filesArriveWhole()
{
    QFETCH(QStringList, serverOptions);
    QFETCH(QString, text);
    QFETCH(QStringList, files);
    SmtpCapture server;
    QVERIFY2(server.start(serverOptions), qPrintable(server.errors()));
    QList<Enclosure> attached;
    for (const QString &f : files)
        attached.append(m_files.value(f));
    QCOMPARE(send(server, text, attached), QStringLiteral("Sent OK."));

    QCOMPARE(server.messages().size(), 1);
    const QJsonObject got = server.messages().first()[QStringLiteral("parsed")].toObject();
    QCOMPARE(got[QStringLiteral("content_type")].toString(), QStringLiteral("multipart/mixed"));
    // The last line break belongs to the boundary that follows: the text
    // arrives exactly as typed.
    QCOMPARE(got[QStringLiteral("body")].toString(), text);
    const QJsonArray parts = got[QStringLiteral("parts")].toArray();
    QCOMPARE(parts.size(), files.size() + 1);
    QCOMPARE(parts.first().toString(), QStringLiteral("text/plain"));
    const QJsonArray arrived = got[QStringLiteral("attachments")].toArray();
    QCOMPARE(arrived.size(), files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Enclosure &sent = attached[i];
        const QJsonObject a = arrived[i].toObject();
        QCOMPARE(a[QStringLiteral("content_type")].toString(), QString::fromLatin1(sent.mediaType));
        QCOMPARE(a[QStringLiteral("disposition")].toString(), QStringLiteral("attachment"));
        QCOMPARE(a[QStringLiteral("filename")].toString(), sent.name);
        QCOMPARE(a[QStringLiteral("size")].toInteger(), sent.size);
        QCOMPARE(a[QStringLiteral("sha256")].toString().toLatin1(), sent.sha256.toHex());
        QVERIFY(!a[QStringLiteral("nested")].toBool());
    }
    QCOMPARE(got[QStringLiteral("defects")].toArray(), QJsonArray());
}

void TestAttachSend::largerThanTheServerTakes()
{
    SmtpCapture server;
    QVERIFY2(server.start({QStringLiteral("--size"), QStringLiteral("100000")}),
             qPrintable(server.errors()));
    QCOMPARE(send(server, QStringLiteral("Big"), {m_files.value(QStringLiteral("noise"))}),
             QStringLiteral("SMTP Error: the message is larger than the server accepts (100000 "
                            "bytes)"));
    QCOMPARE(server.messages().size(), 0);
}

// Changed after it was attached, the file is refused before anything
// reaches the server.
void TestAttachSend::changedSinceAttached()
{
    const QString path = documentfiles::pdf(m_dir.filePath(QStringLiteral("draft.pdf")), 1);
    const Enclosure draft = documentfiles::enclosure(path, "application/pdf");
    QVERIFY(!documentfiles::pdf(path, 2).isEmpty());
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    QCOMPARE(send(server, QStringLiteral("Draft"), {draft}),
             QStringLiteral("Not sent: draft.pdf has changed since it was attached; attach it "
                            "again"));
    QVERIFY(QFile::remove(path));
    QCOMPARE(send(server, QStringLiteral("Draft"), {draft}),
             QStringLiteral("Not sent: draft.pdf cannot be read: No such file or directory"));
    QCOMPARE(server.messages().size(), 0);
}

void TestAttachSend::spamFilterFindsNothingAmiss()
{
    SmtpCapture server;
    QVERIFY2(server.start(), qPrintable(server.errors()));
    QCOMPARE(send(server,
                  QStringLiteral("Dear Jane,\r\n\r\nplease find the signed contract "
                                 "attached.\r\n\r\nKind regards\r\nJoe"),
                  {m_files.value(QStringLiteral("pdf"))}),
             QStringLiteral("Sent OK."));
    const SpamVerdict verdict =
        spamCheck(server.messages().first()[QStringLiteral("content")].toString().toLatin1());
    QVERIFY2(verdict.ran, qPrintable(verdict.status));
    qInfo("%s", qPrintable(verdict.status));
    QVERIFY2(verdict.score < 1.0, qPrintable(verdict.status));
}

QTEST_MAIN(TestAttachSend)
#include "tst_attachsend.moc"
