#include "sent/reportfolder.h"

#include "sent/storedmessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>

ReportFolder::ReportFolder(const SentFolder &sent)
    : m_folder(sent.path() + u'/' + Name, sent.fileSystem(), SentFolder::At::Path)
{
}

QString ReportFolder::keep(const Delivery &delivery, QByteArrayView message) const
{
    if (const QString problem = m_folder.prepare(); !problem.isEmpty())
        return problem;
    FileSystem &fs = m_folder.fileSystem();
    const QString name = m_folder.uniqueName();
    const QString tmp = QDir(m_folder.tmp()).filePath(name);
    const QByteArray trace = delivery.traceFields();
    QString error;
    const int file = fs.createNew(tmp);
    if (file < 0)
        return QCoreApplication::translate("SentFolder", "cannot write in %1: %2")
            .arg(QDir::toNativeSeparators(m_folder.tmp()), lastSystemError());
    if (!fs.writeFully(file, trace.constData(), trace.size(), 0) ||
        !fs.writeFully(file, message.data(), message.size(), trace.size()) || !fs.sync(file))
        error = QCoreApplication::translate("SentFolder", "cannot write the report: %1")
                    .arg(lastSystemError());
    fs.close(file);
    if (error.isEmpty() &&
        !fs.rename(tmp, QDir(m_folder.cur()).filePath(name + QStringLiteral(":2,S"))))
        error = QCoreApplication::translate("SentFolder", "cannot keep the report: %1")
                    .arg(lastSystemError());
    if (!error.isEmpty())
        fs.remove(tmp);
    return error;
}

QList<Delivery> ReportFolder::all() const
{
    QList<Delivery> reports;
    QStringList names = m_folder.messages();
    std::reverse(names.begin(), names.end()); // oldest first
    for (const QString &name : std::as_const(names)) {
        QFile file(QDir(m_folder.cur()).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (std::optional<Delivery> d = Delivery::fromHeader(file.read(stored::MaxHeader)))
            reports.append(std::move(*d));
    }
    return reports;
}

QHash<QString, Delivery> ReportFolder::deliveries() const
{
    // A verified outcome over a verified interim receipt over a report
    // that proved nothing; the later of two alike.
    const auto rank = [](const Delivery &d) { return d.isFinal() ? 2 : d.isVerified() ? 1 : 0; };
    QHash<QString, Delivery> byCopy;
    for (Delivery &d : all()) {
        const auto known = byCopy.constFind(d.copy);
        if (known == byCopy.cend() || rank(d) >= rank(*known))
            byCopy.insert(d.copy, std::move(d));
    }
    return byCopy;
}

QSet<QString> ReportFolder::messageIds() const
{
    QSet<QString> ids;
    for (const Delivery &d : all())
        if (!d.messageId.isEmpty())
            ids.insert(d.messageId);
    return ids;
}
