#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// What passes between Quillon and an OAuth 2.0 sign-in on the wire, read
// without trust: the browser's request to the loopback listener (any local
// process can send one) and the token endpoint's answer.
namespace oauthwire {

// The most of a request the listener reads.
constexpr qsizetype MaxRequest = 16 * 1024;

struct Request
{
    enum class Read
    {
        Incomplete, // the empty line that ends the head has not come yet
        Complete,
        Bad // not an HTTP GET, or too long
    };
    Read read = Read::Incomplete;
    QString path;
    QMap<QString, QString> query; // decoded; a name given twice is Bad
};

// The request line and headers from the bytes received so far.
Request readRequest(QByteArrayView bytes);

// RFC 6749 5.1 and 5.2.
struct TokenAnswer
{
    QString accessToken;
    QString refreshToken; // may be missing: the old one stays
    qint64 expiresIn = -1; // seconds; -1 when not said
    QString error;
    QString errorDescription;
    QString signedInAs; // the account its id_token names, if any

    bool ok() const { return error.isEmpty() && !accessToken.isEmpty(); }
};

// The account an OpenID Connect id_token names: its "email", else an
// address in "preferred_username"; empty when it names none. Its signature
// is not checked: the token came straight from the token endpoint over
// TLS (OpenID Connect Core 3.1.3.7).
QString idTokenAccount(QStringView idToken);

// The token endpoint's answer: a JSON object, whatever the status.
TokenAnswer readTokenAnswer(int httpStatus, QByteArrayView body);

// How long one request to the token endpoint may take.
constexpr int TransferTimeoutMs = 30'000;

// A whole HTTP response of plain text, that closes the connection.
QByteArray response(int status, const QString &text);

} // namespace oauthwire
