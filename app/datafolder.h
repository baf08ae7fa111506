#pragma once

#include <QString>

// Where the data files live: beside the program when its folder can be
// written (a portable copy, the build tree), else in the user's data folder
// for Quillon (~/.local/share/Quillon), created when missing. The folder an
// installation puts the program in is never used, even when it could be
// written, as by root: data files do not belong in /usr/bin.
// `installFolder` is that folder; `userFolder` the user's data folder.
// The user's data folder is made private (see makePrivate); a folder beside
// the program is left as its owner set it.
QString dataFolder(const QString &programFolder, const QString &installFolder,
                   const QString &userFolder);

// Makes `folder`, Quillon's files in it and its Sent folder readable and
// writable by their owner alone, where they are the user's own.
void makePrivate(const QString &folder);

// dataFolder() for this program: the folder it runs from, the one it is
// installed into, and QStandardPaths' AppDataLocation. Needs the
// application's name set.
QString dataFolder();
