#pragma once

#include "ui/newfax.h"

#include <QStringList>

// What Quillon was started to do, from its command line: open the window
// (with files, and fields of a new fax when given), or send a fax without
// a window (--send) and end.
struct CommandLine
{
    bool send = false;
    NewFax fax;
    // --wait-report: how many minutes --send waits for the gateway's report.
    int waitReport = 0;
    // Wrong use: what standard error says before Quillon ends with 2.
    QString error;
};

// Reads the arguments, the program's name first. --help and --version
// print their text and end the program. A message from --message-file is
// read here ("-": standard input).
CommandLine readCommandLine(const QStringList &arguments);

