#pragma once

#include <QString>

// Where the data files live: beside the program when its folder can be
// written (a portable copy, the build tree), else in the user's data folder
// for Quillon (~/.local/share/Quillon), created when missing. The folder an
// installation puts the program in is never used, even when it could be
// written, as by root: data files do not belong in /usr/bin.
// `installFolder` is that folder; `userFolder` the user's data folder.
QString dataFolder(const QString &programFolder, const QString &installFolder,
                   const QString &userFolder);

// dataFolder() for this program: the folder it runs from, the one it is
// installed into, and QStandardPaths' AppDataLocation. Needs the
// application's name set.
QString dataFolder();
