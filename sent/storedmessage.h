#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// A copy in the Sent folder read back. The files are Quillon's own, but a
// user or a mail program may have edited or damaged them: anything is
// read without harm, and what cannot be read says so.
namespace stored {

// What the Sent window's table shows of a copy, from its header alone.
struct Summary
{
    QDateTime sent;    // X-Quillon-Sent, else Date
    QString to;        // X-Quillon-Name, else the To address
    QString fax;       // X-Quillon-Fax
    QString provider;  // X-Quillon-Provider
    QString subject;
    int pages = 0;     // X-Quillon-Pages
    QString reply;     // X-Quillon-Reply, its lines joined
    QString server;    // X-Quillon-Server
    QString recipient; // the To address
    QString sender;    // From
    QString messageId;
    // No header could be read: the entry says the copy is damaged.
    bool damaged = false;
};

// The largest header read for the table; a longer one is damaged.
constexpr qsizetype MaxHeader = 64 * 1024;

// The header at the start of a copy (the bytes may go on past it).
Summary readSummary(QByteArrayView head);

struct File
{
    QString name;
    QByteArray mediaType;
    QByteArray bytes;
};

struct Message
{
    Summary summary;
    QString text; // line breaks as CR LF
    QList<File> files;
};

// The whole copy: the text part and every attached file, decoded. A header
// longer than MaxHeader makes the copy damaged.
Message read(QByteArrayView bytes);

// Writes the files into `folder` under their own names (made safe: no
// folder, no hidden file) and gives their paths; empty when one could not
// be written.
QStringList saveFiles(const QList<File> &files, const QString &folder);

} // namespace stored
