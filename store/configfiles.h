#pragma once

#include <QString>
#include <QStringList>

// Where a configuration file an organisation may provide is looked for:
// the user's data folder first, then Quillon/NAME in each of
// $XDG_CONFIG_DIRS (/etc/xdg when unset), in order.
QStringList configFiles(const QString &dataFolder, const QString &name);
