#include "smtp/sslsocket.h"

#include "store/codec.h"

#include <QCoreApplication>
#include <QSslCipher>

namespace {

// Forward secrecy only, and no PSK or SRP suites a mail client never uses:
// TLS 1.3, and TLS 1.2 with ephemeral (EC)DH keys, RSA or ECDSA
// certificates and AES or ChaCha20, much as Python's default context.
// Fewer suites also make every connection's set-up cheaper.
QList<QSslCipher> forwardSecretCiphers()
{
    QList<QSslCipher> kept;
    for (const QSslCipher &c : QSslConfiguration::supportedCiphers()) {
        const bool ephemeral = c.keyExchangeMethod() == QStringLiteral("ECDH") ||
                               c.keyExchangeMethod() == QStringLiteral("DH");
        const bool certificate = c.authenticationMethod() == QStringLiteral("RSA") ||
                                 c.authenticationMethod() == QStringLiteral("ECDSA");
        const bool cipher = c.encryptionMethod().startsWith(QStringLiteral("AES")) ||
                            c.encryptionMethod().startsWith(QStringLiteral("CHACHA20"));
        if (c.protocol() == QSsl::TlsV1_3 || (ephemeral && certificate && cipher))
            kept.append(c);
    }
    return kept;
}

} // namespace

SslSmtpSocket::SslSmtpSocket(const QList<QSslCertificate> &issuers, QObject *parent)
    : SmtpSocket(parent), m_tls(QSslConfiguration::defaultConfiguration())
{
    m_tls.setProtocol(QSsl::TlsV1_2OrLater);
    m_tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    m_tls.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    m_tls.setCiphers(forwardSecretCiphers());
    if (!issuers.isEmpty())
        m_tls.setCaCertificates(issuers);

    connect(&m_socket, &QSslSocket::connected, this, [this] {
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Q_EMIT connected();
    });
    connect(&m_socket, &QSslSocket::encrypted, this, &SmtpSocket::encrypted);
    connect(&m_socket, &QSslSocket::newSessionTicketReceived, this,
            [this] { m_sessions.insert(m_server, m_socket.sslConfiguration().sessionTicket()); });
    // Plain text taken into TLS records, and records taken by the network.
    connect(&m_socket, &QSslSocket::bytesWritten, this, [this] { Q_EMIT bytesWritten(); });
    connect(&m_socket, &QSslSocket::encryptedBytesWritten, this, [this] { Q_EMIT bytesWritten(); });
    connect(&m_socket, &QSslSocket::readyRead, this,
            [this] { Q_EMIT dataArrival(m_socket.bytesAvailable()); });
    connect(&m_socket, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
        m_certificateProblem = certificateProblem(errors, m_host);
    });
    connect(&m_socket, &QSslSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        switch (e) {
        case QAbstractSocket::RemoteHostClosedError:
            Q_EMIT closedByPeer();
            break;
        case QAbstractSocket::SslHandshakeFailedError:
        case QAbstractSocket::SslInternalError:
        case QAbstractSocket::SslInvalidUserDataError:
            Q_EMIT tlsError(
                m_certificateProblem.isEmpty()
                    ? QCoreApplication::translate("SmtpSession", "the handshake failed (%1)")
                          .arg(m_socket.errorString())
                    : m_certificateProblem);
            break;
        default:
            Q_EMIT error(errorNumber(e), m_socket.errorString());
        }
    });
}

bool SslSmtpSocket::connectToServer(const QString &host, quint16 port, bool tls)
{
    if (host.isEmpty() || port == 0)
        return false;
    close();
    m_host = host;
    m_server = host + u' ' + QString::number(port);
    m_certificateProblem.clear();
    QSslConfiguration config = m_tls;
    config.setSessionTicket(m_sessions.value(m_server));
    m_socket.setSslConfiguration(config);
    if (tls)
        m_socket.connectToHostEncrypted(host, port);
    else
        m_socket.connectToHost(host, port);
    return m_socket.state() != QAbstractSocket::UnconnectedState;
}

void SslSmtpSocket::startEncryption()
{
    m_socket.startClientEncryption();
}

void SslSmtpSocket::sendData(const QByteArray &bytes)
{
    // Each call is one step of the exchange: it leaves at once, as one
    // write, so that the server sees the whole step in one packet.
    m_socket.write(bytes);
    m_socket.flush();
}

QString SslSmtpSocket::protection() const
{
    if (!m_socket.isEncrypted())
        return QStringLiteral("no encryption");
    switch (m_socket.sessionProtocol()) {
    case QSsl::TlsV1_3:
        return QStringLiteral("TLS 1.3");
    case QSsl::TlsV1_2:
        return QStringLiteral("TLS 1.2");
    default:
        return QStringLiteral("TLS");
    }
}

qint64 SslSmtpSocket::bytesToWrite() const
{
    return m_socket.bytesToWrite() + m_socket.encryptedBytesToWrite();
}

QString SslSmtpSocket::getData()
{
    return cp1252::decode(m_socket.readAll());
}

void SslSmtpSocket::close()
{
    const QSignalBlocker quiet(m_socket);
    m_socket.abort();
}

QString SslSmtpSocket::certificateProblem(const QList<QSslError> &errors, const QString &host)
{
    // The problem that tells the user most comes first.
    static const QList<QPair<QList<QSslError::SslError>, const char *>> problems = {
        {{QSslError::UnableToGetLocalIssuerCertificate, QSslError::UnableToGetIssuerCertificate,
          QSslError::SelfSignedCertificate, QSslError::SelfSignedCertificateInChain,
          QSslError::UnableToVerifyFirstCertificate, QSslError::CertificateUntrusted,
          QSslError::CertificateRejected, QSslError::InvalidCaCertificate},
         "the certificate is not from a trusted issuer"},
        {{QSslError::CertificateExpired}, "the certificate has expired"},
        {{QSslError::CertificateNotYetValid}, "the certificate is not valid yet"},
        {{QSslError::CertificateRevoked}, "the certificate has been revoked"},
        {{QSslError::HostNameMismatch}, "the certificate is for another name than %1"},
        {{QSslError::NoPeerCertificate}, "the server sent no certificate"},
    };
    for (const auto &[kinds, words] : problems) {
        for (const QSslError &e : errors) {
            if (kinds.contains(e.error()))
                return QString::fromLatin1(words).replace(QStringLiteral("%1"), host);
        }
    }
    return errors.isEmpty() ? QString() : errors.first().errorString();
}

int SslSmtpSocket::errorNumber(QAbstractSocket::SocketError error)
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
