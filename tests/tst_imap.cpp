#include "fakesend.h"
#include "imap/command.h"
#include "imap/response.h"
#include "imap/responsereader.h"
#include "imap/session.h"

#include <QSignalSpy>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

// The sign-in the user gave: joe, "pw".
class GivenSignIn : public CredentialSource
{
public:
    void request(const Account &, std::function<void(SignInResult)> done) override
    {
        ++requests;
        done(SignInResult{SignIn{QStringLiteral("joe"), QStringLiteral("pw"), {}, false}, {}});
    }
    void refused(const Account &) override { ++refusals; }
    int requests = 0;
    int refusals = 0;
};

// What the response says, in one line: kind, tag, name, number, code and
// the data, for comparing.
QString describe(const imap::Value &v)
{
    switch (v.type) {
    case imap::Value::Type::Nil:
        return QStringLiteral("NIL");
    case imap::Value::Type::Atom:
        return QString::fromLatin1(v.text);
    case imap::Value::Type::String:
        return u'"' + QString::fromLatin1(v.text) + u'"';
    case imap::Value::Type::List: {
        QStringList items;
        for (const imap::Value &i : v.items)
            items.append(describe(i));
        return u'(' + items.join(u' ') + u')';
    }
    }
    return {};
}

QString describe(const imap::Response &r)
{
    static const char *const kinds[] = {"tagged", "status", "data", "continuation"};
    QStringList parts{QLatin1StringView(kinds[int(r.kind)])};
    if (!r.tag.isEmpty())
        parts.append(QString::fromLatin1(r.tag));
    if (!r.name.isEmpty())
        parts.append(QString::fromLatin1(r.name));
    if (r.number)
        parts.append(QString::number(*r.number));
    if (!r.code.isEmpty()) {
        QStringList code{QString::fromLatin1(r.code)};
        for (const imap::Value &v : r.codeData)
            code.append(describe(v));
        parts.append(u'[' + code.join(u' ') + u']');
    }
    for (const imap::Value &v : r.data)
        parts.append(describe(v));
    if (!r.text.isEmpty())
        parts.append(QStringLiteral("text=") + QString::fromLatin1(r.text));
    return parts.join(u' ');
}

} // namespace

class tst_Imap : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void responses_data();
    void responses();
    void caps_data();
    void caps();
    void search_data();
    void search();
    void transcript_data();
    void transcript();
};

void tst_Imap::responses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("read");

    QTest::newRow("greeting with capabilities")
        << QByteArray("* OK [CAPABILITY IMAP4rev1 STARTTLS IDLE] Dovecot ready.\r\n")
        << QStringList{QStringLiteral("status * OK [CAPABILITY IMAP4rev1 STARTTLS IDLE] text=Dovecot ready.")};
    QTest::newRow("tagged refusal, continuation")
        << QByteArray("q3 NO [AUTHENTICATIONFAILED] Authentication failed.\r\n+ \r\n+ aWRsaW5n\r\n")
        << QStringList{QStringLiteral("tagged q3 NO [AUTHENTICATIONFAILED] text=Authentication failed."),
                       QStringLiteral("continuation"), QStringLiteral("continuation text=aWRsaW5n")};
    QTest::newRow("numbers and search results")
        << QByteArray("* 31 EXISTS\r\n* 4 EXPUNGE\r\n* SEARCH 12 30\r\n* SEARCH\r\n")
        << QStringList{QStringLiteral("data * EXISTS 31"), QStringLiteral("data * EXPUNGE 4"),
                       QStringLiteral("data * SEARCH 12 30"), QStringLiteral("data * SEARCH")};
    QTest::newRow("literals in a fetch, one empty, one holding a brace and CR LF")
        << QByteArray("* 2 FETCH (UID 12 BODY[HEADER] {14}\r\nA: b\r\nC: {3}\r\n BODY[1]<0> {0}\r\n)\r\n")
        << QStringList{QStringLiteral("data * FETCH 2 (UID 12 BODY[HEADER] \"A: b\r\nC: {3}\r\n\" BODY[1]<0> \"\")")};
    QTest::newRow("quoted strings with escapes, NIL, nested lists")
        << QByteArray("* 3 FETCH (UID 5 BODYSTRUCTURE ((\"text\" \"plain\" (\"charset\" \"utf-8\") NIL NIL \"7bit\" 12 1)(\"image\" \"tiff\" NIL NIL \"a \\\"b\\\\\" \"base64\" 900) \"mixed\"))\r\n")
        << QStringList{QStringLiteral("data * FETCH 3 (UID 5 BODYSTRUCTURE ((\"text\" \"plain\" (\"charset\" \"utf-8\") NIL NIL \"7bit\" 12 1) (\"image\" \"tiff\" NIL NIL \"a \"b\\\" \"base64\" 900) \"mixed\"))")};
    QTest::newRow("bare LF ends a line too")
        << QByteArray("* BYE shutting down\n")
        << QStringList{QStringLiteral("status * BYE text=shutting down")};
}

// However the network pieces the bytes, the same responses come out.
void tst_Imap::responses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, read);
    for (qsizetype piece = 1; piece <= bytes.size(); ++piece) {
        imap::ResponseReader reader;
        QStringList got;
        for (qsizetype at = 0; at < bytes.size(); at += piece) {
            reader.add(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)));
            while (const std::optional<QByteArray> response = reader.next()) {
                const std::optional<imap::Response> parsed = imap::parse(*response);
                got.append(parsed ? describe(*parsed) : QStringLiteral("<unreadable>"));
            }
        }
        QCOMPARE(got, read);
        QCOMPARE(reader.held(), 0);
    }
}

void tst_Imap::caps_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("overflowed");

    QTest::newRow("a line that never ends") << QByteArray(70 * 1024, 'x') << true;
    QTest::newRow("a literal too large to hold")
        << QByteArray("* 1 FETCH (BODY[] {3000000}\r\n") << true;
    QTest::newRow("a long literal is no long line")
        << QByteArray("* 1 FETCH (BODY[] {100000}\r\n") + QByteArray(100000, 'y') + ")\r\n" << false;
}

void tst_Imap::caps()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, overflowed);
    imap::ResponseReader reader;
    reader.add(bytes);
    while (reader.next()) {
    }
    QCOMPARE(reader.overflowed(), overflowed);
}

void tst_Imap::search_data()
{
    QTest::addColumn<quint32>("lastUid");
    QTest::addColumn<bool>("within");
    QTest::addColumn<QStringList>("senders");
    QTest::addColumn<QByteArray>("criteria");
    const QStringList one{QStringLiteral("fax1.example")};
    QTest::newRow("first search, by day") << 0u << false << one
                                          << QByteArray("ALL SINCE 7-Dec-2026 FROM \"fax1.example\"");
    QTest::newRow("later, to the second (WITHIN)")
        << 41u << true << one << QByteArray("UID 42:* YOUNGER 3601 FROM \"fax1.example\"");
    QTest::newRow("three senders, one that cannot be quoted")
        << 0u << false
        << QStringList{QStringLiteral("a.example"), QStringLiteral("x\r\nq9 LOGOUT"),
                       QStringLiteral("b\"c@d.example"), QStringLiteral("e.example")}
        << QByteArray("ALL SINCE 7-Dec-2026 OR OR FROM \"a.example\" FROM \"b\\\"c@d.example\" "
                      "FROM \"e.example\"");
}

// What the server is asked to search for: no text from a setting can end
// the command.
void tst_Imap::search()
{
    QFETCH(quint32, lastUid);
    QFETCH(bool, within);
    QFETCH(QStringList, senders);
    QFETCH(QByteArray, criteria);
    const QDateTime since(QDate(2026, 12, 8), QTime(10, 0));
    QCOMPARE(imap::searchCriteria(lastUid, since, senders, within, since.addSecs(3600)), criteria);
}

// A session as a protocol log: "S:" lines arrive from the server (several
// in one step when joined by "|"), "C:" lines are what the client wrote
// since, "TLS" is the handshake holding, "WAIT" lets the time-outs pass,
// and "END: text" is how the session ended (", retry" when it will try
// again later).
void tst_Imap::transcript_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("TLS, search, fetch text parts only, IDLE")
        << QStringLiteral("imaps://imap.example")
        << QStringList{
               QStringLiteral("TLS"),
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 SASL-IR AUTH=PLAIN AUTH=LOGIN] hi"),
               QStringLiteral("C: q1 AUTHENTICATE PLAIN AGpvZQBwdw=="),
               QStringLiteral("S: q1 OK signed in"),
               QStringLiteral("C: q2 CAPABILITY"),
               QStringLiteral("S: * CAPABILITY IMAP4rev1 IDLE|q2 OK"),
               QStringLiteral("C: q3 EXAMINE INBOX"),
               QStringLiteral("S: * OK [UIDVALIDITY 7] v|* OK [UIDNEXT 40] n|q3 OK [READ-ONLY] done"),
               QStringLiteral("C: q4 UID SEARCH ALL SINCE 7-Dec-2026 FROM \"fax1.example\""),
               QStringLiteral("S: * SEARCH 30 12|q4 OK"),
               QStringLiteral("C: q5 UID FETCH 12,30 (UID BODYSTRUCTURE BODY.PEEK[HEADER.FIELDS (FROM DATE MESSAGE-ID IN-REPLY-TO REFERENCES SUBJECT AUTHENTICATION-RESULTS CONTENT-TYPE CONTENT-TRANSFER-ENCODING MIME-VERSION)]<0.32768>)"),
               QStringLiteral("S: * 1 FETCH (UID 12 BODYSTRUCTURE (\"text\" \"plain\" (\"charset\" \"utf-8\") NIL NIL \"7bit\" 9 1) BODY[HEADER] {17}"),
               QStringLiteral("S: Subject: Fax OK\r\n)"),
               QStringLiteral("S: * 2 FETCH (UID 30 FLAGS (\\Recent) BODYSTRUCTURE (((\"text\" \"plain\" NIL NIL NIL \"quoted-printable\" 5 1)(\"text\" \"html\" NIL NIL NIL \"7bit\" 20 1) \"alternative\")(\"image\" \"tiff\" (\"name\" \"fax.tif\") NIL NIL \"base64\" 90000) \"mixed\") BODY[HEADER.FIELDS (FROM SUBJECT)]<0> \"Subject: Report\")"),
               QStringLiteral("S: q5 OK"),
               QStringLiteral("C: q6 UID FETCH 12 (BODY.PEEK[1]<0.262144>)|q7 UID FETCH 30 (BODY.PEEK[1.1]<0.131072> BODY.PEEK[1.2]<0.131072>)"),
               QStringLiteral("S: * 1 FETCH (UID 12 BODY[1]<0> {9}"),
               QStringLiteral("S: Delivered)|* 2 FETCH (UID 30 BODY[1.1]<0> \"Fa=\" BODY[1.2]<0> NIL)|q6 OK|q7 OK"),
               QStringLiteral("FETCHED: 12 Subject: Fax OK| 1 plain Delivered"),
               QStringLiteral("FETCHED: 30 Subject: Report 1.1 plain Fa= 1.2 html "),
               QStringLiteral("MARK: 7 30"),
               QStringLiteral("C: q8 IDLE"),
               QStringLiteral("S: + idling"),
               QStringLiteral("S: * 31 EXISTS"),
               QStringLiteral("C: DONE"),
               QStringLiteral("S: q8 OK"),
               QStringLiteral("C: q9 UID SEARCH UID 31:* SINCE 7-Dec-2026 FROM \"fax1.example\""),
               QStringLiteral("S: * SEARCH 30|q9 OK"),
               QStringLiteral("MARK: 7 30"),
               QStringLiteral("C: q10 IDLE"),
               QStringLiteral("S: * BYE server going down"),
               QStringLiteral("END: the IMAP server ended the session: server going down, retry"),
           };
    QTest::newRow("STARTTLS, then no SASL-IR: the response after the prompt")
        << QStringLiteral("imap.example:143")
        << QStringList{
               QStringLiteral("S: * OK hi"),
               QStringLiteral("C: q1 CAPABILITY"),
               QStringLiteral("S: * CAPABILITY IMAP4rev1 STARTTLS LOGINDISABLED|q1 OK"),
               QStringLiteral("C: q2 STARTTLS"),
               QStringLiteral("S: q2 OK begin"),
               QStringLiteral("C: <start TLS>"),
               QStringLiteral("TLS"),
               QStringLiteral("C: q3 CAPABILITY"),
               QStringLiteral("S: * CAPABILITY IMAP4rev1 AUTH=PLAIN|q3 OK"),
               QStringLiteral("C: q4 AUTHENTICATE PLAIN"),
               QStringLiteral("S: + "),
               QStringLiteral("C: AGpvZQBwdw=="),
               QStringLiteral("S: q4 NO [AUTHENTICATIONFAILED] Authentication failed."),
               QStringLiteral("END: the IMAP server refused the sign-in: Authentication failed."),
           };
    QTest::newRow("no STARTTLS: no sign-in in the clear")
        << QStringLiteral("imap.example:143")
        << QStringList{
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 AUTH=PLAIN LOGIN] hi"),
               QStringLiteral("END: the IMAP server does not offer encryption (STARTTLS), so Quillon will not sign in to it"),
           };
    QTest::newRow("data slipped in behind STARTTLS's answer")
        << QStringLiteral("starttls://imap.example")
        << QStringList{
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 STARTTLS] hi"),
               QStringLiteral("C: q1 STARTTLS"),
               QStringLiteral("S: q1 OK begin|* CAPABILITY IMAP4rev1 AUTH=PLAIN"),
               QStringLiteral("END: the IMAP server sent data before the connection was secure"),
           };
    QTest::newRow("PREAUTH before encryption is anyone's")
        << QStringLiteral("imap.example:143")
        << QStringList{
               QStringLiteral("S: * PREAUTH welcome"),
               QStringLiteral("END: the IMAP server did not greet as expected: PREAUTH welcome, retry"),
           };
    QTest::newRow("LOGIN disabled and no mechanism known")
        << QStringLiteral("imaps://imap.example")
        << QStringList{
               QStringLiteral("TLS"),
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 AUTH=GSSAPI LOGINDISABLED] hi"),
               QStringLiteral("END: the IMAP server offers no sign-in Quillon can use"),
           };
    QTest::newRow("LOGIN with a quoted password")
        << QStringLiteral("imaps://imap.example")
        << QStringList{
               QStringLiteral("TLS"),
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1] hi"),
               QStringLiteral("C: q1 LOGIN \"joe\" \"pw\""),
               QStringLiteral("S: q1 OK [CAPABILITY IMAP4rev1] in"),
               QStringLiteral("C: q2 EXAMINE INBOX"),
               QStringLiteral("WAIT"),
               QStringLiteral("END: the IMAP server did not answer in time, retry"),
           };
    QTest::newRow("a mailbox whose UIDVALIDITY changed is read anew")
        << QStringLiteral("imaps://imap.example")
        << QStringList{
               QStringLiteral("TLS"),
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 AUTH=PLAIN SASL-IR] hi"),
               QStringLiteral("C: q1 AUTHENTICATE PLAIN AGpvZQBwdw=="),
               QStringLiteral("S: q1 OK [CAPABILITY IMAP4rev1] in"),
               QStringLiteral("C: q2 EXAMINE INBOX"),
               QStringLiteral("S: * OK [UIDVALIDITY 8] changed|q2 OK"),
               QStringLiteral("C: q3 UID SEARCH ALL SINCE 7-Dec-2026 FROM \"fax1.example\""),
               QStringLiteral("S: * SEARCH|q3 OK"),
               QStringLiteral("MARK: 8 0"),
           };
    QTest::newRow("an answer to a command never sent")
        << QStringLiteral("imaps://imap.example")
        << QStringList{
               QStringLiteral("TLS"),
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 AUTH=PLAIN SASL-IR] hi"),
               QStringLiteral("C: q1 AUTHENTICATE PLAIN AGpvZQBwdw=="),
               QStringLiteral("S: x9 OK what"),
               QStringLiteral("END: the IMAP server answered a command Quillon did not send, retry"),
           };
    QTest::newRow("an answer repeated once its command is done")
        << QStringLiteral("imaps://imap.example")
        << QStringList{
               QStringLiteral("TLS"),
               QStringLiteral("S: * OK [CAPABILITY IMAP4rev1 AUTH=PLAIN SASL-IR] hi"),
               QStringLiteral("C: q1 AUTHENTICATE PLAIN AGpvZQBwdw=="),
               QStringLiteral("S: q1 OK [CAPABILITY IMAP4rev1] in"),
               QStringLiteral("C: q2 EXAMINE INBOX"),
               QStringLiteral("S: q2 OK"),
               QStringLiteral("C: q3 UID SEARCH ALL SINCE 7-Dec-2026 FROM \"fax1.example\""),
               QStringLiteral("S: * SEARCH|q3 OK"),
               QStringLiteral("MARK: 0 0"),
               QStringLiteral("S: q3 OK"), // nothing is asked while it pauses
               QStringLiteral("C: q0 LOGOUT"),
               QStringLiteral("END: the IMAP server answered a command Quillon did not send, retry"),
           };
    // The connection drops during IDLE; on the next one, an answer to the
    // old IDLE before any greeting must not send a search in the clear.
    QTest::newRow("an answer from the last connection on the next")
        << QStringLiteral("imap.example:143")
        << QStringList{
               QStringLiteral("S: * OK hi"),
               QStringLiteral("C: q1 CAPABILITY"),
               QStringLiteral("S: * CAPABILITY IMAP4rev1 STARTTLS|q1 OK"),
               QStringLiteral("C: q2 STARTTLS"),
               QStringLiteral("S: q2 OK begin"),
               QStringLiteral("C: <start TLS>"),
               QStringLiteral("TLS"),
               QStringLiteral("C: q3 CAPABILITY"),
               QStringLiteral("S: * CAPABILITY IMAP4rev1 IDLE SASL-IR AUTH=PLAIN|q3 OK"),
               QStringLiteral("C: q4 AUTHENTICATE PLAIN AGpvZQBwdw=="),
               QStringLiteral("S: q4 OK [CAPABILITY IMAP4rev1 IDLE] in"),
               QStringLiteral("C: q5 EXAMINE INBOX"),
               QStringLiteral("S: q5 OK"),
               QStringLiteral("C: q6 UID SEARCH ALL SINCE 7-Dec-2026 FROM \"fax1.example\""),
               QStringLiteral("S: * SEARCH|q6 OK"),
               QStringLiteral("MARK: 0 0"),
               QStringLiteral("C: q7 IDLE"),
               QStringLiteral("REOPEN"),
               QStringLiteral("C: q0 LOGOUT"),
               QStringLiteral("S: q7 OK"),
               QStringLiteral("END: the IMAP server answered before it greeted, retry"),
           };
    QTest::newRow("before TLS only the offer is heard")
        << QStringLiteral("imap.example:143")
        << QStringList{
               QStringLiteral("S: * OK hi"),
               QStringLiteral("C: q1 CAPABILITY"),
               QStringLiteral("S: * OK [UIDVALIDITY 3] forged|* SEARCH 99|* CAPABILITY IMAP4rev1 STARTTLS|q1 OK"),
               QStringLiteral("C: q2 STARTTLS"),
               QStringLiteral("S: q2 OK begin"),
               QStringLiteral("C: <start TLS>"),
               QStringLiteral("TLS"),
               QStringLiteral("C: q3 CAPABILITY"),
               QStringLiteral("S: * CAPABILITY IMAP4rev1 SASL-IR AUTH=PLAIN|q3 OK"),
               QStringLiteral("C: q4 AUTHENTICATE PLAIN AGpvZQBwdw=="),
               QStringLiteral("S: q4 OK [CAPABILITY IMAP4rev1] in"),
               QStringLiteral("C: q5 EXAMINE INBOX"),
               QStringLiteral("S: q5 OK"),
               QStringLiteral("C: q6 UID SEARCH ALL SINCE 7-Dec-2026 FROM \"fax1.example\""),
               QStringLiteral("S: * SEARCH|q6 OK"),
               QStringLiteral("MARK: 0 0"),
           };
}

void tst_Imap::transcript()
{
    QFETCH(QString, server);
    QFETCH(QStringList, log);
    FakeSocket socket;
    GivenSignIn user;
    imap::Timeouts timeouts;
    timeouts.reply = timeouts.connect = 50ms;
    imap::Session session(socket, timeouts);
    session.setCredentialSource(&user);
    QSignalSpy ended(&session, &imap::Session::ended);
    QStringList fetched;
    connect(&session, &imap::Session::fetched, this, [&](const imap::FetchedMessage &m) {
        QString line = QString::number(m.uid) + u' ' + QString::fromLatin1(m.header).replace(
                                                           QStringLiteral("\r\n"), QStringLiteral("|"));
        for (const imap::TextPart &p : m.parts)
            line += u' ' + QString::fromLatin1(p.section + ' ' + p.subtype + ' ' + p.body);
        fetched.append(line);
    });
    QList<imap::Mark> marks;
    connect(&session, &imap::Session::caughtUp, this, [&](imap::Mark m) { marks.append(m); });

    const std::optional<ServerAddress> address = ServerAddress::parseImap(server);
    QVERIFY(address);
    // Read up to UID 25 before, under UIDVALIDITY 7.
    QVERIFY(session.open(*address, Account{address->host, address->port, {}},
                         imap::Query{QDateTime(QDate(2026, 12, 8), QTime(10, 0)), {QStringLiteral("fax1.example")}},
                         QTest::currentDataTag() == QByteArrayView("a mailbox whose UIDVALIDITY changed is read anew")
                             ? imap::Mark{7, 25}
                             : imap::Mark{}));
    Q_EMIT socket.connected();
    for (const QString &step : log) {
        const QString what = step.section(u':', 0, 0);
        const QString text = step.section(u':', 1).mid(1);
        if (step == QStringLiteral("TLS")) {
            Q_EMIT socket.encrypted();
        } else if (step == QStringLiteral("REOPEN")) {
            QVERIFY(session.open(*address, Account{address->host, address->port, {}},
                                 imap::Query{QDateTime(QDate(2026, 12, 8), QTime(10, 0)),
                                             {QStringLiteral("fax1.example")}},
                                 imap::Mark{}));
            Q_EMIT socket.connected();
        } else if (step == QStringLiteral("WAIT")) {
            QTRY_VERIFY(!ended.isEmpty());
        } else if (what == QStringLiteral("S")) {
            socket.arrive(text.split(u'|').join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        } else if (what == QStringLiteral("C")) {
            const QString expected = text.split(u'|').join(QStringLiteral("\r\n")) +
                                     (text == QStringLiteral("<start TLS>") ? QString()
                                                                            : QStringLiteral("\r\n"));
            QCOMPARE(socket.takeSent().join(QString()), expected);
        } else if (what == QStringLiteral("FETCHED")) {
            QVERIFY(!fetched.isEmpty());
            QCOMPARE(fetched.takeFirst(), text);
        } else if (what == QStringLiteral("MARK")) {
            QVERIFY(!marks.isEmpty());
            const imap::Mark m = marks.takeFirst();
            QCOMPARE(QStringLiteral("%1 %2").arg(m.uidValidity).arg(m.lastUid), text);
        } else if (what == QStringLiteral("END")) {
            QCOMPARE(ended.size(), 1);
            const QString said = ended[0][0].toString() +
                                 (ended[0][1].toBool() ? QStringLiteral(", retry") : QString());
            QCOMPARE(said, text);
            QVERIFY(!session.isOpen());
        }
    }
    QVERIFY(fetched.isEmpty());
    QCOMPARE(user.refusals, log.last().contains(QStringLiteral("refused the sign-in")) ? 1 : 0);
}

QTEST_GUILESS_MAIN(tst_Imap)
#include "tst_imap.moc"
