#include "sendcommandfixture.h"
#include "sent/sentfolder.h"
#include "sent/storedmessage.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The Outbox as a window drives it, over the scripted socket with a
// keyring in memory: what the status line is told through an exchange,
// and the copy kept of each fax naming that fax, whatever is pressed while
// it goes.
class TestOutbox : public SendCommandFixture
{
    Q_OBJECT
private Q_SLOTS:
    void init() { prepare(); }
    void statusThroughAnExchange_data();
    void statusThroughAnExchange();
    void copyNamesItsOwnFax();

private:
    static QString line(const char *text) { return QString::fromLatin1(text) + QStringLiteral("\r\n"); }
    static Draft fax(const QString &to, const QString &number)
    {
        return {to,       number, QStringLiteral("Offer"), QStringLiteral("Dear Sir,\r\nhello"),
                QStringLiteral("joe@example.org"), QStringLiteral("mail.example"),
                QStringLiteral("Fax1"), QString(), {}, 0};
    }
    // Plays a server without extensions up to its 354 and takes the
    // message, the final reply still to come.
    void playToMessage()
    {
        for (const char *reply : {"220 mail.example", "250 mail.example", "250 ok", "250 ok",
                                  "354 go ahead"})
            m_socket->arrive(line(reply));
    }
};

void TestOutbox::statusThroughAnExchange_data()
{
    QTest::addColumn<QString>("end");     // "250", "554" or "reset"
    QTest::addColumn<QStringList>("status");
    QTest::addColumn<QStringList>("boxes");
    const QStringList running = {QStringLiteral("Sending"), QString(), QString(), QString(),
                                 QString(), QString()};
    QTest::newRow("taken") << QStringLiteral("250")
                           << running + QStringList{QString(), QStringLiteral("Sent OK.")}
                           << QStringList();
    QTest::newRow("refused") << QStringLiteral("554")
                             << running + QStringList{QStringLiteral("SMTP Error: 554 no\r\n")}
                             << QStringList();
    QTest::newRow("connection reset")
        << QStringLiteral("reset")
        << running + QStringList{QStringLiteral("SMTP Error: Connection reset by peer")}
        << QStringList{QStringLiteral(
               "Winsock Error | Winsock Error number 10054\r\nConnection reset by peer")};
}

void TestOutbox::statusThroughAnExchange()
{
    QFETCH(QString, end);
    QFETCH(QStringList, status);
    QFETCH(QStringList, boxes);
    QSignalSpy finished(m_outbox.get(), &Outbox::finished);
    QVERIFY(m_outbox->submit(fax(QStringLiteral("Jane"), QStringLiteral("555 1234"))));
    playToMessage();
    if (end == u"reset")
        Q_EMIT m_socket->error(10054, QStringLiteral("Connection reset by peer"));
    else
        m_socket->arrive(end == u"250" ? line("250 queued") : line("554 no"));
    if (end == u"250")
        m_socket->arrive(line("221 bye"));
    QCOMPARE(m_status.history, status);
    QCOMPARE(m_box.shown, boxes);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toString(), status.last());
    QVERIFY(!m_outbox->isBusy());
}

// Send pressed for a second fax while a slow server holds the first: the
// second is refused, and the copy kept of the first is the first's.
void TestOutbox::copyNamesItsOwnFax()
{
    QVERIFY(m_outbox->submit(fax(QStringLiteral("Jane Doe"), QStringLiteral("555 1234"))));
    playToMessage();
    const QStringList written = m_socket->takeSent();
    QVERIFY(written.join(QString()).endsWith(line(".")));

    Draft second = fax(QStringLiteral("Bob Roe"), QStringLiteral("999 0000"));
    second.provider = QStringLiteral("FaxMate");
    second.pages = 7;
    QCOMPARE(m_outbox->submit(second), std::nullopt);
    QCOMPARE(m_status.text, QStringLiteral("The previous message is still being sent."));
    QCOMPARE(m_socket->connects, 1);

    m_socket->arrive(line("250 queued"));
    m_socket->arrive(line("221 bye"));
    QCOMPARE(m_status.text, QStringLiteral("Sent OK."));
    const SentFolder folder(m_folder->path());
    QCOMPARE(folder.messages().size(), 1);
    QFile copy(QDir(folder.cur()).filePath(folder.messages().first()));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    const stored::Summary kept = stored::readSummary(copy.readAll());
    QCOMPARE(kept.to, QStringLiteral("Jane Doe"));
    QCOMPARE(kept.fax, QStringLiteral("555 1234"));
    QCOMPARE(kept.provider, QStringLiteral("Fax1"));
    QCOMPARE(kept.pages, 0);
    QCOMPARE(kept.recipient, QStringLiteral("5551234@fax1.example"));
}

QTEST_GUILESS_MAIN(TestOutbox)
#include "tst_outbox.moc"
