#pragma once

#include <QString>

// quillon.ini in the data folder: the settings that the fixed 250-byte
// settings record has no room for (and that other programs reading it
// must not see), and where the reading of delivery reports stopped.
struct ReportSettings
{
    QString imapServer; // as typed
    bool watch = false; // "Watch for delivery reports"
};

// Where reading a mailbox stopped, for the server it was read on.
struct MailboxMark
{
    QString server;
    quint32 uidValidity = 0;
    quint32 lastUid = 0;
};

namespace reportsettings {

inline const QString FileName = QStringLiteral("quillon.ini");

ReportSettings load(const QString &dataFolder);
// Written whole (a new file renamed over the old), on disk, for the owner
// only. Empty, or why not.
QString save(const QString &dataFolder, const ReportSettings &settings);

MailboxMark loadMark(const QString &dataFolder);
QString saveMark(const QString &dataFolder, const MailboxMark &mark);

} // namespace reportsettings
