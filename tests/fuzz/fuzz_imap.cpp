// The IMAP session fed whatever a server, or someone between it and the
// client, may send: any bytes cut into any arrivals, connection events and
// TLS outcomes at any moment, over TLS and STARTTLS, with a sign-in given
// at once or later. It never holds more than a capped response, ends at
// most once a connection, sends nothing once ended, never writes a
// password before the connection is encrypted and keeps none once it has
// ended. It may be opened again at any moment, as the watch reconnects: a
// new connection reads nothing of the last one, so nothing but the
// greeting and what the server offers is answered before TLS. Each
// arrival is also read by the response parser on its own.

#include "fakesend.h"
#include "fuzzinput.h"
#include "imap/response.h"
#include "imap/session.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // for the session's timers
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t setup = in.byte();
    FakeSocket socket;
    FakeCredentials credentials;
    credentials.later = setup & 4;
    if (setup & 8)
        credentials.answer = SignIn{QStringLiteral("joe"), {}, QStringLiteral("tok3n"), false};
    const std::optional<ServerAddress> server = ServerAddress::parseImap(
        setup & 1 ? QStringLiteral("imap.example:143") : QStringLiteral("imap.example"));
    imap::Session session(socket);
    session.setCredentialSource(&credentials);
    int ends = 0;
    qsizetype sentAtEnd = -1;
    bool encrypted = false;
    QObject::connect(&session, &imap::Session::ended, [&] {
        ++ends;
        sentAtEnd = socket.sent.size();
    });
    const auto open = [&] {
        return session.open(*server, Account{server->host, server->port, QStringLiteral("joe")},
                            imap::Query{QDateTime(QDate(2026, 12, 8), QTime(10, 0)),
                                        {QStringLiteral("fax1.example")}},
                            {});
    };
    FUZZ_CHECK(open());
    qsizetype clearFrom = 0; // what this connection sent, while not encrypted

    while (!in.atEnd()) {
        const uint8_t op = in.byte();
        switch (op & 7) {
        case 0:
        case 1:
        case 2: { // up to 32 bytes as they come
            const QByteArray bytes = in.bytes((op >> 3) + 1);
            (void)imap::parse(bytes);
            socket.arrive(cp1252::decode(bytes));
            break;
        }
        case 3: { // a flood of one byte, up to 130 KB
            const int count = (op >> 3) * 4096 + in.byte();
            socket.arrive(QString(count, QChar(char16_t(in.byte()))));
            break;
        }
        case 4:
            Q_EMIT socket.connected();
            break;
        case 5:
            encrypted = true;
            Q_EMIT socket.encrypted();
            break;
        case 6:
            switch ((op >> 3) % 4) {
            case 3: // the watch connects again
                FUZZ_CHECK(open());
                ends = 0;
                sentAtEnd = -1;
                encrypted = false;
                clearFrom = socket.sent.size();
                break;
            case 0:
                Q_EMIT socket.tlsError(QStringLiteral("the certificate has expired"));
                break;
            case 1:
                Q_EMIT socket.closedByPeer();
                break;
            case 2:
                Q_EMIT socket.error(10054, QStringLiteral("Connection reset by peer"));
            }
            break;
        case 7: // the sign-in comes
            if (credentials.pending)
                credentials.answerNow();
            break;
        }
        FUZZ_CHECK(session.heldBytes() <= imap::ResponseReader::MaxResponse + 140 * 1024);
        FUZZ_CHECK(ends <= 1);
        FUZZ_CHECK(sentAtEnd < 0 || socket.sent.size() == sentAtEnd);
        FUZZ_CHECK(session.isOpen() == (ends == 0));
        FUZZ_CHECK(session.isOpen() || !session.holdsSecret());
        if (!encrypted)
            for (qsizetype i = clearFrom; i < socket.sent.size(); ++i)
                FUZZ_CHECK(!socket.sent[i].contains(QStringLiteral("AGpvZQBzZWNyZXQ=")) &&
                           !socket.sent[i].contains(QStringLiteral("secret")) &&
                           !socket.sent[i].contains(QStringLiteral("dG9rM24")) &&
                           !socket.sent[i].contains(QStringLiteral("UID ")) &&
                           !socket.sent[i].contains(QStringLiteral("EXAMINE")));
    }
    return 0;
}
