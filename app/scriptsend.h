#pragma once

#include "ui/newfax.h"

#include <QString>

// quillon --send: the fax the command line describes goes through the
// Outbox as the window's would (the same checks, message, session, Sent
// copy), without a window and without ever asking the user: a sign-in
// comes from the keyring or a remembered refresh token, or the fax is not
// sent. It reads the settings file and never writes it, never opens the
// document file, and takes neither the folder's lock nor the hand-over
// socket, so it runs beside a running Quillon.
namespace scriptsend {

// Sends and returns the exit code: 0 when the server took the fax, 1 when it
// was refused or could not be sent. Standard error says why, as the status
// line would. With `waitReportMinutes`, it then waits that long for the
// gateway's report, read as Settings say: 0 when it says delivered, 3 when
// it says failed, 4 when none came; standard output gives its news.
int send(const QString &dataFolder, const NewFax &fax, int waitReportMinutes = 0);

} // namespace scriptsend
