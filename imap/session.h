#pragma once

#include "account/credentials.h"
#include "account/sasl.h"
#include "account/serveraddress.h"
#include "imap/bodystructure.h"
#include "imap/response.h"
#include "imap/responsereader.h"

#include <QDate>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class SmtpSocket;

namespace imap {

// How long the session waits for the server, and how often it looks again.
struct Timeouts
{
    std::chrono::milliseconds connect{30'000};
    std::chrono::milliseconds reply{60'000};
    std::chrono::milliseconds handshake{30'000};
    std::chrono::milliseconds signIn{120'000};
    // IDLE is ended and begun anew before servers drop it (RFC 9051: 29
    // minutes).
    std::chrono::milliseconds idleRenewal{25 * 60'000};
    // Without IDLE the mailbox is searched again this often.
    std::chrono::milliseconds poll{2 * 60'000};
};

// What the session reads: messages from these senders that arrived since
// then.
struct Query
{
    QDateTime since;
    QStringList senders;
};

// Where reading stopped: messages up to lastUid have been read, as long
// as the mailbox keeps its UIDVALIDITY.
struct Mark
{
    quint32 uidValidity = 0;
    quint32 lastUid = 0;
};

struct FetchedMessage
{
    quint32 uid = 0;
    QByteArray header;
    QList<TextPart> parts;
};

// Reads new messages from given senders in a mailbox, read-only: the
// session connects over TLS (from the start or after STARTTLS, never
// without), signs in, EXAMINEs the INBOX, searches on the server, fetches
// each match's header and text parts (at most MaxTextBytes; attachments
// are never fetched), then waits in IDLE where the server offers it, else
// searches again every so often. No flag is set, nothing is moved or
// deleted. Driven by the socket's events; every wait has a time-out.
class Session : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype MaxTextBytes = 256 * 1024;
    static constexpr qsizetype MaxBatch = 200;
    // A header holds no more of the fields a report is read by than this.
    static constexpr qsizetype MaxHeaderBytes = 32 * 1024;
    // Text parts are fetched for this many messages at a time, so that a
    // batch never holds more than a few megabytes.
    static constexpr qsizetype MaxTextsAtOnce = 16;

    explicit Session(SmtpSocket &socket, Timeouts timeouts = {});
    ~Session() override;

    void setCredentialSource(CredentialSource *source) { m_credentials = source; }

    // Starts: connects to `server`, signs in with `account`'s sign-in,
    // reads what `query` finds after `mark`. False when the connection
    // cannot even start.
    [[nodiscard]] bool open(const ServerAddress &server, const Account &account, Query query,
                            Mark mark);
    // The next search uses `query`; an idle session searches now.
    void setQuery(Query query);
    // The mark saved never passes message `uid` in this session: it is to
    // be read again by the next one (mail that may yet find its fax).
    void hold(quint32 uid);
    // Logs out and closes; no signal follows.
    void close();
    bool isOpen() const { return m_open; }
    // Bytes of unfinished responses held.
    qsizetype heldBytes() const { return m_reader.held(); }
    // A password or token is held: only while signing in.
    bool holdsSecret() const { return m_mechanism != nullptr || !m_initialResponse.isEmpty(); }

Q_SIGNALS:
    void fetched(const imap::FetchedMessage &message);
    // Messages up to `mark` have been read: after each batch, and when
    // everything found so far has been.
    void caughtUp(imap::Mark mark);
    // The session ended by itself; `retry` when trying again later may
    // help (a dropped connection), not when the server refused the sign-in
    // or would not encrypt.
    void ended(const QString &reason, bool retry);

private:
    enum class Waiting
    {
        Nothing,
        Greeting,
        Handshake,
        SignIn,
        Command,
        Idle,
        Pause
    };
    using Handler = void (Session::*)(const Response &);

    void onConnected();
    void onEncrypted();
    void onData();
    void handle(const Response &response);
    void untagged(const Response &response);
    void command(const QByteArray &text, Handler done);
    // Sends commands at once, whose last tagged answer calls `done`.
    void commands(const QList<QByteArray> &texts, Handler done);
    void wait(Waiting what, std::chrono::milliseconds limit);
    void end(const QString &reason, bool retry);

    // Sign-in (session_signin.cpp).
    void afterGreeting(const Response &response);
    void afterCapability(const Response &response);
    void afterStartTls(const Response &response);
    void signIn();
    void authenticate(const SignIn &signIn);
    void continueSignIn(const Response &response);
    void afterSignIn(const Response &response);

    // Reading (session_read.cpp).
    void examine();
    void afterExamine(const Response &response);
    void search();
    void afterSearch(const Response &response);
    void fetchBatch();
    void afterStructure(const Response &response);
    void fetchParts();
    void markRead();
    void afterParts(const Response &response);
    void rest();
    void afterIdle(const Response &response);
    void onFetch(const Response &response);

    SmtpSocket &m_socket;
    Timeouts m_timeouts;
    CredentialSource *m_credentials = nullptr;
    QTimer m_timer;
    ResponseReader m_reader;
    ServerAddress m_server;
    Account m_account;
    Query m_query;
    Mark m_mark;
    bool m_open = false;
    bool m_encrypted = false;
    bool m_signedIn = false;
    Waiting m_waiting = Waiting::Nothing;
    quint64 m_run = 0; // counts opens, so a late sign-in answer finds its own
    QStringList m_capabilities;
    std::unique_ptr<SaslMechanism> m_mechanism;
    QByteArray m_initialResponse; // for a server without SASL-IR
    int m_tag = 0;
    // What this connection waits for; all of it is cleared with the
    // connection, so that no answer on one is taken for one on another.
    QList<QByteArray> m_pendingTags; // sent, not yet answered
    std::optional<Response> m_refusal; // the first of them answered not OK
    Handler m_done = nullptr;
    quint32 m_uidNext = 0;
    bool m_searchAgain = false;
    quint32 m_readUpTo = 0; // fetched this session; the mark may stay below
    QList<quint32> m_held;
    QList<quint32> m_found; // still to fetch
    QList<quint32> m_batch; // being fetched
    qsizetype m_textsFrom = 0; // the batch's next message whose text parts to fetch
    QList<FetchedMessage> m_messages;
};

} // namespace imap
