#pragma once

#include "enclosure.h"

#include <QList>

class DocumentFields;
class SettingsFields;
class SmtpSession;
class StatusLine;
class QString;
struct SendParams;

// The Send button: cleans the To and Fax fields in place, addresses the fax
// through the chosen provider (or sends plain e-mail when there is no fax
// number) and starts the SMTP exchange, with `attachments`. Refuses, with
// the reason in the status line, while an exchange is running, for a fax
// number that is not one, for a provider it does not know, for a recipient
// or sender that is not a plain e-mail address, and for an attached file
// that changed or went since it was attached.
void sendCommand(DocumentFields &document, SettingsFields &settings, StatusLine &lblStatus,
                 SendParams &params, QString &statusText, SmtpSession &session,
                 const QList<Enclosure> &attachments = {});
