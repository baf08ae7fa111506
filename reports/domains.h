#pragma once

#include <QString>

// Domains as the Public Suffix List knows them, so that "myfax.co.uk"
// stays itself instead of becoming "co.uk", where anyone could send from.
namespace domains {

// The domain a host name belongs to: "fax.example.net" → "example.net",
// "mail.myfax.co.uk" → "myfax.co.uk"; empty for an address, a public
// suffix itself or no name at all.
QString registrable(const QString &host);

// `domain` is `parent` or lies within it: "fax.example.net" in
// "example.net", never "badexample.net".
bool within(const QString &domain, const QString &parent);

} // namespace domains
