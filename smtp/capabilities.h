#pragma once

#include "smtp/reply.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What a server offers in its reply to EHLO: one extension keyword per line
// after the first, each with its parameters. Keywords are compared without
// regard to case.
class SmtpCapabilities
{
public:
    SmtpCapabilities() = default;
    // From a whole 250 reply to EHLO.
    static SmtpCapabilities fromEhloReply(const SmtpReply &reply);

    bool has(QStringView keyword) const;
    // The parameters after the keyword, as sent; empty when there are none.
    QString parameters(QStringView keyword) const;
    // The largest message the server takes in bytes (SIZE), 0 when it names
    // no limit.
    qint64 sizeLimit() const;
    // The sign-in methods after AUTH, in upper case.
    QStringList authMechanisms() const;

private:
    QHash<QString, QString> m_offered; // keyword in upper case -> parameters
};
