#pragma once

#include "sendparams.h"

#include <QObject>
#include <QTimer>

#include <chrono>

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
};

// One SMTP transaction per Send, driven by the socket's events: greet, name
// sender and recipient, send the text, quit. The outcome lands in
// statusText and the status line.
class SmtpSession : public QObject
{
    Q_OBJECT
public:
    // Replies longer than this without an end are refused.
    static constexpr qsizetype MaxReply = 64 * 1024;

    SmtpSession(SmtpSocket &Winsock1, const SendParams &params, QString &statusText,
                StatusLine &lblStatus, MessageBox &messageBox, SmtpTimeouts timeouts = {});

    // Starts the connection and returns; only SMTPServer and strError are
    // used, the later steps read the shared send parameters.
    void send_mail(const QString &strTo, const QString &strFrom, const QString &SMTPServer,
                   const QString &subject, const QString &message, QString &strError);

    // An exchange has started and not yet ended.
    bool isBusy() const { return m_busy; }
    qint16 strState() const { return m_strState; }

    void Winsock1_DataArrival(qint64 bytesTotal);
    void Winsock1_Error(int number, const QString &description);

Q_SIGNALS:
    // The exchange has ended; statusText holds the outcome.
    void finished();

private:
    void onConnected();
    void onClosedByPeer();
    void handleReply(const QString &reply);
    void sendStep();
    void send(const QString &line);
    // Closes the socket, shows `alert` in a message box if there is one,
    // and reports `outcome`.
    void end(const QString &outcome, const QString &alert = {});
    void waitForReply();

    SmtpSocket &m_socket;
    const SendParams &m_params;
    QString &m_statusText;
    StatusLine &m_status;
    MessageBox &m_messageBox;
    SmtpTimeouts m_timeouts;
    QTimer m_timer;
    QString m_received;
    qsizetype m_lineStart = 0; // where the reply's unfinished line begins
    qsizetype m_scanFrom = 0;  // how far it is known to hold no line end
    qint16 m_strState = 0;
    bool m_busy = false;
};
