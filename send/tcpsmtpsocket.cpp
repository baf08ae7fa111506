#include "tcpsmtpsocket.h"

#include "codec.h"

TcpSmtpSocket::TcpSmtpSocket(QObject *parent) : SmtpSocket(parent)
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Q_EMIT connected();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] {
        m_inArrival = true;
        Q_EMIT dataArrival(m_socket.bytesAvailable());
        m_inArrival = false;
        writePending();
    });
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

void TcpSmtpSocket::sendData(const QString &text)
{
    // The lines of one step are gathered and leave in one write when the
    // step is done: QTcpSocket would otherwise send each in its own packet.
    // Steps answer replies, so the write follows the data event; anything
    // sent outside one leaves on the next pass of the event loop.
    if (m_pending.isEmpty() && !m_inArrival)
        QMetaObject::invokeMethod(this, &TcpSmtpSocket::writePending, Qt::QueuedConnection);
    cp1252::encodeAppend(m_pending, text);
}

void TcpSmtpSocket::writePending()
{
    if (m_pending.isEmpty())
        return;
    m_socket.write(std::exchange(m_pending, QByteArray()));
    m_socket.flush();
}

QString TcpSmtpSocket::getData()
{
    return cp1252::decode(m_socket.readAll());
}

void TcpSmtpSocket::close()
{
    m_pending.clear();
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
