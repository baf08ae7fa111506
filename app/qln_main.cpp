#include "qln_main.h"

#include "fields.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A data file's name taken by something that is not a file would make the
// program fail after it had already created the other file.
QString occupied(const QString &folder, const QString &name)
{
    const QFileInfo info(QDir(folder).filePath(name));
    if (info.exists() && !info.isFile())
        return QStringLiteral("Cannot open %1: it is not an ordinary file.")
            .arg(QDir::toNativeSeparators(info.filePath()));
    return {};
}

} // namespace

StartupResult startup(Qln_main &qln, const QString &folder, DocumentFields &document,
                      const std::function<SettingsFields &()> &settingsFields)
{
    StartupResult result;
    qln.folder = folder;
    for (const QString &name : {FaxStore::FileName, SettingsStore::FileName}) {
        result.error = occupied(folder, name);
        if (!result.error.isEmpty())
            return result;
    }
    auto fail = [&](const QString &error) {
        programEnd(qln);
        result.error = error;
        return result;
    };

    if (QString e = qln.fax.open(folder); !e.isEmpty())
        return fail(e);
    if (QString e = qln.settings.open(folder); !e.isEmpty())
        return fail(e);

    SettingsFields &settings = settingsFields();
    if (QString e = qln.settings.read(); !e.isEmpty())
        return fail(e);
    qln.settings.loadFields(settings);

    qln.fax.curRec = 1;
    if (QString e = qln.fax.read(1); !e.isEmpty())
        return fail(e);
    qln.fax.showBuffer(document);
    document.showRecNum(qln.fax.curRec);

    result.firstWindow = QFileInfo(QDir(folder).filePath(AgreementMarker)).isFile()
                             ? FirstWindow::Main
                             : FirstWindow::Agreement;
    return result;
}

void programEnd(Qln_main &qln)
{
    qln.fax.close();
    qln.settings.close();
}
