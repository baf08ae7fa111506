#include "mail/enclosure.h"

#include <QCoreApplication>
#include <QFile>

namespace enclosure {

QString changedSinceAttached(const Enclosure &file)
{
    QFile f;
    FileIdentity identity;
    QString reason;
    switch (openRegular(f, file.path, identity, reason)) {
    case OpenResult::CannotOpen:
        return QCoreApplication::translate("Enclosure", "Not sent: %1 cannot be read: %2")
            .arg(file.name, reason);
    case OpenResult::NotRegular:
        return changed(file);
    case OpenResult::Opened:
        break;
    }
    if (identity != file.identity || f.size() != file.size ||
        f.fileTime(QFileDevice::FileModificationTime) != file.modified)
        return changed(file);
    return {};
}

QString changed(const Enclosure &file)
{
    return QCoreApplication::translate(
               "Enclosure", "Not sent: %1 has changed since it was attached; attach it again")
        .arg(file.name);
}

} // namespace enclosure
