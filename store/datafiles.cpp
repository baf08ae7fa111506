#include "store/datafiles.h"

#include "store/fields.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// A data file's name taken by something that is not a file would make the
// program fail after it had already created the other file.
QString occupied(const QString &folder, const QString &name)
{
    const QFileInfo info(QDir(folder).filePath(name));
    if (info.exists() && !info.isFile())
        return QCoreApplication::translate("Store", "Cannot open %1: it is not an ordinary file.")
            .arg(QDir::toNativeSeparators(info.filePath()));
    return {};
}

} // namespace

StartupResult startup(DataFiles &files, const QString &folder, DocumentFields &document,
                      const std::function<SettingsFields &()> &settingsFields)
{
    StartupResult result;
    files.folder = folder;
    for (const QString &name : {FaxStore::FileName, SettingsStore::FileName}) {
        result.error = occupied(folder, name);
        if (!result.error.isEmpty())
            return result;
    }
    auto fail = [&](const QString &error) {
        programEnd(files);
        result.error = error;
        return result;
    };

    if (QString e = files.fax.open(folder); !e.isEmpty())
        return fail(e);
    if (QString e = files.settings.open(folder); !e.isEmpty())
        return fail(e);

    SettingsFields &settings = settingsFields();
    if (QString e = files.settings.read(); !e.isEmpty())
        return fail(e);
    files.settings.loadFields(settings);

    files.fax.curRec = 1;
    if (QString e = files.fax.read(1); !e.isEmpty())
        return fail(e);
    files.fax.showBuffer(document);
    document.showRecNum(files.fax.curRec);

    result.firstWindow = QFileInfo(QDir(folder).filePath(AgreementMarker)).isFile()
                             ? FirstWindow::Main
                             : FirstWindow::Agreement;
    return result;
}

void programEnd(DataFiles &files)
{
    files.fax.close();
    files.settings.close();
}
