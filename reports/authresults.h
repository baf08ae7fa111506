#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// An Authentication-Results field (RFC 8601): which server checked the
// message (its authserv-id) and what each method found, with the
// properties it checked ("header.d" → "example.net"). Microsoft 365 writes
// its fields without an authserv-id; such a field reads with an empty one.
struct AuthResults
{
    struct Result
    {
        QByteArray method;                                   // lower case: "dkim"
        QByteArray result;                                   // lower case: "pass"
        QList<std::pair<QByteArray, QByteArray>> properties; // name lower case
    };
    QByteArray authservId; // lower case; empty for Microsoft 365's form
    QList<Result> results;

    // A field's value, read without harm; nothing when it is no such field.
    static std::optional<AuthResults> parse(QByteArrayView value);
};
