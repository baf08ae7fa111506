#include "account/oauthflow/oauthwire.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace oauthwire {

namespace {

// application/x-www-form-urlencoded: "+" is a space.
QString formDecoded(QByteArrayView text)
{
    QByteArray bytes = text.toByteArray();
    bytes.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(bytes));
}

} // namespace

Request readRequest(QByteArrayView bytes)
{
    Request r;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0) {
        r.read = bytes.size() > MaxRequest ? Request::Read::Bad : Request::Read::Incomplete;
        return r;
    }
    r.read = Request::Read::Bad;
    if (end > MaxRequest)
        return r;
    const qsizetype lineEnd = bytes.indexOf("\r\n");
    const QList<QByteArrayView> parts = [&] {
        QList<QByteArrayView> p;
        const QByteArrayView line = bytes.first(lineEnd);
        for (qsizetype at = 0; at <= line.size();) {
            qsizetype space = line.indexOf(' ', at);
            if (space < 0)
                space = line.size();
            p.append(line.sliced(at, space - at));
            at = space + 1;
        }
        return p;
    }();
    if (parts.size() != 3 || parts[0] != "GET" || !parts[2].startsWith("HTTP/1.") ||
        !parts[1].startsWith('/'))
        return r;
    const QByteArrayView target = parts[1];
    const qsizetype question = target.indexOf('?');
    r.path = formDecoded(question < 0 ? target : target.first(question));
    if (question >= 0) {
        for (const QByteArray &pair : target.sliced(question + 1).toByteArray().split('&')) {
            if (pair.isEmpty())
                continue;
            const qsizetype equals = pair.indexOf('=');
            const QString name = formDecoded(equals < 0 ? pair : pair.first(equals));
            if (r.query.contains(name))
                return r; // an attacker's second state, say
            r.query.insert(name, equals < 0 ? QString() : formDecoded(pair.sliced(equals + 1)));
        }
    }
    r.read = Request::Read::Complete;
    return r;
}

TokenAnswer readTokenAnswer(int httpStatus, QByteArrayView body)
{
    TokenAnswer a;
    QJsonParseError parsed;
    const QJsonDocument json = QJsonDocument::fromJson(body.toByteArray(), &parsed);
    if (parsed.error != QJsonParseError::NoError || !json.isObject()) {
        a.error = QStringLiteral("invalid_response");
        a.errorDescription =
            QCoreApplication::translate("OAuthRedirectHandler",
                                        "the token endpoint answered %1 without JSON")
                .arg(httpStatus);
        return a;
    }
    const QJsonObject o = json.object();
    a.error = o.value(QStringLiteral("error")).toString();
    a.errorDescription = o.value(QStringLiteral("error_description")).toString();
    if (!a.error.isEmpty())
        return a;
    a.accessToken = o.value(QStringLiteral("access_token")).toString();
    a.refreshToken = o.value(QStringLiteral("refresh_token")).toString();
    a.signedInAs = idTokenAccount(o.value(QStringLiteral("id_token")).toString());
    const QJsonValue expires = o.value(QStringLiteral("expires_in"));
    // Some servers send the number as a string.
    const double seconds = expires.isString() ? expires.toString().toDouble() : expires.toDouble(-1);
    a.expiresIn = std::isfinite(seconds) && seconds >= 0 && seconds < 1e9 ? qint64(seconds) : -1;
    if (httpStatus != 200 || a.accessToken.isEmpty() ||
        o.value(QStringLiteral("token_type")).toString().compare(QStringLiteral("bearer"),
                                                                  Qt::CaseInsensitive) != 0) {
        a.error = QStringLiteral("invalid_response");
        a.errorDescription =
            QCoreApplication::translate("OAuthRedirectHandler",
                                        "the token endpoint answered %1 without a bearer token")
                .arg(httpStatus);
    }
    return a;
}

QString idTokenAccount(QStringView idToken)
{
    const QList<QStringView> parts = idToken.split(u'.');
    if (parts.size() != 3)
        return {};
    const QJsonDocument claims = QJsonDocument::fromJson(QByteArray::fromBase64(
        parts[1].toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    const QJsonObject o = claims.object();
    const QString email = o.value(QStringLiteral("email")).toString().trimmed();
    if (!email.isEmpty())
        return email;
    const QString name = o.value(QStringLiteral("preferred_username")).toString().trimmed();
    return name.contains(u'@') ? name : QString();
}

QByteArray response(int status, const QString &text)
{
    const char *reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Bad Request";
    const QByteArray body = text.toUtf8() + '\n';
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
           "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\nCache-Control: no-store\r\n\r\n" +
           body;
}

} // namespace oauthwire
