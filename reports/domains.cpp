#include "reports/domains.h"

#include <QHostAddress>

#include <libpsl.h>

namespace domains {

QString registrable(const QString &host)
{
    const QString name = host.trimmed().toLower();
    if (name.isEmpty() || !QHostAddress(name).isNull())
        return {};
    // Read on first use: the list is no business of start-up.
    static const psl_ctx_t *const list = psl_latest(nullptr);
    if (!list)
        return {};
    const QByteArray ascii = name.toUtf8();
    const char *found = psl_registrable_domain(list, ascii.constData());
    return found ? QString::fromUtf8(found) : QString();
}

bool within(const QString &domain, const QString &parent)
{
    if (parent.isEmpty())
        return false;
    return domain.compare(parent, Qt::CaseInsensitive) == 0 ||
           domain.endsWith(u'.' + parent, Qt::CaseInsensitive);
}

} // namespace domains
