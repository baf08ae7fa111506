#include "reports/faxmatch.h"
#include "reports/reportreader.h"
#include "reports/wording.h"
#include "sent/delivery.h"

#include <QTemporaryDir>
#include <QtTest>

// What a report says, read from its subject and text; which fax it is on.
class tst_ReportReader : public QObject
{
    Q_OBJECT

    static QByteArray message(const QString &from, const QString &subject, const QByteArray &body,
                              const QByteArray &type = "text/plain; charset=utf-8",
                              const QByteArray &more = {})
    {
        return "From: " + from.toUtf8() + "\r\nDate: Tue, 08 Dec 2026 14:06:00 +0000\r\n"
               "Message-ID: <r1@fax1.example>\r\nSubject: " + subject.toUtf8() +
               "\r\nContent-Type: " + type + "\r\n" + more + "\r\n" + body;
    }

private Q_SLOTS:
    void classify_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("said"); // state, pages, reason

        QTest::newRow("delivered, pages and time")
            << "Successfully sent fax to Jane Doe (+15551234567)"
            << QByteArray("Your fax of 3 pages was delivered at 2026-12-08 14:05:11.")
            << "delivered 3 pages at 14:05";
        QTest::newRow("a report of status lines")
            << "Fax transmission report"
            << QByteArray("Status: Failed\nReason: Busy\nPages sent: 0 of 3\n"
                          "Destination: 0123456789\nOriginal subject: Quotation 2027\n")
            << "failed: busy";
        QTest::newRow("German success")
            << "Fax-Sendebericht: erfolgreich an 0301234567"
            << QByteArray("Ihr Fax an 030 1234567 wurde erfolgreich \xc3\xbc" "bertragen. Seiten: 2")
            << "delivered 2 pages";
        QTest::newRow("German failure")
            << "Fax-Sendebericht"
            << QByteArray("Ihr Fax konnte nicht zugestellt werden: besetzt.")
            << "failed: busy";
        QTest::newRow("Spanish failure") << "Informe"
            << QByteArray("No se pudo entregar el fax: sin respuesta.") << "failed: no answer";
        QTest::newRow("French failure") << "Rapport de fax"
            << QByteArray("Votre fax n'a pas pu \xc3\xaatre envoy\xc3\xa9 : num\xc3\xa9ro invalide.")
            << "failed: wrong number";
        QTest::newRow("Japanese success") << "FAX送信結果"
            << QByteArray("FAX送信が完了しました。送信枚数 4枚") << "delivered 4 pages";
        QTest::newRow("Japanese failure") << "FAX送信結果"
            << QByteArray("送信できませんでした（話中）") << "failed: busy";
        // Japanese as gateways and fax machines word it: particles and
        // politeness between the words, a result line of its own.
        QTest::newRow("Japanese: sent normally, with particles") << "ファクス送信のお知らせ"
            << QByteArray("ファクスの送信は正常に完了いたしました。枚数：2") << "delivered 2 pages";
        QTest::newRow("Japanese: a result line OK") << "FAX送信結果通知"
            << QByteArray("宛先：0312345678\n送信結果：OK\nページ数：3") << "delivered 3 pages";
        QTest::newRow("Japanese: a result line NG, busy") << "FAX送信結果通知"
            << QByteArray("送信結果：NG\n理由：話し中") << "failed: busy";
        QTest::newRow("Japanese: no answer") << "送信エラー"
            << QByteArray("相手先が応答しませんでした。送信に失敗しました。") << "failed: no answer";
        QTest::newRow("Japanese: a number not in use") << "ファクス不達のお知らせ"
            << QByteArray("この番号は現在使われておりません。") << "failed: wrong number";
        QTest::newRow("Japanese: no error is no failure") << "FAX送信結果"
            << QByteArray("送信結果：成功\nエラー：なし") << "delivered";
        QTest::newRow("Japanese: waiting to be sent again") << "FAX受付"
            << QByteArray("話中のため再送待ちです。") << "queued";
        QTest::newRow("no page sent is a failure") << "Fax report"
            << QByteArray("0 of 3 pages sent.") << "failed";
        QTest::newRow("failure wording wins") << "Fax delivered?"
            << QByteArray("The transmission failed.\nReason: Line error 41") << "failed: line error 41";
        QTest::newRow("could not deliver: not a fax machine") << "Fax"
            << QByteArray("We could not deliver your fax: a voice answered.")
            << "failed: not a fax machine";
        QTest::newRow("a document the gateway refused") << "Fax"
            << QByteArray("Status: failed. The attachment could not be converted.")
            << "failed: document refused";
        QTest::newRow("queued for delivery is an interim receipt") << "Fax received"
            << QByteArray("Your fax has been queued for delivery.") << "queued";
        QTest::newRow("words inside words are none") << "Consent form"
            << QByteArray("The undelivered-looking word is not here: consent, unsent.") << "none";
        QTest::newRow("a newsletter says nothing") << "Our prices for 2027"
            << QByteArray("From January a page costs 5 cents.") << "none";
    }
    void classify()
    {
        QFETCH(QString, subject);
        QFETCH(QByteArray, text);
        QFETCH(QString, said);
        const ReportText report =
            report::read(message(QStringLiteral("reports@fax1.example"), subject, text));
        const std::optional<Delivery> d = report::classify(report, wording::builtIn());
        QString got = QStringLiteral("none");
        if (d && d->state == Delivery::State::Delivered) {
            got = QStringLiteral("delivered");
            if (d->pages)
                got += QStringLiteral(" %1 pages").arg(d->pages);
            if (d->at.isValid() && text.contains("14:05"))
                got += QStringLiteral(" at ") + d->at.toString(QStringLiteral("HH:mm"));
        } else if (d && d->state == Delivery::State::Failed) {
            got = QStringLiteral("failed") + (d->reason.isEmpty() ? QString() : QStringLiteral(": ") + d->reason);
        } else if (d) {
            got = QStringLiteral("queued");
        }
        QCOMPARE(got, said);
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ISO-8859-1, quoted-printable") << message(
            QStringLiteral("r@fax1.example"), QStringLiteral("=?iso-8859-1?q?erfolgreich_=FCbertragen?="),
            "Seiten: 2 =FCbertragen", "text/plain; charset=iso-8859-1",
            "Content-Transfer-Encoding: quoted-printable\r\n");
        QTest::newRow("Shift_JIS") << message(QStringLiteral("r@fax1.example"), QStringLiteral("FAX"),
            QByteArray("\x91\x97\x90\x4d\x8a\xae\x97\xb9 2\x96\x87"), // 送信完了 2枚
            "text/plain; charset=Shift_JIS");
        QTest::newRow("Windows-1252, base64") << message(QStringLiteral("r@fax1.example"), QStringLiteral("Fax"),
            QByteArray("Fax \x93" "delivered\x94, 2 pages").toBase64(), "text/plain; charset=windows-1252",
            "Content-Transfer-Encoding: base64\r\n");
        QTest::newRow("HTML only, entities") << message(QStringLiteral("r@fax1.example"), QStringLiteral("Fax"),
            "<html><style>p{}</style><p>Fax&nbsp;<b>delivered</b>&#46;</p><p>Pages: 2</p>", "text/html");
        QTest::newRow("multipart, the plain part read") << message(QStringLiteral("r@fax1.example"), QStringLiteral("Fax"),
            "--b\r\nContent-Type: text/plain\r\n\r\ndelivered, 2 pages\r\n--b\r\nContent-Type: text/html\r\n\r\n"
            "<p>failed</p>\r\n--b\r\nContent-Type: text/plain\r\nContent-Disposition: attachment\r\n\r\nfailed\r\n--b--\r\n",
            "multipart/mixed; boundary=b");
    }
    // Any charset and transfer encoding; the words read as written.
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        const std::optional<Delivery> d = report::classify(report::read(bytes), wording::builtIn());
        QVERIFY(d);
        QCOMPARE(int(d->state), int(Delivery::State::Delivered));
        QCOMPARE(d->pages, 2);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("country code written two ways") << "+1 (555) 123-4567" << "0015551234567" << true;
        QTest::newRow("without the country code") << "5551234567" << "+1 555 123 4567" << true;
        QTest::newRow("spaced otherwise") << "030 1234567" << "0301234567" << true;
        QTest::newRow("one digit apart") << "5551234567" << "5551234568" << false;
        QTest::newRow("too short to tell") << "123456" << "123456" << false;
    }
    void numbers()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(faxmatch::sameNumber(a, b), same);
    }

    void whichFax_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QByteArray>("more");
        QTest::addColumn<int>("fax");

        QTest::newRow("names the fax's Message-ID")
            << "r@fax1.example" << "Re: your fax" << QByteArray("In-Reply-To: <m2@example.org>\r\n") << 2;
        QTest::newRow("names the number: the oldest fax to it")
            << "r@fax1.example" << "Delivered to 555-123-4567" << QByteArray() << 0;
        QTest::newRow("from the domain the gateway belongs to")
            << "noreply@mail.fax1.example" << "Delivered to 555-123-4567" << QByteArray() << 0;
        QTest::newRow("quotes the subject")
            << "r@fax1.example" << "Delivered: Invoice 42" << QByteArray() << 2;
        QTest::newRow("from anyone else") << "r@other.example" << "Delivered to 555-123-4567"
                                          << QByteArray() << -1;
        QTest::newRow("before the faxes were sent")
            << "r@fax1.example" << "Delivered to 555-123-4567"
            << QByteArray("Date: Mon, 07 Dec 2026 09:00:00 +0000\r\n") << -1;
    }
    void whichFax()
    {
        QFETCH(QString, from);
        QFETCH(QString, subject);
        QFETCH(QByteArray, more);
        QFETCH(int, fax);
        const QDateTime sent(QDate(2026, 12, 8), QTime(14, 0), Qt::UTC);
        const QList<WaitingFax> waiting{
            {QStringLiteral("c0"), QStringLiteral("<m0@example.org>"), QStringLiteral("555 123 4567"),
             QStringLiteral("Order"), QStringLiteral("fax1.example"), sent},
            {QStringLiteral("c1"), QStringLiteral("<m1@example.org>"), QStringLiteral("555 123 4567"),
             QStringLiteral("Order"), QStringLiteral("fax1.example"), sent.addSecs(60)},
            {QStringLiteral("c2"), QStringLiteral("<m2@example.org>"), QStringLiteral("030 999999"),
             QStringLiteral("Invoice 42"), QStringLiteral("fax1.example"), sent},
        };
        QByteArray bytes = message(from, subject, "Your fax was delivered.");
        if (more.startsWith("Date:"))
            bytes.replace("Date: Tue, 08 Dec 2026 14:06:00 +0000\r\n", more);
        else
            bytes.prepend(more);
        QCOMPARE(int(faxmatch::find(report::read(bytes), waiting, {})), fax);
        QCOMPARE(faxmatch::senders(waiting, {}), QStringList{QStringLiteral("fax1.example")});
    }

    // gateways.ini: a gateway's own senders and words, over the built-in ones.
    void gatewaysIni()
    {
        QTemporaryDir dir;
        QFile ini(dir.filePath(QStringLiteral("gateways.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[fax1.example]\nsenders = noreply@faxservice.example\n"
                  "delivered = \"\\\\bRESULT OK\\\\b\"\nfailed = \"\\\\bRESULT KO\\\\b\"\n"
                  "[broken.example]\nfailed = \"(\"\n");
        ini.close();
        QStringList problems;
        const QList<Wording> table = wording::load({ini.fileName()}, problems);
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems[0].contains(QStringLiteral("broken.example")));
        const WaitingFax fax{QStringLiteral("c0"), {}, QStringLiteral("555 123 4567"), {},
                             QStringLiteral("fax1.example"), {}};
        const ReportText report = report::read(
            message(QStringLiteral("noreply@faxservice.example"), QStringLiteral("555 123 4567"),
                    "RESULT OK (the built-in words would say: failed)"));
        QCOMPARE(faxmatch::find(report, {fax}, table), 0);
        QCOMPARE(faxmatch::senders({fax}, table),
                 (QStringList{QStringLiteral("fax1.example"), QStringLiteral("noreply@faxservice.example")}));
        const std::optional<Delivery> d = report::classify(report, wording::forGateway(table, fax.gateway));
        QVERIFY(d && d->state == Delivery::State::Delivered);
    }

    // The report kept: whatever its header held, one message with its
    // text parts, and trace fields no text of the report can break.
    void keptReport()
    {
        Delivery d;
        d.state = Delivery::State::Failed;
        d.copy = QStringLiteral("1765.M1P2Q3.host:2,S");
        d.reason = QStringLiteral("busy\r\nBcc: victim@example.org");
        d.words = {QStringLiteral("Status: Failed"), QStringLiteral("Reason: B\xfcsy")};
        imap::TextPart part{"1", "plain", "utf-8", "quoted-printable",
                            "Status: Failed\r\n--=_quillon_report_kept--\r\nafter"};
        const QByteArray kept = d.traceFields() +
                                report::keptMessage("Subject: Fax\r\nContent-Type: multipart/mixed; "
                                                    "boundary=x\r\nX-Quillon-Report-For: forged\r\n\r\n",
                                                    {part});
        QVERIFY(!kept.contains("\nBcc:"));
        QCOMPARE(kept.count("X-Quillon-Report-For"), 1);
        const std::optional<Delivery> back = Delivery::fromHeader(kept);
        QVERIFY(back);
        QCOMPARE(back->copy, d.copy);
        QCOMPARE(back->reason.simplified(), QStringLiteral("busy Bcc: victim@example.org"));
        QCOMPARE(back->words, d.words);
        QVERIFY(report::read(kept).text.contains(QStringLiteral("after")));
    }

    void texts_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("news");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("verified");
        QTest::newRow("3 pages") << int(Delivery::State::Delivered) << 3
                                 << "Delivered: 0123 456 789, 3 pages." << "Delivered 14:05, 3 pages" << true;
        QTest::newRow("1 page") << int(Delivery::State::Delivered) << 1
                                << "Delivered: 0123 456 789, 1 page." << "Delivered 14:05, 1 page" << true;
        QTest::newRow("no pages given") << int(Delivery::State::Delivered) << 0
                                        << "Delivered: 0123 456 789." << "Delivered 14:05" << true;
        QTest::newRow("failed") << int(Delivery::State::Failed) << 0
                                << "Not delivered to 0123 456 789: busy" << "Failed: busy" << true;
        QTest::newRow("a report that proved nothing")
            << int(Delivery::State::Delivered) << 3 << "Delivered: 0123 456 789, 3 pages."
            << "Unverified report: Delivered 14:05, 3 pages, from mallory@evil.test" << false;
    }
    // The status line's news, the Sent window's Status column.
    void texts()
    {
        QFETCH(int, state);
        QFETCH(int, pages);
        QFETCH(QString, news);
        QFETCH(QString, status);
        QFETCH(bool, verified);
        Delivery d;
        d.state = Delivery::State(state);
        d.proof = verified ? Delivery::Proof::Dkim : Delivery::Proof::None;
        d.sender = QStringLiteral("mallory@evil.test");
        d.pages = pages;
        d.reason = QStringLiteral("busy");
        d.at = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 11));
        QCOMPARE(delivery::news(d, QStringLiteral("0123 456 789")), news);
        const QDateTime sent(QDate(2026, 12, 8), QTime(14, 0));
        QCOMPARE(delivery::status(d, sent, sent.addSecs(600)), status);
        QCOMPARE(delivery::status(std::nullopt, sent, sent.addSecs(600)),
                 QStringLiteral("Accepted by the server"));
        QCOMPARE(delivery::status(std::nullopt, sent, sent.addDays(3)), QStringLiteral("No report"));
        QCOMPARE(delivery::statement(std::nullopt),
                 QStringLiteral("Accepted by the mail server; the gateway has not reported delivery."));
    }
};

QTEST_GUILESS_MAIN(tst_ReportReader)
#include "tst_reportreader.moc"
