#pragma once

#include <QAbstractOAuthReplyHandler>
#include <QTcpServer>

// Where the browser comes back after a sign-in (RFC 8252): a listener on
// 127.0.0.1, on a port the system chooses, path "/". Any process of the
// machine can connect, so a request counts only with the state of this
// sign-in; any other is answered 400 and changes nothing. After the one
// good redirect, the listener closes. The token endpoint's answers are read
// here too, errors included.
class OAuthRedirectHandler : public QAbstractOAuthReplyHandler
{
    Q_OBJECT
public:
    explicit OAuthRedirectHandler(QObject *parent = nullptr);

    bool listen();
    void close();
    // "http://127.0.0.1:PORT/": the redirect address of this sign-in.
    QString callback() const override;
    // The state a redirect must bring back.
    void expectState(const QString &state) { m_state = state; }

    void networkReplyFinished(QNetworkReply *reply) override;

    // The token's extra value naming the account an id_token named.
    static constexpr char SignedInAs[] = "quillon_signed_in_as";

Q_SIGNALS:
    // The redirect said the user or the provider refused (error=).
    void refused(const QString &error, const QString &description);
    // The token endpoint gave no token.
    void tokenRequestFailed(const QString &error, const QString &description);

private:
    void serve(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &bytes);

    QTcpServer m_server;
    QString m_callback; // kept past the closing: the token request names it
    QString m_state;
};
