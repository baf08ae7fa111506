#pragma once

#include "account/credentials.h"
#include "account/sasl.h"
#include "account/serveraddress.h"
#include "mail/message.h"
#include "mail/messagestream.h"
#include "mail/messagetap.h"
#include "smtp/capabilities.h"
#include "smtp/reply.h"
#include "smtp/request.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

class SmtpSocket;

// How long the exchange waits before it gives up on the server.
struct SmtpTimeouts
{
    std::chrono::milliseconds connect{30'000};
    std::chrono::milliseconds reply{60'000};
    // The server may take long to accept a large message; giving up early
    // risks the server delivering it and the user sending it again.
    std::chrono::milliseconds dataReply{600'000};
    std::chrono::milliseconds handshake{30'000};
    // From AUTH to its outcome, however the server paces its challenges.
    std::chrono::milliseconds signIn{120'000};
};

// One SMTP transaction per request, driven by the socket's events: greet
// with EHLO, secure the connection and sign in where the server address asks
// for it, name sender and recipient (in one write when the server takes
// pipelining), send the message, quit. Each reply that moves the exchange on
// is told by progressed(), the outcome by finished().
//
// On an encrypted connection nothing is sent before the handshake holds,
// nothing learned before it is trusted after it, and a server that will not
// encrypt gets no command beyond STARTTLS. A password goes only over an
// encrypted connection.
class SmtpSession : public QObject
{
    Q_OBJECT
public:
    // What the exchange waits for. Once QUIT is
    // out (QuitReply) the message has been accepted.
    enum class Waiting : qint16
    {
        Greeting = 0,
        HelloReply = 1,
        MailReply = 2,
        RcptReply = 3,
        DataReply = 4,
        MessageReply = 5,
        QuitReply = 6,
        StartTlsReply = 7,
        Handshake = 8,
        AuthReply = 9,
        SignIn = 10, // the user's sign-in: before connecting for OAuth, else once the
                     // encrypted server asks for one
        Message = 11, // the network to take more of the message
    };

    explicit SmtpSession(SmtpSocket &socket, SmtpTimeouts timeouts = {});

    // Starts the exchange for `request` and returns; false, with no exchange
    // running and no signal, when the server address is not one or the
    // connection cannot even start. Not while isBusy().
    [[nodiscard]] bool start(SmtpRequest request);

    // An exchange has started and not yet ended.
    bool isBusy() const { return m_busy; }
    Waiting waiting() const { return m_waiting; }
    // The last exchange ended with its message taken by the server, whatever
    // language its outcome was told in.
    bool accepted() const { return m_accepted; }
    // The outcome of a message taken whose copy was kept.
    static QString sentOkText() { return tr("Sent OK."); }
    // Bytes of an unfinished reply held; never over ReplyReader::MaxReply.
    qsizetype heldReplyBytes() const { return m_replies.held(); }
    // A password, or what the server is sent of it, is held: only while an
    // exchange signs in.
    bool holdsSecret() const { return m_signIn.has_value() || m_sasl != nullptr; }

    // The name to greet with; the machine's fully qualified domain name
    // unless set. With none the greeting names the connection's address.
    void setMachineName(const QString &name) { m_machineName = name; }
    // Where sign-ins come from; without one the session never signs in.
    void setCredentialSource(CredentialSource *source) { m_credentials = source; }
    // What sees each message and hears that it was taken: the copy kept of
    // what was sent. Keeping it never changes the outcome; if it fails,
    // "Sent OK." says why in brackets.
    void setMessageTap(MessageTap *tap) { m_tap = tap; }

Q_SIGNALS:
    // A reply moved the exchange on.
    void progressed();
    // The socket failed: what a message box should say, and its title.
    // Comes just before finished().
    void alert(const QString &text, const QString &title);
    // The exchange has ended: "Sent OK.", or why not.
    void finished(const QString &outcome);

private:
    // A new connection: nothing the last one learned holds.
    void startExchange();
    // The sign-in comes before connecting: an OAuth server always wants one.
    bool signInFirst() const;
    // Starts the connection; false when it cannot even start.
    bool connectToServer();
    // The server refused a token that was not just given: once, a new one
    // on a new connection.
    void retryWithNewToken();
    void onConnected();
    void onEncrypted();
    void onClosedByPeer();
    void onTlsError(const QString &reason);
    void onDataArrival();
    void onSocketError(int number, const QString &description);
    void handleReply(const SmtpReply &reply);
    void handleAuthReply(const SmtpReply &reply);
    void sendHello(bool extended);
    void afterHello();
    void requestSignIn();
    void signIn();
    void sendEnvelope();
    // Writes the message while the network takes it; the final "." (and
    // QUIT) go with its last piece.
    void writeMessage();
    // Waits for `next` and sends in one write. The socket may deliver the
    // server's answer, its close or an error inside the write: false when
    // that ended this exchange, and the caller must then touch nothing.
    bool send(const QString &commands, Waiting next);
    bool send(const QByteArray &bytes, Waiting next);
    // This exchange, counted by m_exchange, has not ended.
    bool running(quint64 exchange) const { return m_busy && m_exchange == exchange; }
    // Closes the socket, raises `alert` if there is one, and reports
    // `outcome`.
    void end(const QString &outcome, const QString &alert = {});
    void fail(const SmtpReply &reply) { end(replyError(reply.text)); }
    // "SMTP Error: " and what the server or the socket said, as it said it.
    static QString replyError(const QString &said) { return tr("SMTP Error: %1").arg(said); }
    // The message was taken: "Sent OK.", and why no copy was kept if none
    // could be.
    QString sentOk();
    void injected();
    static QString noEncryption();
    QString clientName() const;
    Account account() const;

    SmtpSocket &m_socket;
    SmtpRequest m_request;
    SmtpTimeouts m_timeouts;
    QString m_machineName;
    CredentialSource *m_credentials = nullptr;
    MessageTap *m_tap = nullptr;
    bool m_tapping = false;  // the tap has seen a message not yet taken
    QString m_notKept;       // why the copy of the taken message is missing
    ServerAddress m_server;
    std::optional<SignIn> m_signIn;
    std::unique_ptr<SaslMechanism> m_sasl;
    quint64 m_exchange = 0; // counts exchanges, so a late event finds its own
    QTimer m_timer;
    QTimer m_signInDeadline;
    ReplyReader m_replies;
    Waiting m_waiting = Waiting::Greeting;
    bool m_busy = false;
    bool m_accepted = false;
    bool m_encrypted = false;
    bool m_extendedHello = false; // EHLO, not HELO, is waiting for its reply
    bool m_pipelined = false;     // MAIL, RCPT and DATA went in one write, and so
                                  // will the message and QUIT
    bool m_retried = false;       // a refused token was renewed once
    SmtpCapabilities m_capabilities;
    mail::Message m_message;
    std::unique_ptr<MessageStream> m_stream;
    bool m_atLineStart = true; // of the message as written so far
};
