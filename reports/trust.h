#pragma once

#include "reports/faxmatch.h"
#include "reports/reportreader.h"
#include "reports/wording.h"
#include "sent/delivery.h"

#include <QStringList>

// Whether a report proves it comes from the fax's gateway. Anyone can
// send the user a mail whose From names the gateway and whose text says
// "delivered"; so a report counts only when it names the fax's Message-ID
// (which only the gateway saw), or when the user's own receiving server
// wrote that the gateway's domain signed it (DKIM) or passed DMARC for it,
// or when gateways.ini says that gateway is known by its sender alone.
namespace trust {

// The receiving servers whose Authentication-Results count for a mailbox
// on `imapHost`: that host and its registrable domain, the names Google
// and Microsoft 365 write for their mailboxes ("" for Microsoft's fields,
// which have no authserv-id), unless the files' [trust] group says
// defaults = false; and those that group lists (authserv-id =
// mx.example.org, ...).
QStringList authservIds(const QString &imapHost, const QStringList &iniFiles);

// How `report` proves it is `fax`'s gateway's; Proof::None when it does not.
Delivery::Proof verify(const ReportText &report, const WaitingFax &fax, const Wording &words,
                       const QStringList &authservIds);

} // namespace trust
