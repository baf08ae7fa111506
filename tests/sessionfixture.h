#pragma once

#include "fakesend.h"
#include "smtp/session.h"

#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

inline QString crlf(const char *line)
{
    return QString::fromUtf8(line) + QStringLiteral("\r\n");
}

// A written message with its Date and Message-ID, which change with every
// Send, checked for their form and replaced by "<date>" and "<id@domain>".
inline QString masked(QString message)
{
    static const QRegularExpression date(
        QStringLiteral("\r\nDate: (Mon|Tue|Wed|Thu|Fri|Sat|Sun), \\d\\d "
                       "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d{4} "
                       "\\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\r\n"));
    static const QRegularExpression id(
        QStringLiteral("\r\nMessage-ID: <\\d{14}\\.[0-9A-F]{16}@([^>\r\n]+)>\r\n"));
    message.replace(date, QStringLiteral("\r\nDate: <date>\r\n"));
    message.replace(id, QStringLiteral("\r\nMessage-ID: <id@\\1>\r\n"));
    return message;
}

// The headers a message from joe@example.org to 555@fax1.example has.
inline QString headers(const QString &subjectLine, const char *charset = "us-ascii",
                       const char *encoding = "7bit")
{
    return subjectLine + crlf("To: 555@fax1.example") + crlf("From: joe@example.org") +
           crlf("Date: <date>") + crlf("Message-ID: <id@example.org>") + crlf("MIME-Version: 1.0") +
           QStringLiteral("Content-Type: text/plain; charset=%1\r\n")
               .arg(QLatin1StringView(charset)) +
           QStringLiteral("Content-Transfer-Encoding: %1\r\n\r\n").arg(QLatin1StringView(encoding));
}

// A session over the scripted socket, started towards "mail.example" and
// greeting as "client.example". Tests play the server's replies and read
// what the client wrote, one entry per write; what the session reports is
// recorded as a status line would show it (blank at each reply, then the
// outcome) and as message boxes.
class SessionFixture : public QObject
{
protected:
    void startSession(SmtpTimeouts timeouts = {200ms, 200ms, 2000ms, 200ms})
    {
        makeSession(timeouts);
        QVERIFY(m_session->start({QStringLiteral(" mail.example "), m_params}));
    }

    // The session, not yet started.
    void makeSession(SmtpTimeouts timeouts = {200ms, 200ms, 2000ms, 200ms})
    {
        m_socket = std::make_unique<FakeSocket>();
        m_status = std::make_unique<FakeStatus>();
        m_box = std::make_unique<FakeMessageBox>();
        m_params = {QStringLiteral("555@fax1.example"), QStringLiteral("joe@example.org"),
                    QStringLiteral("Hi"), QStringLiteral("a\r\nb"), {}};
        m_statusText.clear();
        m_session = std::make_unique<SmtpSession>(*m_socket, timeouts);
        m_session->setMachineName(QStringLiteral("client.example"));
        QObject::connect(m_session.get(), &SmtpSession::progressed, m_session.get(),
                         [this] { m_status->setStatus(QString()); });
        QObject::connect(m_session.get(), &SmtpSession::alert, m_session.get(),
                         [this](const QString &text, const QString &title) {
                             m_box->exclamation(text, title);
                         });
        QObject::connect(m_session.get(), &SmtpSession::finished, m_session.get(),
                         [this](const QString &outcome) {
                             m_statusText = outcome;
                             m_status->setStatus(outcome);
                         });
    }

    void restart() { QVERIFY(m_session->start({QStringLiteral("mail.example"), m_params})); }

    // A new session, started with the parameters as `change` leaves them.
    template <typename Change> void startWith(Change change)
    {
        makeSession();
        change(m_params);
        restart();
    }

    // Plays a server without extensions up to and including its 354 reply;
    // what the client wrote before that is dropped.
    void runToData(const QString &ehloReply = crlf("250 mail.example"))
    {
        m_socket->arrive(crlf("220 mail.example ESMTP"));
        m_socket->arrive(ehloReply);
        m_socket->arrive(crlf("250 ok"));
        m_socket->arrive(crlf("250 ok"));
        m_socket->takeSent();
        m_socket->arrive(crlf("354 go ahead"));
    }

    std::unique_ptr<FakeSocket> m_socket;
    std::unique_ptr<FakeStatus> m_status;
    std::unique_ptr<FakeMessageBox> m_box;
    std::unique_ptr<SmtpSession> m_session;
    mail::Outgoing m_params;
    QString m_statusText; // the outcome
};
