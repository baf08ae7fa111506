#include "mail/enclosure.h"

#include <QFile>

namespace enclosure {

QString changedSinceAttached(const Enclosure &file)
{
    QFile f;
    FileIdentity identity;
    QString reason;
    switch (openRegular(f, file.path, identity, reason)) {
    case OpenResult::CannotOpen:
        return QStringLiteral("Not sent: ") + file.name + QStringLiteral(" cannot be read: ") +
               reason;
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
    return QStringLiteral("Not sent: ") + file.name +
           QStringLiteral(" has changed since it was attached; attach it again");
}

} // namespace enclosure
