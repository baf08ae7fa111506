#pragma once

#include "ui/newfax.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// What a later start hands the running Quillon over its local socket: the
// names of the files to attach, as QDataStream writes a QStringList; with
// fields from its command line, the list starts with a marker, then names
// and values, then a second marker and the files. Read without trust, since
// any process of the user can connect: a message claiming more than it may
// hold is refused before anything is reserved for it.
namespace handover {

// The longest message, as QDataStream writes it (UTF-16) with every line
// break grown to CR LF, beside a megabyte of names and fields: whatever a
// command line may give is taken.
inline constexpr qsizetype MaxBytes = 4 * NewFax::MaxMessageBytes + 1024 * 1024;
inline constexpr qsizetype MaxFiles = 1000;

QByteArray encode(const NewFax &fax);
QByteArray encode(const QStringList &files);

enum class Read
{
    More,    // the message has not all come yet
    Done,    // `files` holds it
    Refused, // too long, too many names, or not a list of names
};
Read decode(QByteArrayView bytes, NewFax &fax);

} // namespace handover
