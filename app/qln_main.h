#pragma once

#include "faxstore.h"
#include "sendparams.h"
#include "settingsstore.h"

#include <functional>

class DocumentFields;
class SettingsFields;

// The state the windows share for the whole run.
struct Qln_main
{
    QString folder; // where the data files live
    FaxStore fax;
    SettingsStore settings;
    SendParams sendParams;
    QString statusText;
};

enum class FirstWindow
{
    Main,
    Agreement
};

struct StartupResult
{
    FirstWindow firstWindow = FirstWindow::Agreement;
    // Empty, or why the program cannot run; no file was changed then.
    QString error;
};

// The marker that the user accepted the agreement; only its existence counts.
inline const QString AgreementMarker = QStringLiteral("qln.rss");

// Opens the two data files in `folder`, loads the settings into the settings
// fields and record 1 into the document fields, and tells which window
// comes first. `settingsFields` gives the settings window's fields,
// creating the window on first use.
StartupResult startup(Qln_main &qln, const QString &folder, DocumentFields &document,
                      const std::function<SettingsFields &()> &settingsFields);

// Closes every file.
void programEnd(Qln_main &qln);
