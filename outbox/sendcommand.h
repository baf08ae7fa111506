#pragma once

#include "outbox/draft.h"
#include "sent/sentcopy.h"
#include "smtp/request.h"

#include <QString>

// What the Send command makes of a draft: the To and Fax fields as they read
// once it is done (trimmed, spaces in To as "_", the name the gateway's
// address holds for a fax) and either the request to send or why not.
struct Addressed
{
    QString to;
    QString fax;
    // Empty when the request can go; else the status line's text.
    QString refusal;
    SmtpRequest request;
    // What the Sent copy records of this fax.
    TypedFax typed;
};

// Addresses the fax through the draft's provider (or plain e-mail when there
// is no fax number). Refuses a fax number that is not one, a provider it does
// not know, a recipient or sender that is not a plain e-mail address, a
// server setting that is not one, and an attached file that changed or went
// since it was attached.
Addressed addressDraft(const Draft &draft);
