#include "sent/sentcopy.h"

#include "mime/date.h"
#include "mime/headerfields.h"
#include "mime/lines.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>

SentCopy::SentCopy(const SentFolder &folder) : m_folder(folder) {}

SentCopy::~SentCopy()
{
    abandon();
}

QString SentCopy::failure(const QString &what) const
{
    return QCoreApplication::translate("SentFolder", "%1: %2", "what failed: why")
        .arg(what, lastSystemError());
}

void SentCopy::begin()
{
    abandon();
    m_error = m_folder.prepare();
    if (!m_error.isEmpty())
        return;
    m_spoolPath = QDir(m_folder.tmp()).filePath(m_folder.uniqueName() + QStringLiteral(".part"));
    m_spool = m_folder.fileSystem().createNew(m_spoolPath);
    if (m_spool < 0)
        m_error = failure(QCoreApplication::translate("SentFolder", "cannot write in %1")
                              .arg(QDir::toNativeSeparators(m_folder.tmp())));
}

void SentCopy::write(QByteArrayView bytes)
{
    if (m_spool < 0 || !m_error.isEmpty())
        return;
    if (!m_folder.fileSystem().writeFully(m_spool, bytes.data(), bytes.size(), m_written))
        m_error = failure(QCoreApplication::translate("SentFolder", "cannot write the copy"));
    m_written += bytes.size();
}

QString SentCopy::taken(const QString &reply, const QString &server, const QString &protection)
{
    FileSystem &fs = m_folder.fileSystem();
    QString error = m_error;
    const QString name = m_folder.uniqueName();
    const QString tmp = QDir(m_folder.tmp()).filePath(name);
    int copy = -1;
    if (error.isEmpty()) {
        const QByteArray trace =
            traceFields(m_typed, QDateTime::currentDateTime(), server, protection, reply);
        copy = fs.createNew(tmp);
        if (copy < 0)
            error = failure(QCoreApplication::translate("SentFolder", "cannot write in %1")
                                .arg(QDir::toNativeSeparators(m_folder.tmp())));
        else if (!fs.writeFully(copy, trace.constData(), trace.size(), 0) ||
                 !fs.copyFully(m_spool, 0, copy, trace.size(), m_written))
            error = failure(QCoreApplication::translate("SentFolder", "cannot write the copy"));
        else if (!fs.sync(copy))
            error =
                failure(QCoreApplication::translate("SentFolder", "cannot write the copy to disk"));
    }
    if (copy >= 0)
        fs.close(copy);
    // Seen already: it was sent from here. The rename makes the whole copy
    // appear at once.
    const QString kept = name + QStringLiteral(":2,S");
    if (error.isEmpty() && !fs.rename(tmp, QDir(m_folder.cur()).filePath(kept)))
        error = failure(QCoreApplication::translate("SentFolder", "cannot put the copy into %1")
                            .arg(QDir::toNativeSeparators(m_folder.cur())));
    else if (error.isEmpty())
        m_lastCopy = kept;
    // The folder is not synced: should the computer stop before it is
    // written, the copy is missing, never torn.
    if (!error.isEmpty())
        fs.remove(tmp);
    abandon();
    return error;
}

void SentCopy::closeSpool()
{
    if (m_spool >= 0)
        m_folder.fileSystem().close(m_spool);
    m_spool = -1;
}

void SentCopy::abandon()
{
    closeSpool();
    if (!m_spoolPath.isEmpty())
        m_folder.fileSystem().remove(m_spoolPath);
    m_spoolPath.clear();
    m_written = 0;
    m_error.clear();
}

QByteArray SentCopy::traceFields(const TypedFax &typed, const QDateTime &sent,
                                 const QString &server, const QString &protection,
                                 const QString &reply)
{
    // The reply's lines as the field's folded lines, printable ASCII only.
    QByteArray replyField = "X-Quillon-Reply:";
    mime::forEachLine(QStringView(reply), [&](const mime::Line<QStringView> &line) {
        if (line.text.isEmpty())
            return true;
        QByteArray clean;
        for (QChar c : line.text.trimmed().left(900))
            clean += c.unicode() >= 0x20 && c.unicode() < 0x7f ? char(c.unicode()) : '?';
        replyField += (replyField.endsWith(':') ? " " : "\r\n ") + clean;
        return true;
    });
    QByteArray fields = mime::headerField("X-Quillon-Sent", mime::dateField(sent)) +
                        mime::headerField("X-Quillon-Server", server + QStringLiteral(", ") + protection) +
                        replyField + mime::crlf + mime::headerField("X-Quillon-Name", typed.name);
    if (!typed.fax.isEmpty())
        fields += mime::headerField("X-Quillon-Fax", typed.fax) +
                  mime::headerField("X-Quillon-Provider", typed.provider);
    if (typed.pages > 0)
        fields += mime::headerField("X-Quillon-Pages", QString::number(typed.pages));
    return fields;
}
