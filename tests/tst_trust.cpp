#include "reports/faxmatch.h"
#include "reports/reportreader.h"
#include "reports/trust.h"
#include "reports/wording.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

// Whether a report proves it is the gateway's: what a stranger can write
// (a From, a text, an Authentication-Results of its own) proves nothing;
// the fax's Message-ID, or the user's receiving server's word on the
// gateway's signature, does.
class tst_Trust : public QObject
{
    Q_OBJECT

    static QByteArray report(const QByteArray &from, const QByteArray &more = {},
                             const QByteArray &text = "Your fax to 555 123 4567 was delivered.")
    {
        return more + "From: " + from + "\r\nDate: Tue, 08 Dec 2026 14:06:00 +0000\r\n"
               "Message-ID: <r1@fax1.example>\r\nSubject: Fax report\r\n"
               "Content-Type: text/plain; charset=utf-8\r\n\r\n" + text;
    }

    static WaitingFax fax(const QString &subject = QStringLiteral("Order"),
                          const QString &gateway = QStringLiteral("fax1.example"))
    {
        return {QStringLiteral("c0"), QStringLiteral("<1765.x7@host.example.org>"),
                QStringLiteral("555 123 4567"), subject, gateway,
                QDateTime(QDate(2026, 12, 8), QTime(14, 0), Qt::UTC)};
    }

    // A gateways.ini holding `text`, read as the watch reads it.
    static QList<Wording> ini(const QByteArray &text, QString *path = nullptr,
                              QStringList *problems = nullptr)
    {
        static QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("gateways.ini")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        file.write(text);
        file.close();
        if (path)
            *path = file.fileName();
        QStringList ignored;
        return wording::load({file.fileName()}, problems ? *problems : ignored);
    }

private Q_SLOTS:
    void verify_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("imapHost");
        QTest::addColumn<QByteArray>("gatewaysIni");
        QTest::addColumn<int>("matched"); // faxmatch::find
        QTest::addColumn<int>("proof");
        const int none = int(Delivery::Proof::None), dkim = int(Delivery::Proof::Dkim);
        const QString imap = QStringLiteral("imap.example.org");
        const QByteArray gateway = "Fax1 <reports@fax1.example>";

        QTest::newRow("the gateway's address as a quoted name")
            << report("\"<reports@fax1.example>\" <mallory@evil.test>") << imap << QByteArray() << -1 << none;
        QTest::newRow("the gateway's address as an encoded-word name")
            << report("=?utf-8?q?=3Creports=40fax1.example=3E?= <mallory@evil.test>") << imap
            << QByteArray() << -1 << none;
        QTest::newRow("two senders, one the gateway")
            << report("reports@fax1.example, mallory@evil.test") << imap << QByteArray() << -1 << none;
        QTest::newRow("the gateway's From alone proves nothing")
            << report(gateway) << imap << QByteArray() << 0 << none;
        QTest::newRow("the receiving server found the gateway's signature")
            << report(gateway, "Authentication-Results: imap.example.org; dkim=pass header.d=fax1.example\r\n")
            << imap << QByteArray() << 0 << dkim;
        QTest::newRow("DMARC pass, written by the mailbox's domain")
            << report(gateway, "Authentication-Results: example.org;\r\n spf=pass smtp.mailfrom=fax1.example;"
                               " dmarc=pass (p=reject) header.from=fax1.example\r\n")
            << imap << QByteArray() << 0 << int(Delivery::Proof::Dmarc);
        QTest::newRow("a pass written by a server no one trusts")
            << report(gateway, "Authentication-Results: mx.evil.test; dkim=pass header.d=fax1.example\r\n")
            << imap << QByteArray() << 0 << none;
        QTest::newRow("only the topmost trusted field counts")
            << report(gateway, "Authentication-Results: mx.evil.test; dkim=pass header.d=fax1.example\r\n"
                               "Authentication-Results: imap.example.org; dkim=fail header.d=fax1.example\r\n"
                               "Authentication-Results: imap.example.org; dkim=pass header.d=fax1.example\r\n")
            << imap << QByteArray() << 0 << none;
        QTest::newRow("signed, but by someone else")
            << report(gateway, "Authentication-Results: imap.example.org; dkim=pass header.d=evil.test\r\n")
            << imap << QByteArray() << 0 << none;
        QTest::newRow("signed by a domain below the gateway's, not above")
            << report(gateway, "Authentication-Results: imap.example.org; dkim=pass header.d=x.fax1.example\r\n")
            << imap << QByteArray() << 0 << none;
        QTest::newRow("a reply naming the fax's Message-ID")
            << report(gateway, "In-Reply-To: <1765.x7@host.example.org>\r\n", "Delivered.") << imap
            << QByteArray() << 0 << int(Delivery::Proof::MessageId);
        QTest::newRow("the Message-ID quoted in the text")
            << report(gateway, {}, "Fax 1765.x7@host.example.org to 555 123 4567 delivered.") << imap
            << QByteArray() << 0 << int(Delivery::Proof::MessageId);
        const QByteArray microsoft =
            "Authentication-Results: spf=pass (sender IP is 192.0.2.7)\r\n smtp.mailfrom=fax1.example; "
            "dkim=pass (signature was verified)\r\n header.d=fax1.example;dmarc=pass action=none\r\n "
            "header.from=fax1.example;compauth=pass reason=100\r\n";
        QTest::newRow("Microsoft 365's form, on Microsoft's server")
            << report(gateway, microsoft) << QStringLiteral("outlook.office365.com") << QByteArray() << 0
            << dkim;
        QTest::newRow("Microsoft 365's form, on any other server")
            << report(gateway, microsoft) << imap << QByteArray() << 0 << none;
        QTest::newRow("Google's form, on Gmail")
            << report(gateway, "Authentication-Results: mx.google.com;\r\n dkim=pass header.i=@fax1.example "
                               "header.s=s1 header.b=Ab1;\r\n spf=pass smtp.mailfrom=fax1.example\r\n")
            << QStringLiteral("imap.gmail.com") << QByteArray() << 0 << dkim;
        QTest::newRow("a receiving server named in gateways.ini")
            << report(gateway, "Authentication-Results: mx1.corp.test; dkim=pass header.d=fax1.example\r\n")
            << imap << QByteArray("[trust]\nauthserv-id = mx1.corp.test, mx2.corp.test\n") << 0 << dkim;
        QTest::newRow("the mailbox's own names turned off")
            << report(gateway, "Authentication-Results: imap.example.org; dkim=pass header.d=fax1.example\r\n")
            << imap << QByteArray("[trust]\ndefaults = false\n") << 0 << none;
        QTest::newRow("a gateway trusted by its sender alone")
            << report(gateway) << imap << QByteArray("[fax1.example]\ntrust = sender\n") << 0
            << int(Delivery::Proof::Sender);
    }
    void verify()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, imapHost);
        QFETCH(QByteArray, gatewaysIni);
        QFETCH(int, matched);
        QFETCH(int, proof);
        QString file;
        QStringList problems;
        const QList<Wording> table = ini(gatewaysIni, &file, &problems);
        QVERIFY(!file.isEmpty() && problems.isEmpty());
        const ReportText text = report::read(message);
        QCOMPARE(int(faxmatch::find(text, {fax()}, table)), matched);
        if (matched < 0)
            return;
        const QStringList trusted = trust::authservIds(imapHost, {file});
        QCOMPARE(int(trust::verify(text, fax(), wording::forGateway(table, fax().gateway), trusted)),
                 proof);
    }

    // Which fax a report is on, where no Message-ID or number says it.
    void whichFax_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QStringList>("subjects"); // of the waiting faxes, oldest first
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<int>("fax");
        const QByteArray from = "reports@fax1.example";
        const QStringList twoFaxes{QStringLiteral("Fax"), QStringLiteral("Contract")};
        QTest::newRow("a quoted subject")
            << report(from, {}, "Your fax \"Contract\" was delivered.") << twoFaxes << "fax1.example" << 1;
        QTest::newRow("a subject that is a word of the text")
            << report(from, {}, "Your fax was delivered.") << twoFaxes << "fax1.example" << -1;
        QTest::newRow("the subject after a colon")
            << report(from, {}, "Subject: Contract\nStatus: delivered") << twoFaxes << "fax1.example" << 1;
        QTest::newRow("a subject two faxes share")
            << report(from, {}, "Subject: Contract\nStatus: delivered")
            << QStringList{QStringLiteral("Contract"), QStringLiteral("Contract")} << "fax1.example" << -1;
        QTest::newRow("a public suffix is no gateway's domain")
            << report("reports@other.co.uk", {}, "Subject: Contract") << twoFaxes << "myfax.co.uk" << -1;
        QTest::newRow("a gateway's registrable domain is")
            << report("reports@mail.myfax.co.uk", {}, "Subject: Contract") << twoFaxes << "myfax.co.uk" << 1;
    }
    void whichFax()
    {
        QFETCH(QByteArray, message);
        QFETCH(QStringList, subjects);
        QFETCH(QString, gateway);
        QFETCH(int, fax);
        QList<WaitingFax> waiting;
        for (const QString &subject : subjects) {
            WaitingFax f = tst_Trust::fax(subject, gateway);
            f.fax = QStringLiteral("030 99 88 %1").arg(waiting.size());
            f.sent = f.sent.addSecs(waiting.size() * 60);
            waiting.append(f);
        }
        QCOMPARE(int(faxmatch::find(report::read(message), waiting, {})), fax);
        QVERIFY(!faxmatch::senders(waiting, {}).contains(QStringLiteral("co.uk")));
    }

    // gateways.ini names a built-in provider's gateway by its domain.
    void providerDomain()
    {
        const QList<Wording> table = ini("[tpc.example]\nsenders = fax@reports.tpc.example\n"
                                         "delivered = \"\\\\bRESULT OK\\\\b\"\n");
        const Wording words = wording::forGateway(table, QStringLiteral("15551234567.tpc.example"));
        QCOMPARE(words.senders, QStringList{QStringLiteral("fax@reports.tpc.example")});
        QCOMPARE(words.delivered.size(), 1);
    }

    // HTML that once took seconds a message: the time grows with the length.
    void brokenHtml()
    {
        QByteArray html;
        while (html.size() < 256 * 1024)
            html += "<script></scrip>";
        QElapsedTimer timer;
        timer.start();
        const ReportText text = report::read(
            report("reports@fax1.example", {}, html).replace("text/plain", "text/html"));
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(text.text.isEmpty());
        QCOMPARE(report::read(report("r@fax1.example", {}, "<p>A &amp; B &#233;&bogus; <b>c</b></p>x")
                                  .replace("text/plain", "text/html"))
                     .text,
                 QStringLiteral("A & B \u00e9 c\nx"));
    }
};

QTEST_GUILESS_MAIN(tst_Trust)
#include "tst_trust.moc"
