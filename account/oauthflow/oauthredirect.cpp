#include "account/oauthflow/oauthredirect.h"

#include "account/oauthflow/oauthwire.h"

#include <QNetworkReply>
#include <QTcpSocket>
#include <QTimer>

namespace {

// A connection that says nothing is not kept open.
constexpr int RequestTimeout = 10'000;

} // namespace

OAuthRedirectHandler::OAuthRedirectHandler(QObject *parent) : QAbstractOAuthReplyHandler(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

bool OAuthRedirectHandler::listen()
{
    if (!m_server.isListening() && !m_server.listen(QHostAddress::LocalHost, 0))
        return false;
    m_callback = QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort());
    return true;
}

void OAuthRedirectHandler::close()
{
    m_server.close();
}

QString OAuthRedirectHandler::callback() const
{
    return m_callback;
}

void OAuthRedirectHandler::answer(QTcpSocket *socket, const QByteArray &bytes)
{
    // Out at once: the sign-in may end, and this handler with it, before
    // the event loop runs again.
    socket->write(bytes);
    socket->flush();
    socket->disconnectFromHost();
}

void OAuthRedirectHandler::serve(QTcpSocket *socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(RequestTimeout, socket, [socket] { socket->abort(); });
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        // Read only what a request may be; the rest waits in the socket.
        const QByteArray seen =
            socket->peek(oauthwire::MaxRequest + 4);
        const oauthwire::Request request = oauthwire::readRequest(seen);
        if (request.read == oauthwire::Request::Read::Incomplete)
            return;
        socket->readAll();
        if (request.read == oauthwire::Request::Read::Bad)
            return answer(socket, oauthwire::response(400, tr("Bad request.")));
        if (request.path != QStringLiteral("/"))
            return answer(socket, oauthwire::response(404, tr("Not found.")));
        const QString state = request.query.value(QStringLiteral("state"));
        if (m_state.isEmpty() || state != m_state || !m_server.isListening())
            return answer(
                socket, oauthwire::response(400, tr("This is not the sign-in Quillon waits for.")));
        const QString error = request.query.value(QStringLiteral("error"));
        const QString code = request.query.value(QStringLiteral("code"));
        if (error.isEmpty() && code.isEmpty())
            return answer(socket, oauthwire::response(400, tr("No sign-in came.")));
        // The one good redirect: nothing more is taken.
        close();
        m_state.clear();
        if (!error.isEmpty()) {
            answer(socket, oauthwire::response(
                               200, tr("The sign-in was refused. You can close this page.")));
            return Q_EMIT refused(error, request.query.value(QStringLiteral("error_description")));
        }
        answer(socket,
               oauthwire::response(200, tr("Quillon is signed in. You can close this page.")));
        Q_EMIT callbackReceived({{QStringLiteral("code"), code}, {QStringLiteral("state"), state}});
    });
}

void OAuthRedirectHandler::networkReplyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return Q_EMIT tokenRequestFailed(QString(),
                                         tr("the sign-in server did not answer within %1 seconds")
                                             .arg(oauthwire::TransferTimeoutMs / 1000));
    if (!status.isValid())
        return Q_EMIT tokenRequestFailed(QString(), reply->errorString());
    const oauthwire::TokenAnswer a = oauthwire::readTokenAnswer(status.toInt(), reply->readAll());
    if (!a.ok())
        return Q_EMIT tokenRequestFailed(a.error, a.errorDescription);
    QVariantMap tokens{{QStringLiteral("access_token"), a.accessToken},
                       {QStringLiteral("token_type"), QStringLiteral("bearer")}};
    if (!a.refreshToken.isEmpty())
        tokens.insert(QStringLiteral("refresh_token"), a.refreshToken);
    if (a.expiresIn >= 0)
        tokens.insert(QStringLiteral("expires_in"), a.expiresIn);
    if (!a.signedInAs.isEmpty())
        tokens.insert(QLatin1StringView(SignedInAs), a.signedInAs);
    Q_EMIT tokensReceived(tokens);
}
