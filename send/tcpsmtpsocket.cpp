#include "tcpsmtpsocket.h"

#include "codec.h"

TcpSmtpSocket::TcpSmtpSocket(QObject *parent) : SmtpSocket(parent)
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Q_EMIT connected();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this,
            [this] { Q_EMIT dataArrival(m_socket.bytesAvailable()); });
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError)
            Q_EMIT closedByPeer();
        else
            Q_EMIT error(errorNumber(e), m_socket.errorString());
    });
}

bool TcpSmtpSocket::connectToServer(const QString &host, quint16 port)
{
    if (host.isEmpty() || port == 0)
        return false;
    close();
    m_socket.connectToHost(host, port);
    return m_socket.state() != QAbstractSocket::UnconnectedState;
}

void TcpSmtpSocket::sendData(const QByteArray &bytes)
{
    // Each call is one step of the exchange: it leaves at once, as one
    // write, so that the server sees the whole step in one packet.
    m_socket.write(bytes);
    m_socket.flush();
}

QString TcpSmtpSocket::getData()
{
    return cp1252::decode(m_socket.readAll());
}

void TcpSmtpSocket::close()
{
    const QSignalBlocker quiet(m_socket);
    m_socket.abort();
}

int TcpSmtpSocket::errorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return 10061;
    case QAbstractSocket::HostNotFoundError:
        return 11001;
    case QAbstractSocket::SocketAccessError:
        return 10013;
    case QAbstractSocket::SocketResourceError:
        return 10055;
    case QAbstractSocket::SocketTimeoutError:
        return 10060;
    case QAbstractSocket::NetworkError:
        return 10050;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return 10045;
    default:
        return 10000 + int(error);
    }
}
