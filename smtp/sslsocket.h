#pragma once

#include "smtp/socket.h"

#include <QSslConfiguration>
#include <QSslSocket>

// SmtpSocket over QSslSocket: TLS 1.2 or newer, the certificate chain
// checked against the system's trusted issuers and the name against the
// host as typed. There is no way to accept a certificate that fails. A
// server's session is resumed on the next connection to it, which spares
// both ends most of the handshake.
// Nagle's algorithm is off: every command is a short line the server must
// see at once, and with it on each exchange step can wait for a delayed
// acknowledgement.
class SslSmtpSocket final : public SmtpSocket
{
public:
    // `issuers`, when given, are trusted instead of the system's: tests make
    // their own.
    explicit SslSmtpSocket(const QList<QSslCertificate> &issuers = {}, QObject *parent = nullptr);

    bool connectToServer(const QString &host, quint16 port, bool tls) override;
    void startEncryption() override;
    void sendData(const QByteArray &bytes) override;
    qint64 bytesToWrite() const override;
    QString getData() override;
    void close() override;
    QHostAddress localAddress() const override { return m_socket.localAddress(); }
    QString protection() const override;

    // Winsock's numbers for the errors QTcpSocket reports, so that a user
    // can look them up; 10000 + Qt's own number for the rest.
    static int errorNumber(QAbstractSocket::SocketError error);
    // Why a certificate does not hold, in plain words.
    static QString certificateProblem(const QList<QSslError> &errors, const QString &host);

private:
    QSslSocket m_socket;
    QSslConfiguration m_tls;
    QString m_host;
    QString m_server;                      // host and port
    QString m_certificateProblem;          // from the last handshake
    QHash<QString, QByteArray> m_sessions; // by host and port, in memory only
};
