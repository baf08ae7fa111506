#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

// The client connection the SMTP exchange talks through, plain or
// encrypted. Bytes go out as given; text comes in as Windows-1252, one byte
// per character.
class SmtpSocket : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts an asynchronous connection, encrypted from the first byte when
    // `tls`; false when it cannot even start.
    virtual bool connectToServer(const QString &host, quint16 port, bool tls) = 0;
    // Starts encryption on the open connection, checking the server's
    // certificate against the host connected to; encrypted or tlsError
    // follows.
    virtual void startEncryption() = 0;
    // Queues `bytes` for sending; one call, one write.
    virtual void sendData(const QByteArray &bytes) = 0;
    // Bytes queued that the network has not taken yet.
    virtual qint64 bytesToWrite() const = 0;
    // Takes all data received so far.
    virtual QString getData() = 0;
    // Closes the connection at once; no event follows.
    virtual void close() = 0;
    // The address this end of the connection has.
    virtual QHostAddress localAddress() const = 0;
    // How the connection is protected, in plain words: "TLS 1.3", "TLS
    // 1.2", "no encryption".
    virtual QString protection() const = 0;

Q_SIGNALS:
    void connected();
    // The handshake is done and the server's certificate holds.
    void encrypted();
    void dataArrival(qint64 bytesTotal);
    // The network took queued bytes: there is room for more.
    void bytesWritten();
    // The server closed the connection; any data it sent before has already
    // been announced by dataArrival.
    void closedByPeer();
    void error(int number, const QString &description);
    // No secure connection: `reason` says why in plain words.
    void tlsError(const QString &reason);
};
