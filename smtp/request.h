#pragma once

#include "mail/outgoing.h"

#include <QString>

// What one SMTP exchange is asked to do: which server (host, host:port,
// starttls://host[:port] or smtps://host[:port]) and the message. The
// session keeps its own copy: nothing typed later can change what it sends.
struct SmtpRequest
{
    QString server;
    mail::Outgoing message;
};
