#include "sent/storedmessage.h"

#include "mime/body.h"
#include "mime/date.h"
#include "mime/headerfields.h"
#include "mime/multipart.h"
#include "mime/parameter.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace stored {

namespace {

Summary summaryOf(const mime::Header &header)
{
    Summary s;
    s.damaged = header.fields.isEmpty();
    auto text = [&](const char *name) { return header.text(name); };
    const QString sent = text("x-quillon-sent");
    s.sent = mime::parseDate(sent.isEmpty() ? text("date") : sent);
    s.recipient = text("to");
    s.to = text("x-quillon-name");
    if (s.to.isEmpty())
        s.to = s.recipient;
    s.fax = text("x-quillon-fax");
    s.provider = text("x-quillon-provider");
    s.subject = text("subject");
    s.pages = std::max(0, text("x-quillon-pages").toInt());
    s.reply = text("x-quillon-reply").simplified();
    s.server = text("x-quillon-server");
    s.sender = text("from");
    s.messageId = text("message-id");
    return s;
}

} // namespace

Summary readSummary(QByteArrayView head)
{
    return summaryOf(mime::parseHeader(head.first(std::min(head.size(), MaxHeader))));
}

Message read(QByteArrayView bytes)
{
    // A header that has not ended within MaxHeader is not one Quillon wrote.
    const mime::Header header = mime::parseHeader(bytes.first(std::min(bytes.size(), MaxHeader)));
    Message m;
    m.summary = summaryOf(header);
    if (!header.ended && bytes.size() > MaxHeader) {
        m.summary.damaged = true;
        return m;
    }
    const QByteArrayView content = bytes.sliced(header.bodyStart);
    const QByteArray type = header.value("content-type").trimmed().toLower();
    const QByteArray boundary =
        mime::decodeParameter(header.value("content-type"), "boundary").toUtf8();
    if (!type.startsWith("multipart/") || boundary.isEmpty()) {
        m.text = mime::bodyText(content, header);
        // Every line was sent with its line break; the last was not typed.
        if (m.text.endsWith(QStringLiteral("\r\n")))
            m.text.chop(2);
        return m;
    }
    bool haveText = false;
    for (QByteArrayView part : mime::splitMultipart(content, boundary)) {
        const mime::Header partHeader = mime::parseHeader(part);
        const QByteArrayView partBody = part.sliced(partHeader.bodyStart);
        const QByteArray partType = partHeader.value("content-type").trimmed().toLower();
        const QByteArray disposition = partHeader.value("content-disposition");
        const bool attachment = disposition.trimmed().toLower().startsWith("attachment");
        if (!haveText && !attachment && (partType.isEmpty() || partType.startsWith("text/plain"))) {
            m.text = mime::bodyText(partBody, partHeader);
            haveText = true;
            continue;
        }
        QString name = mime::decodeParameter(disposition, "filename");
        if (name.isEmpty())
            name = mime::decodeParameter(partHeader.value("content-type"), "name");
        const qsizetype semicolon = partType.indexOf(';');
        m.files.append({name, semicolon < 0 ? partType : partType.left(semicolon).trimmed(),
                        mime::decodeBody(partBody, partHeader)});
    }
    return m;
}

QStringList saveFiles(const QList<File> &files, const QString &folder)
{
    QStringList paths;
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString name = files[i].name;
        name.replace(u'/', u'_').replace(QChar(0), u'_');
        while (name.startsWith(u'.'))
            name.remove(0, 1);
        if (name.isEmpty())
            name = QStringLiteral("document");
        // Two files of one name each keep theirs, in folders of their own.
        const QString place = QDir(folder).filePath(QString::number(i + 1));
        QFile file(QDir(place).filePath(name));
        if (!QDir().mkpath(place) || !file.open(QIODevice::WriteOnly) ||
            file.write(files[i].bytes) != files[i].bytes.size())
            return {};
        paths.append(file.fileName());
    }
    return paths;
}

} // namespace stored
