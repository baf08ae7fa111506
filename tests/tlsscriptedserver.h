#pragma once

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

// A loopback SMTP server for what aiosmtpd will not do: a STARTTLS that is
// missing, refused or followed by injected plain text, and certificates
// that must not be accepted. After encryption it offers sign-in and takes
// every command, so that a client that went on would show it in the log.
class TlsScriptedServer : public QTcpServer
{
public:
    // `certificate` and `key` are PEM files.
    TlsScriptedServer(const QString &certificate, const QString &key, bool implicitTls)
        : m_implicit(implicitTls)
    {
        QFile cert(certificate);
        QFile k(key);
        if (!cert.open(QIODevice::ReadOnly) || !k.open(QIODevice::ReadOnly))
            qFatal("cannot read the test certificate");
        m_tls = QSslConfiguration::defaultConfiguration();
        m_tls.setLocalCertificateChain(QSslCertificate::fromDevice(&cert));
        m_tls.setPrivateKey(QSslKey(&k, QSsl::Ec));
        m_tls.setPeerVerifyMode(QSslSocket::VerifyNone);
        listening = listen(QHostAddress::LocalHost);
    }

    bool listening = false;
    // The reply to EHLO before encryption.
    QByteArray ehlo = "250-mail.example\r\n250-STARTTLS\r\n250 AUTH PLAIN LOGIN\r\n";
    // What goes back for STARTTLS, in one write; the handshake follows a 220.
    QByteArray startTlsReply = "220 2.0.0 go ahead\r\n";
    QByteArray log; // every line the client sent, decrypted

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *s = new QSslSocket(this);
        s->setSocketDescriptor(descriptor);
        s->setSslConfiguration(m_tls);
        connect(s, &QSslSocket::readyRead, this, [this, s] { onRead(s); });
        connect(s, &QSslSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QSslSocket::encrypted, this, [this, s] {
            if (m_implicit)
                s->write("220 mail.example ESMTP\r\n");
        });
        if (m_implicit)
            s->startServerEncryption();
        else
            s->write("220 mail.example ESMTP\r\n");
    }

private:
    void onRead(QSslSocket *s)
    {
        while (s->canReadLine()) {
            const QByteArray line = s->readLine();
            log += line;
            const QByteArray verb = line.left(8).toUpper();
            if (verb.startsWith("EHLO")) {
                s->write(s->isEncrypted()
                             ? QByteArray("250-mail.example\r\n250 AUTH PLAIN LOGIN\r\n")
                             : ehlo);
            } else if (verb.startsWith("STARTTLS")) {
                s->write(startTlsReply);
                if (startTlsReply.startsWith("220"))
                    s->startServerEncryption();
            } else if (verb.startsWith("AUTH")) {
                s->write("235 2.7.0 ok\r\n");
            } else {
                s->write("250 ok\r\n");
            }
        }
    }

    QSslConfiguration m_tls;
    bool m_implicit;
};
