// The SMTP session fed whatever a server, or someone between it and the
// client, may send: any bytes cut into any arrivals, connection events and
// TLS outcomes at any moment, in every way of connecting (plain, STARTTLS,
// TLS, with and without a sign-in), also inside a write. It never holds
// more than 64 KiB of an unfinished reply, ends each exchange with exactly
// one outcome or is still waiting, sends nothing once an exchange has ended
// and keeps no password past it.

#include "fakesend.h"
#include "fuzzinput.h"
#include "smtp/session.h"

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
    static const char *const servers[] = {"mail.example", "mail.example:587", "mail.example:465",
                                          "starttls://mail.example:25"};
    FakeSocket socket;
    FakeCredentials credentials;
    if (setup & 4)
        credentials.answer.reset(); // the user cancels
    credentials.later = setup & 8;
    const SmtpRequest request{
        QString::fromLatin1(servers[setup & 3]),
        {QStringLiteral("555@fax1.example"), QStringLiteral("joe@example.org"), QStringLiteral("Hi"),
         setup & 16 ? QStringLiteral("100 \u20ac\r\n.\r\nend") : QStringLiteral("a"), {}}};
    SmtpSession session(socket);
    session.setMachineName(setup & 32 ? QString() : QStringLiteral("client.example"));
    session.setCredentialSource(&credentials);

    int outcomes = 0;
    qsizetype sentAtEnd = -1;
    QObject::connect(&session, &SmtpSession::finished, [&] {
        ++outcomes;
        sentAtEnd = socket.sent.size();
    });
    auto start = [&] {
        outcomes = 0;
        sentAtEnd = -1;
        socket.sent.clear();
        FUZZ_CHECK(session.start(request));
    };
    start();

    while (!in.atEnd()) {
        const uint8_t op = in.byte();
        switch (op & 7) {
        case 0:
        case 1:
        case 2: // up to 32 bytes as they come
            socket.arrive(cp1252::decode(in.bytes((op >> 3) + 1)));
            break;
        case 3: { // a flood of one byte, up to 130 KB
            const int count = (op >> 3) * 4096 + in.byte();
            socket.arrive(QString(count, QChar(char16_t(in.byte()))));
            break;
        }
        case 4:
            Q_EMIT socket.connected();
            break;
        case 5:
            Q_EMIT socket.encrypted();
            break;
        case 6: { // a connection event now, or inside the next write
            const int event = (op >> 3) % 3;
            auto raise = [&socket, event] {
                switch (event) {
                case 0:
                    Q_EMIT socket.tlsError(QStringLiteral("the certificate has expired"));
                    break;
                case 1:
                    Q_EMIT socket.closedByPeer();
                    break;
                default:
                    Q_EMIT socket.error(10054, QStringLiteral("Connection reset by peer"));
                }
            };
            if ((op >> 3) < 3) {
                raise();
            } else {
                socket.duringWrite = [&socket, raise](const QString &) {
                    socket.duringWrite = nullptr;
                    raise();
                };
            }
            break;
        }
        case 7: // the user answers the sign-in window, or presses Send again
            if (credentials.pending)
                credentials.answerNow();
            else if (!session.isBusy())
                start();
            break;
        }
        FUZZ_CHECK(session.heldReplyBytes() <= ReplyReader::MaxReply);
        FUZZ_CHECK(outcomes <= 1);
        FUZZ_CHECK(sentAtEnd < 0 || socket.sent.size() == sentAtEnd);
        FUZZ_CHECK(session.isBusy() == (outcomes == 0));
        FUZZ_CHECK(session.isBusy() || !session.holdsSecret());
    }
    return 0;
}
