#include "fakekeyring.h"
#include "fakesend.h"
#include "outbox/outbox.h"
#include "privatedovecot.h"
#include "realsender.h"
#include "sent/reportfolder.h"
#include "sent/sentmodel.h"
#include "store/reportsettings.h"

#include <QSignalSpy>
#include <QtTest>

// Faxes sent through a scripted gateway (aiosmtpd) whose reports arrive
// in a real Dovecot's inbox, read by the Outbox's delivery watch.
class tst_DeliveryReports : public QObject
{
    Q_OBJECT

    // The gateway: takes faxes, reports on each after `pause` seconds.
    struct Gateway
    {
        QProcess process;
        quint16 port = 0;
        bool start(const PrivateDovecot &dovecot, const QJsonObject &shapes, double pause = 0.3)
        {
            process.start(QStringLiteral("/usr/bin/python3"),
                          {QStringLiteral(FAX_GATEWAY_SCRIPT), dovecot.config(),
                           PrivateDovecot::User, QString::number(pause),
                           QString::fromUtf8(QJsonDocument(shapes).toJson(QJsonDocument::Compact))});
            if (!process.waitForStarted() || !process.waitForReadyRead(20000))
                return false;
            port = quint16(process.readLine().trimmed().toUInt());
            return port > 0;
        }
        ~Gateway()
        {
            process.closeWriteChannel();
            if (!process.waitForFinished(5000))
                process.kill();
        }
    };

    // An Outbox reading reports on `imapServer` with the test's issuer.
    std::unique_ptr<RealSender> sender(const QString &imapServer, imap::Timeouts timeouts = {})
    {
        OutboxParts parts;
        parts.imapSocket = std::make_unique<SslSmtpSocket>(m_issuers);
        parts.imapTimeouts = timeouts;
        parts.reconnectPause = std::chrono::milliseconds(200);
        auto s = std::make_unique<RealSender>(m_issuers, std::move(parts));
        s->prompt.user = PrivateDovecot::User;
        s->prompt.passwords = {PrivateDovecot::Password};
        s->outbox->watchReports(ReportSettings{imapServer, true},
                                QStringLiteral("127.0.0.1:%1").arg(m_gateway->port),
                                QStringLiteral("joe@example.org"));
        return s;
    }

    QString imaps() const { return QStringLiteral("imaps://127.0.0.1:%1").arg(m_dovecot.imapsPort); }

    PrivateDovecot m_dovecot;
    QList<QSslCertificate> m_issuers;
    std::unique_ptr<Gateway> m_gateway;

private Q_SLOTS:
    void initTestCase()
    {
        const QString problem = m_dovecot.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        m_issuers = QSslCertificate::fromPath(m_dovecot.issuer());
        QVERIFY(!m_issuers.isEmpty());
    }

    void cleanup() { m_gateway.reset(); }

    void reportOnEachFax_data()
    {
        QTest::addColumn<QString>("fax");
        QTest::addColumn<QStringList>("shapes");
        QTest::addColumn<QString>("news");
        QTest::addColumn<QString>("status");

        QTest::newRow("delivered, in English")
            << "555 123 4567" << QStringList{QStringLiteral("delivered")}
            << "Delivered: 555 123 4567, 3 pages." << "Delivered 14:05, 3 pages";
        QTest::newRow("failed: busy, as lines of a report")
            << "555 123 4568" << QStringList{QStringLiteral("failed")}
            << "Not delivered to 555 123 4568: busy" << "Failed: busy";
        QTest::newRow("German, ISO-8859-1, the number spaced otherwise")
            << "030 1234567" << QStringList{QStringLiteral("german")}
            << "Delivered: 030 1234567, 2 pages." << "Delivered";
        QTest::newRow("Spanish, base64")
            << "+1 (555) 123-4569" << QStringList{QStringLiteral("spanish")}
            << "Not delivered to +1 (555) 123-4569: busy" << "Failed: busy";
        QTest::newRow("Japanese, ISO-2022-JP")
            << "555 123 4570" << QStringList{QStringLiteral("japanese")}
            << "Delivered: 555 123 4570, 4 pages." << "Delivered";
        QTest::newRow("HTML only")
            << "555 123 4571" << QStringList{QStringLiteral("html")}
            << "Delivered: 555 123 4571, 5 pages." << "Delivered";
        QTest::newRow("queued, then delivered")
            << "555 123 4572" << QStringList{QStringLiteral("queued"), QStringLiteral("delivered")}
            << "Delivered: 555 123 4572, 3 pages." << "Delivered 14:05, 3 pages";
        QTest::newRow("a stranger's report proves nothing; the gateway's then does")
            << "555 123 4574" << QStringList{QStringLiteral("forged"), QStringLiteral("delivered")}
            << "Delivered: 555 123 4574, 3 pages." << "Delivered 14:05, 3 pages";
        QTest::newRow("the gateway's newsletter, then a reply naming the fax")
            << "555 123 4573" << QStringList{QStringLiteral("unrelated"), QStringLiteral("reply")}
            << "Delivered: 555 123 4573." << "Delivered";
    }
    void reportOnEachFax()
    {
        QFETCH(QString, fax);
        QFETCH(QStringList, shapes);
        QFETCH(QString, news);
        QFETCH(QString, status);
        m_gateway = std::make_unique<Gateway>();
        QJsonObject script;
        QString digits;
        for (const QChar c : fax)
            if (c.isDigit())
                digits += c;
        script.insert(digits, QJsonArray::fromStringList(shapes));
        QVERIFY(m_gateway->start(m_dovecot, script));
        auto s = sender(imaps());
        QSignalSpy delivered(s->outbox.get(), &Outbox::delivered);
        QSignalSpy trouble(s->outbox.get(), &Outbox::reportsTrouble);
        QCOMPARE(s->send(QStringLiteral("127.0.0.1:%1").arg(m_gateway->port),
                         QStringLiteral("Jane Doe"), fax,
                         // Reports on the other rows' faxes are in the inbox too.
                         QString::fromUtf8(QTest::currentDataTag()),
                         QStringLiteral("Please find it attached.")),
                 QStringLiteral("Sent OK."));
        QVERIFY2(delivered.wait(20000), qPrintable(trouble.value(0).value(0).toString() + m_dovecot.log().right(1500)));
        QCOMPARE(delivered.at(0).at(0).toString(), news);
        QCOMPARE(delivered.at(0).at(1).toString(), s->outbox->lastCopy());

        // The Sent window's column, and the report kept beside the copy.
        SentFolder folder(s->folder.path());
        SentModel model(folder);
        const int row = model.row(s->outbox->lastCopy());
        QVERIFY(row >= 0);
        QVERIFY2(model.data(model.index(row, SentModel::Status), Qt::DisplayRole)
                     .toString()
                     .startsWith(status),
                 qPrintable(model.data(model.index(row, SentModel::Status), Qt::DisplayRole)
                                .toString()));
        const QStringList kept =
            QDir(ReportFolder(folder).path() + QStringLiteral("/cur")).entryList(QDir::Files);
        QCOMPARE(kept.size(), shapes.size() - shapes.count(QStringLiteral("unrelated")));
        // Quillon reads only: no report is marked as read, none is gone.
        QProcess flags;
        flags.start(QStringLiteral("/usr/bin/doveadm"),
                    {QStringLiteral("-c"), m_dovecot.config(), QStringLiteral("fetch"),
                     QStringLiteral("-u"), PrivateDovecot::User, QStringLiteral("flags"),
                     QStringLiteral("mailbox"), QStringLiteral("INBOX")});
        QVERIFY(flags.waitForFinished(20000));
        QVERIFY(!flags.readAllStandardOutput().contains("\\Seen"));
    }

    // A server without IDLE is searched again every so often; STARTTLS on
    // its own port.
    void serverWithoutIdle()
    {
        PrivateDovecot plain;
        const QString problem =
            plain.start(QStringLiteral("IMAP4rev1 SASL-IR LITERAL+ STARTTLS AUTH=PLAIN"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        m_gateway = std::make_unique<Gateway>();
        QVERIFY(m_gateway->start(plain, {}, 1.0));
        imap::Timeouts timeouts;
        timeouts.poll = std::chrono::milliseconds(300);
        OutboxParts parts;
        parts.imapSocket =
            std::make_unique<SslSmtpSocket>(QSslCertificate::fromPath(plain.issuer()));
        parts.imapTimeouts = timeouts;
        RealSender s(m_issuers, std::move(parts));
        s.prompt.user = PrivateDovecot::User;
        s.prompt.passwords = {PrivateDovecot::Password};
        s.outbox->watchReports(
            ReportSettings{QStringLiteral("starttls://127.0.0.1:%1").arg(plain.imapPort), true},
            {}, QStringLiteral("joe@example.org"));
        QSignalSpy delivered(s.outbox.get(), &Outbox::delivered);
        QCOMPARE(s.send(QStringLiteral("127.0.0.1:%1").arg(m_gateway->port), QStringLiteral("Jane"),
                        QStringLiteral("555 765 4321"), QStringLiteral("No IDLE"), QStringLiteral("Hi")),
                 QStringLiteral("Sent OK."));
        QVERIFY2(delivered.wait(20000), qPrintable(plain.log().right(1500)));
        QCOMPARE(delivered[0][0].toString(), QStringLiteral("Delivered: 555 765 4321, 3 pages."));
        QVERIFY(!plain.log().contains(QStringLiteral("IDLE")));
    }

    // A fax sent from a script (another Outbox on the same data folder)
    // while the window watches: its report finds it in the Sent folder.
    void faxSentBesideTheWindow()
    {
        m_gateway = std::make_unique<Gateway>();
        QVERIFY(m_gateway->start(m_dovecot, {}, 1.0));
        auto window = sender(imaps());
        QSignalSpy delivered(window->outbox.get(), &Outbox::delivered);
        const QString gateway = QStringLiteral("127.0.0.1:%1").arg(m_gateway->port);
        QCOMPARE(window->send(gateway, QStringLiteral("Jane"), QStringLiteral("555 222 0001"),
                              QStringLiteral("From the window"), QStringLiteral("Hi")),
                 QStringLiteral("Sent OK."));
        RealSender script(m_issuers, {}, nullptr, window->folder.path());
        QCOMPARE(script.send(gateway, QStringLiteral("Jane"), QStringLiteral("555 222 0002"),
                             QStringLiteral("From a script"), QStringLiteral("Hi")),
                 QStringLiteral("Sent OK."));
        QVERIFY2(delivered.wait(20000), qPrintable(m_dovecot.log().right(1500)));
        SentFolder folder(window->folder.path());
        QTRY_VERIFY_WITH_TIMEOUT(
            SentModel(folder)
                .data(SentModel(folder).index(SentModel(folder).row(script.outbox->lastCopy()),
                                              SentModel::Status),
                      Qt::DisplayRole)
                .toString()
                .startsWith(QStringLiteral("Delivered")),
            20000);
    }

    // The server drops the connection while the watch waits: it connects
    // again and still catches the report.
    void droppedConnection()
    {
        m_gateway = std::make_unique<Gateway>();
        QVERIFY(m_gateway->start(m_dovecot, {}, 2.0));
        auto s = sender(imaps());
        QSignalSpy delivered(s->outbox.get(), &Outbox::delivered);
        QCOMPARE(s->send(QStringLiteral("127.0.0.1:%1").arg(m_gateway->port), QStringLiteral("Jane"),
                         QStringLiteral("555 111 2222"), QStringLiteral("Dropped"), QStringLiteral("Hi")),
                 QStringLiteral("Sent OK."));
        QTest::qWait(800); // signed in and idling by now
        QProcess::execute(QStringLiteral("/usr/bin/doveadm"),
                          {QStringLiteral("-c"), m_dovecot.config(), QStringLiteral("kick"),
                           PrivateDovecot::User});
        QVERIFY2(delivered.wait(20000), qPrintable(m_dovecot.log().right(1500)));
        QCOMPARE(delivered[0][0].toString(), QStringLiteral("Delivered: 555 111 2222, 3 pages."));
        QVERIFY(m_dovecot.log().count(QStringLiteral("Login: user=<fax>")) >= 2);
    }

    // A large inbox with hundreds of the gateway's other mails (more than
    // one command fetches): the report among them is found.
    void largeInbox()
    {
        PrivateDovecot full;
        const QString problem = full.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        for (const char *sub : {"cur", "new", "tmp"})
            QVERIFY(QDir().mkpath(full.maildir() + u'/' + QLatin1StringView(sub)));
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        for (int i = 0; i < 3000; ++i) {
            const QByteArray from = i % 10 == 0 ? "news@fax1.example" : "friend@example.com";
            QFile f(full.maildir() + QStringLiteral("/cur/%1.M%2P1.test:2,S").arg(now).arg(i));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("From: " + from + "\r\nTo: joe@example.org\r\nSubject: Prices " +
                    QByteArray::number(i) + "\r\n\r\nFrom January a page costs 5 cents.\r\n");
        }
        QVERIFY(full.giveMail());
        m_gateway = std::make_unique<Gateway>();
        QVERIFY(m_gateway->start(full, {}));
        OutboxParts parts;
        parts.imapSocket = std::make_unique<SslSmtpSocket>(QSslCertificate::fromPath(full.issuer()));
        RealSender s(m_issuers, std::move(parts));
        s.prompt.user = PrivateDovecot::User;
        s.prompt.passwords = {PrivateDovecot::Password};
        s.outbox->watchReports(ReportSettings{QStringLiteral("127.0.0.1:%1").arg(full.imapsPort), true},
                               {}, QStringLiteral("joe@example.org"));
        QSignalSpy delivered(s.outbox.get(), &Outbox::delivered);
        QCOMPARE(s.send(QStringLiteral("127.0.0.1:%1").arg(m_gateway->port), QStringLiteral("Jane"),
                        QStringLiteral("555 999 0000"), QStringLiteral("Large"), QStringLiteral("Hi")),
                 QStringLiteral("Sent OK."));
        QVERIFY2(delivered.wait(30000), qPrintable(full.log().right(1500)));
        QCOMPARE(delivered[0][0].toString(), QStringLiteral("Delivered: 555 999 0000, 3 pages."));
    }

    // A password the server refuses: the watch says so once and stops.
    void refusedSignIn()
    {
        m_gateway = std::make_unique<Gateway>();
        QVERIFY(m_gateway->start(m_dovecot, {}));
        auto s = sender(imaps());
        s->prompt.passwords = {QStringLiteral("wrong")};
        QSignalSpy trouble(s->outbox.get(), &Outbox::reportsTrouble);
        QCOMPARE(s->send(QStringLiteral("127.0.0.1:%1").arg(m_gateway->port), QStringLiteral("Jane"),
                         QStringLiteral("555 333 4444"), QStringLiteral("Refused"), QStringLiteral("Hi")),
                 QStringLiteral("Sent OK."));
        QVERIFY(trouble.wait(20000));
        QVERIFY2(trouble[0][0].toString().startsWith(QStringLiteral(
                     "Delivery reports cannot be read: the IMAP server refused the sign-in")),
                 qPrintable(trouble[0][0].toString()));
        QVERIFY(!trouble[0][0].toString().contains(QStringLiteral("wrong")));
        QTest::qWait(500);
        QCOMPARE(trouble.size(), 1);
        QCOMPARE(s->prompt.asked.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_DeliveryReports)
#include "tst_deliveryreports.moc"
