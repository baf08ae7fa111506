#pragma once

#include "capabilities.h"
#include "credentials.h"
#include "message.h"
#include "messagestream.h"
#include "messagetap.h"
#include "sasl.h"
#include "sendparams.h"
#include "serveraddress.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

class MessageBox;
class SmtpSocket;
class StatusLine;

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

// One SMTP transaction per Send, driven by the socket's events: greet with
// EHLO, secure the connection and sign in where the setting asks for it,
// name sender and recipient (in one write when the server takes
// pipelining), send the message, quit. The outcome lands in statusText and
// the status line.
//
// On an encrypted connection nothing is sent before the handshake holds,
// nothing learned before it is trusted after it, and a server that will not
// encrypt gets no command beyond STARTTLS. A password goes only over an
// encrypted connection.
class SmtpSession : public QObject
{
    Q_OBJECT
public:
    // Replies longer than this without an end are refused.
    static constexpr qsizetype MaxReply = 64 * 1024;

    // What the exchange waits for; strState is its number. Once QUIT is
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

    SmtpSession(SmtpSocket &Winsock1, const SendParams &params, QString &statusText,
                StatusLine &lblStatus, MessageBox &messageBox, SmtpTimeouts timeouts = {});

    // Starts the connection and returns; only SMTPServer and strError are
    // used, the later steps read the shared send parameters.
    void send_mail(const QString &strTo, const QString &strFrom, const QString &SMTPServer,
                   const QString &subject, const QString &message, QString &strError);

    // An exchange has started and not yet ended.
    bool isBusy() const { return m_busy; }
    qint16 strState() const { return qint16(m_waiting); }
    // Bytes of an unfinished reply held; never over MaxReply.
    qsizetype heldReplyBytes() const { return m_received.size(); }
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

    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Error(int number, const QString &description);

Q_SIGNALS:
    // The exchange has ended; statusText holds the outcome.
    void finished();

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
    void handleReply(const QString &reply);
    void handleAuthReply(const QString &reply);
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
    // Closes the socket, shows `alert` in a message box if there is one,
    // and reports `outcome`.
    void end(const QString &outcome, const QString &alert = {});
    void fail(const QString &reply) { end(QStringLiteral("SMTP Error: ") + reply); }
    // The message was taken: "Sent OK.", and why no copy was kept if none
    // could be.
    QString sentOk() const;
    void injected();
    static QString noEncryption();
    QString clientName() const;
    Account account() const;

    SmtpSocket &m_socket;
    const SendParams &m_params;
    QString &m_statusText;
    StatusLine &m_status;
    MessageBox &m_messageBox;
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
    QString m_received;
    qsizetype m_lineStart = 0; // where the reply's unfinished line begins
    qsizetype m_scanFrom = 0;  // how far it is known to hold no line end
    Waiting m_waiting = Waiting::Greeting;
    bool m_busy = false;
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
