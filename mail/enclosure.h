#pragma once

#include "store/regularfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// A file attached to a message, as it was when the user attached it and
// saw it: what is sent must be that file.
struct Enclosure
{
    QString path;
    QString name; // sent as the attachment's file name
    QByteArray mediaType;
    qint64 size = 0;
    QDateTime modified;
    QByteArray sha256;
    FileIdentity identity; // the file attached, not another put in its place
};

namespace enclosure {

// Empty while the file looks as it did when attached (the same file, same
// size, same time); else why it cannot be sent, for the status line: "Not
// sent: NAME has changed since it was attached; attach it again" or "Not
// sent: NAME cannot be read: " and the system's reason. The digest is
// checked as the file is sent.
QString changedSinceAttached(const Enclosure &file);

// The text for a file whose bytes are no longer those attached.
QString changed(const Enclosure &file);

} // namespace enclosure
