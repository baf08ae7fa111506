#pragma once

#include "account/oauthproviders.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>

#ifndef OAUTH_SERVER_SCRIPT
#error OAUTH_SERVER_SCRIPT must name tests/oauth_server.py
#endif

// The test's authorization server (tests/oauth_server.py) on a free
// loopback port, and the sign-in table entry that points at it.
class OAuthServer
{
public:
    bool start()
    {
        m_process.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(OAUTH_SERVER_SCRIPT)});
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead(20000))
            return false;
        port = quint16(m_process.readLine().trimmed().toUInt());
        return port > 0;
    }
    ~OAuthServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }

    // An entry for the SMTP servers `hosts`, as oauth.ini would give it: a
    // public client, or with `secret` the one the server knows by it.
    OAuthProvider provider(const QStringList &hosts, bool secret = false) const
    {
        const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(port);
        return {QStringLiteral("Test"),
                hosts,
                QUrl(base + QStringLiteral("authorize")),
                QUrl(base + QStringLiteral("token")),
                secret ? QStringLiteral("quillon-secret-client") : QStringLiteral("quillon-test-client"),
                secret ? QStringLiteral("not-so-secret") : QString(),
                QStringLiteral("smtp.send offline_access")};
    }

    // Flips its switches: {"deny": true}, {"expire": true}, {"revoke": true}.
    void control(const QJsonObject &switches) { call("control", QJsonDocument(switches).toJson()); }
    // What was asked of it: "authorize" and "token" lists.
    QJsonObject log() { return QJsonDocument::fromJson(call("log")).object(); }

    quint16 port = 0;

private:
    QByteArray call(const char *path, const QByteArray &post = {})
    {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/%2")
                                         .arg(port)
                                         .arg(QLatin1StringView(path))));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
        QNetworkReply *reply = post.isEmpty() ? m_network.get(request) : m_network.post(request, post);
        QEventLoop wait;
        QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
        wait.exec();
        reply->deleteLater();
        return reply->readAll();
    }

    QProcess m_process;
    QNetworkAccessManager m_network;
};
