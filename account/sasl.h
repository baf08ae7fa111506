#pragma once

#include "credentials.h"

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

// PLAIN when the server offers it, else LOGIN; nothing when it offers
// neither.
std::unique_ptr<SaslMechanism> choose(const QStringList &offered, const SignIn &signIn);

} // namespace sasl
