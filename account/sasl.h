#pragma once

#include "account/credentials.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

// A SASL mechanism (RFC 4954) as the SMTP client speaks it: the AUTH command,
// then an answer to each 334 challenge, every line ending in CR LF. User
// name and password go base64-encoded, so no byte of theirs can end a line.
class SaslMechanism
{
public:
    virtual ~SaslMechanism() = default;
    virtual QByteArray command() = 0;
    // "*" once the mechanism has nothing more to say: the server then ends
    // the sign-in.
    virtual QByteArray answer(QByteArrayView challenge) = 0;
    // The last answer has been given: a server that challenges again would
    // keep the sign-in going for ever.
    virtual bool exhausted() const = 0;
};

namespace sasl {

// For a password, PLAIN when the server offers it, else LOGIN; for an OAuth
// 2.0 token, OAUTHBEARER (RFC 7628), else XOAUTH2. Nothing when the server
// offers none of them. `host` and `port` are the server's, which
// OAUTHBEARER names.
std::unique_ptr<SaslMechanism> choose(const QStringList &offered, const SignIn &signIn,
                                      const QString &host, quint16 port);

} // namespace sasl
