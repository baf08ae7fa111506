#pragma once

#include <QString>

#include <optional>

// The e-mail-to-fax gateways. Their domains sit under the reserved ".example"
// top-level domain, so a document can never reach a stranger's mail server
// by accident; a real gateway is reached by typing its domain as the
// provider (see addressFax).
namespace providers {

struct Row
{
    QString name;
    QString gateway;
};

// The names in the order the settings window lists them.
const QList<Row> &table();

struct Addressed
{
    QString recipient;
    QString message;
    // The name as the address holds it, or as given when the address holds
    // none; the window shows it.
    QString name;
};

// The recipient address, and the message as the gateway wants it, for a fax
// to the number `faxDigits`. `provider` is compared exactly with the table;
// a text that is not in it but is a domain name is itself taken as a
// gateway domain. Nothing for any other text.
std::optional<Addressed> addressFax(const QString &provider, const QString &to,
                                    const QString &faxDigits, const QString &acod,
                                    const QString &message);

// The message as typed, from the message sent through `provider`: a
// gateway's instruction lines taken away again.
QString typedMessage(const QString &provider, const QString &sent);

} // namespace providers
