#include "documentfiles.h"
#include "mail/messagestream.h"
#include "mime/parameter.h"
#include "sessionfixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>

// Files in the message: its bytes for a fixed date, the names as MIME
// parameters, and the session writing a large file only as fast as the
// network takes it, refusing one that changed.
class TestAttachments : public SessionFixture
{
    Q_OBJECT
private Q_SLOTS:
    void multipartBytes();
    void fileNames_data();
    void fileNames();
    void writtenAsTheNetworkTakesIt();
    void changedWhileSent_data();
    void changedWhileSent();

private:
    QString write(const char *name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QLatin1StringView(name));
        writeFile(path, bytes);
        return path;
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write");
    }
    // Starts a session with `big` attached and plays the server to its
    // 354; the writes before are dropped.
    void startWithFile(const Enclosure &big)
    {
        startWith([&](mail::Outgoing &p) { p.attachments = {big}; });
        m_socket->holdWrites = true;
        runToData();
    }

    QTemporaryDir m_dir;
};

void TestAttachments::multipartBytes()
{
    const QByteArray pdf = "%PDF-1.4 tiny";
    const QString path = write("contract.pdf", pdf);
    const mail::Outgoing p{QStringLiteral("555@fax1.example"), QStringLiteral("joe@example.org"),
                           QStringLiteral("s"), QStringLiteral("Hi"),
                           {documentfiles::enclosure(path, "application/pdf")}};
    const mail::Stamp stamp{QDateTime(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(3600)),
                            QStringLiteral("20261207160509.0123456789ABCDEF")};
    const mail::Message m = mail::build(p, QStringLiteral("client.example"), true, stamp);
    MessageStream stream(m);
    QByteArray all;
    while (!stream.atEnd() && stream.error().isEmpty())
        all += stream.read(5); // in small pieces, across every seam
    QVERIFY(stream.error().isEmpty());
    const QByteArray boundary = "=_20261207160509.0123456789ABCDEF";
    QCOMPARE(all, "Subject: s\r\n"
                  "To: 555@fax1.example\r\n"
                  "From: joe@example.org\r\n"
                  "Date: Mon, 07 Dec 2026 17:05:09 +0100\r\n"
                  "Message-ID: <20261207160509.0123456789ABCDEF@example.org>\r\n"
                  "MIME-Version: 1.0\r\n"
                  "Content-Type: multipart/mixed; boundary=\"" +
                      boundary +
                      "\"\r\n\r\n"
                      "--" +
                      boundary +
                      "\r\n"
                      "Content-Type: text/plain; charset=us-ascii\r\n"
                      "Content-Transfer-Encoding: 7bit\r\n\r\n"
                      "Hi\r\n"
                      "--" +
                      boundary +
                      "\r\n"
                      "Content-Type: application/pdf;\r\n"
                      " name=\"contract.pdf\"\r\n"
                      "Content-Disposition: attachment;\r\n"
                      " filename=\"contract.pdf\"\r\n"
                      "Content-Transfer-Encoding: base64\r\n\r\n" +
                      pdf.toBase64() + "\r\n--" + boundary + "--\r\n");
    QCOMPARE(m.size(), all.size());
}

void TestAttachments::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("parameter");
    QTest::newRow("plain") << QStringLiteral("contract.pdf")
                           << QByteArray(" filename=\"contract.pdf\"");
    QTest::newRow("quotes and backslash")
        << QStringLiteral("a \"b\" \\ c.pdf") << QByteArray(" filename=\"a \\\"b\\\" \\\\ c.pdf\"");
    QTest::newRow("no header can start in it")
        << QStringLiteral("x\r\nBcc: y.pdf") << QByteArray(" filename=\"x__Bcc: y.pdf\"");
    QTest::newRow("beyond ASCII: RFC 2231")
        << QStringLiteral("\u0141\u00f3d\u017a.pdf")
        << QByteArray(" filename*=utf-8''%C5%81%C3%B3d%C5%BA.pdf");
    QTest::newRow("long: in pieces")
        << QString(70, u'a') + QStringLiteral(".pdf")
        << " filename*0*=utf-8''" + QByteArray(53, 'a') + ";\r\n filename*1*=" +
               QByteArray(17, 'a') + ".pdf";
    QTest::newRow("pieces never split an escape")
        << QString(10, u'\u0142')
        << " filename*0*=utf-8''" + QByteArray("%C5%82").repeated(8) + "%C5;\r\n filename*1*=%82" +
               QByteArray("%C5%82");
}

void TestAttachments::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, parameter);
    QCOMPARE(mime::encodeParameter("filename", name), parameter);
}

// 3 MB go out in pieces, each when the network has taken most of what was
// queued; the last piece carries the final dot.
void TestAttachments::writtenAsTheNetworkTakesIt()
{
    QByteArray bytes = "%PDF-1.4\n";
    bytes += QByteArray(3'000'000, 'x');
    const QString path = write("big.pdf", bytes);
    startWithFile(documentfiles::enclosure(path, "application/pdf"));
    QString message;
    int rounds = 0;
    for (; !message.endsWith(QStringLiteral("\r\n.\r\n")) && rounds < 100; ++rounds) {
        const QStringList writes = m_socket->takeSent();
        QVERIFY(!writes.isEmpty());
        for (const QString &w : writes) {
            QVERIFY(w.size() <= 300 * 1024); // a piece, never the whole file
            message += w;
        }
        m_socket->drain();
    }
    QVERIFY2(rounds > 2, "the file went out in one go");
    QVERIFY(message.contains(QString::fromLatin1(bytes.first(57).toBase64() + "\r\n")));
    QCOMPARE(m_status->text, QString());
    m_socket->arrive(crlf("250 queued"));
    m_socket->arrive(crlf("221 bye"));
    QCOMPARE(m_status->text, QStringLiteral("Sent OK."));
}

void TestAttachments::changedWhileSent_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("rewritten") << "rewritten"
                               << "Not sent: big.pdf has changed since it was attached; attach "
                                  "it again";
    QTest::newRow("cut short") << "cut short"
                               << "Not sent: big.pdf has changed since it was attached; attach "
                                  "it again";
    QTest::newRow("grown") << "grown"
                           << "Not sent: big.pdf has changed since it was attached; attach it "
                              "again";
    QTest::newRow("gone before DATA")
        << "gone" << "Not sent: big.pdf cannot be read: No such file or directory";
}

// The server never gets the final dot, so it keeps nothing.
void TestAttachments::changedWhileSent()
{
    QFETCH(QString, change);
    QFETCH(QString, outcome);
    const QByteArray bytes = "%PDF-1.4\n" + QByteArray(2'000'000, 'x');
    const QString path = write("big.pdf", bytes);
    const Enclosure big = documentfiles::enclosure(path, "application/pdf");
    if (change == QStringLiteral("gone")) {
        QFile::remove(path);
        startWithFile(big);
    } else {
        startWithFile(big);
        QByteArray changed = bytes;
        if (change == QStringLiteral("rewritten"))
            changed[1'500'000] = 'y';
        else if (change == QStringLiteral("cut short"))
            changed.chop(1000);
        else
            changed += "more";
        writeFile(path, changed);
    }
    for (int i = 0; i < 20 && m_session->isBusy(); ++i)
        m_socket->drain();
    QCOMPARE(m_status->text, outcome);
    QVERIFY(!m_socket->sent.join(QString()).contains(QStringLiteral("\r\n.\r\n")));
    QVERIFY(!m_socket->open);
}

QTEST_GUILESS_MAIN(TestAttachments)
#include "tst_attachments.moc"
