#pragma once

#include "smtpsocket.h"

#include <QTcpSocket>

// SmtpSocket over QTcpSocket. Nagle's algorithm is off: every command is a
// short line the server must see at once, and with it on each exchange step
// can wait for a delayed acknowledgement.
class TcpSmtpSocket final : public SmtpSocket
{
public:
    explicit TcpSmtpSocket(QObject *parent = nullptr);

    bool connectToServer(const QString &host, quint16 port) override;
    void sendData(const QByteArray &bytes) override;
    QString getData() override;
    void close() override;
    QHostAddress localAddress() const override { return m_socket.localAddress(); }

    // Winsock's numbers for the errors QTcpSocket reports, so that a user
    // can look them up; 10000 + Qt's own number for the rest.
    static int errorNumber(QAbstractSocket::SocketError error);

private:
    QTcpSocket m_socket;
};
