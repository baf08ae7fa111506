#pragma once

#include "account/credentials.h"
#include "smtp/socket.h"
#include "store/codec.h"

#include <QStringList>

#include <functional>

// A socket scripted by the test: arrive() plays a server line, and every
// SendData call is recorded as it was made, one entry per write.
class FakeSocket : public SmtpSocket
{
public:
    bool connectToServer(const QString &h, quint16 p, bool t) override
    {
        ++connects;
        host = h;
        port = p;
        tls = t;
        open = acceptConnect;
        return acceptConnect;
    }
    void startEncryption() override
    {
        ++encryptionStarts;
        sent.append(QStringLiteral("<start TLS>"));
    }
    void sendData(const QByteArray &bytes) override
    {
        const QString written = cp1252::decode(bytes);
        sent.append(written);
        if (holdWrites)
            queued += bytes.size();
        // A TLS socket reads while it writes: the server's answer, its
        // close or an error can arrive before the write returns. The hook
        // runs from a copy, so that it may replace itself.
        if (const auto hook = duringWrite)
            hook(written);
    }
    qint64 bytesToWrite() const override { return queued; }
    QString getData() override { return std::exchange(pending, QString()); }
    void close() override
    {
        open = false;
        ++closes;
    }
    QHostAddress localAddress() const override { return local; }
    QString protection() const override { return tls ? QStringLiteral("TLS 1.3") : QStringLiteral("no encryption"); }

    void arrive(const QString &data)
    {
        pending += data;
        Q_EMIT dataArrival(data.size());
    }
    // The network takes everything queued.
    void drain()
    {
        queued = 0;
        Q_EMIT bytesWritten();
    }
    // What the client sent since the last call.
    QStringList takeSent() { return std::exchange(sent, QStringList()); }

    bool acceptConnect = true;
    bool open = false;
    int connects = 0;
    int closes = 0;
    QString host;
    quint16 port = 0;
    bool tls = false;
    int encryptionStarts = 0;
    QHostAddress local{QHostAddress::LocalHost};
    QStringList sent;
    QString pending;
    std::function<void(const QString &written)> duringWrite;
    bool holdWrites = false; // writes wait in the queue until drain()
    qint64 queued = 0;
};

// A status line: what it shows, and everything it showed.
class FakeStatus
{
public:
    void setStatus(const QString &t)
    {
        text = t;
        history.append(t);
    }
    QString text;
    QStringList history;
};

// Message boxes shown: "title | text" each.
class FakeMessageBox
{
public:
    void exclamation(const QString &text, const QString &title)
    {
        shown.append(title + QStringLiteral(" | ") + text);
    }
    QStringList shown;
};

// Sign-ins as the test decides: at once, or when it calls answerNow();
// before connecting when `beforeConnecting`, as for an OAuth server.
class FakeCredentials : public CredentialSource
{
public:
    bool signInBeforeConnecting(const Account &) const override { return beforeConnecting; }
    void request(const Account &account, std::function<void(SignInResult)> done) override
    {
        requests.append(account);
        if (later)
            pending = std::move(done);
        else
            done(result());
    }
    void refused(const Account &account) override { refusals.append(account); }
    void answerNow() { std::exchange(pending, nullptr)(result()); }
    SignInResult result() const
    {
        return {answer, answer ? QString() : QStringLiteral("Not sent: no password given.")};
    }

    std::optional<SignIn> answer = SignIn{QStringLiteral("joe"), QStringLiteral("secret"), {}, false};
    bool later = false;
    bool beforeConnecting = false;
    std::function<void(SignInResult)> pending;
    QList<Account> requests;
    QList<Account> refusals;
};
