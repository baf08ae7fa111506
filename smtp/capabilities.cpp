#include "smtp/capabilities.h"

SmtpCapabilities SmtpCapabilities::fromEhloReply(const SmtpReply &reply)
{
    SmtpCapabilities caps;
    const QStringList lines = reply.lines();
    // The first line names the server; each further one is "250-KEYWORD
    // parameters" or, last, "250 KEYWORD parameters".
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = QStringView(lines[i]).mid(4).trimmed();
        const qsizetype space = line.indexOf(u' ');
        QStringView keyword = space < 0 ? line : line.left(space);
        QString parameters = space < 0 ? QString() : line.mid(space + 1).trimmed().toString();
        // Some older servers also write "AUTH=LOGIN PLAIN".
        if (const qsizetype eq = keyword.indexOf(u'='); eq > 0) {
            parameters = line.mid(eq + 1).toString();
            keyword = keyword.left(eq);
        }
        if (keyword.isEmpty())
            continue;
        QString &known = caps.m_offered[keyword.toString().toUpper()];
        if (!parameters.isEmpty())
            known = known.isEmpty() ? parameters : known + u' ' + parameters;
    }
    return caps;
}

bool SmtpCapabilities::has(QStringView keyword) const
{
    return m_offered.contains(keyword.toString().toUpper());
}

QString SmtpCapabilities::parameters(QStringView keyword) const
{
    return m_offered.value(keyword.toString().toUpper());
}

qint64 SmtpCapabilities::sizeLimit() const
{
    bool ok = false;
    const qint64 limit = parameters(u"SIZE").toLongLong(&ok);
    return ok && limit > 0 ? limit : 0;
}

QStringList SmtpCapabilities::authMechanisms() const
{
    QStringList mechanisms;
    for (const QString &m : parameters(u"AUTH").toUpper().split(u' ', Qt::SkipEmptyParts)) {
        if (!mechanisms.contains(m))
            mechanisms.append(m);
    }
    return mechanisms;
}
