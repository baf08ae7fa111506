#pragma once

#include <QTcpServer>
#include <QTcpSocket>

// A loopback SMTP server that answers every step normally except one, where
// it does what the test asks. Steps: 0 greeting, 1 EHLO, 2 MAIL, 3 RCPT,
// 4 DATA, 5 the final dot, 6 QUIT.
class ScriptedServer : public QObject
{
public:
    enum class Action
    {
        Normal,
        Close,
        Silent,
        Reply,
        Garbage
    };

    explicit ScriptedServer(const QHostAddress &address = QHostAddress::LocalHost)
    {
        listening = server.listen(address);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                client = s;
                step = 0;
                inData = false;
                buffer.clear();
                received.clear();
                connect(s, &QTcpSocket::readyRead, this, &ScriptedServer::onRead);
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                answer();
            }
        });
    }

    bool listening = false;
    QTcpServer server;
    int failStep = -1;
    Action action = Action::Normal;
    QByteArray reply;
    QByteArray received; // everything the client sent on the last connection

private:
    void onRead()
    {
        const QByteArray data = client->readAll();
        received += data;
        buffer += data;
        for (;;) {
            const QByteArray end = inData ? QByteArray("\r\n.\r\n") : QByteArray("\r\n");
            const qsizetype at = buffer.indexOf(end);
            if (at < 0)
                return;
            buffer.remove(0, at + end.size());
            inData = false;
            ++step;
            answer();
        }
    }

    void answer()
    {
        static const char *normal[] = {"220 ready",    "250 hello",  "250 ok", "250 ok",
                                       "354 go ahead", "250 queued", "221 bye"};
        if (step == failStep) {
            switch (action) {
            case Action::Close:
                client->disconnectFromHost();
                return;
            case Action::Silent:
                return;
            case Action::Reply:
                client->write(reply + "\r\n");
                return;
            case Action::Garbage:
                client->write("hello there\r\n");
                return;
            case Action::Normal:
                break;
            }
        }
        if (step > 6)
            return;
        client->write(QByteArray(normal[step]) + "\r\n");
        if (step == 4)
            inData = true;
        if (step == 6)
            client->disconnectFromHost();
    }

    QTcpSocket *client = nullptr;
    QByteArray buffer;
    int step = 0;
    bool inData = false;
};
