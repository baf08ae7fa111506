#include "mail/enclosure.h"

#include <QFile>
#include <QFileInfo>

namespace enclosure {

QString changedSinceAttached(const Enclosure &file)
{
    QFile f(file.path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Not sent: ") + file.name + QStringLiteral(" cannot be read: ") +
               f.errorString();
    const QFileInfo info(f);
    if (info.size() != file.size || info.lastModified() != file.modified)
        return changed(file);
    return {};
}

QString changed(const Enclosure &file)
{
    return QStringLiteral("Not sent: ") + file.name +
           QStringLiteral(" has changed since it was attached; attach it again");
}

} // namespace enclosure
