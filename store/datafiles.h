#pragma once

#include "store/faxstore.h"
#include "store/settingsstore.h"

#include <functional>

class DocumentFields;
class SettingsFields;

// The data files, open for the whole run: the document file and the
// settings file, in one folder.
struct DataFiles
{
    QString folder; // where the data files live
    FaxStore fax;
    SettingsStore settings;
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
StartupResult startup(DataFiles &files, const QString &folder, DocumentFields &document,
                      const std::function<SettingsFields &()> &settingsFields);

// Closes every file.
void programEnd(DataFiles &files);
