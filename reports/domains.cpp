#include "reports/domains.h"

#include <QHostAddress>

#include <dlfcn.h>
#include <libpsl.h>

namespace domains {

namespace {

// libpsl and the IDN libraries it needs are loaded on first use, not at
// start: a window that never reads a report never maps them. Without it,
// no domain is registrable, and a report must come from the gateway's own
// domain.
struct PublicSuffixList
{
    decltype(&psl_registrable_domain) registrable = nullptr;
    const psl_ctx_t *list = nullptr;

    static const PublicSuffixList &get()
    {
        static const PublicSuffixList loaded = [] {
            PublicSuffixList psl;
            void *library = ::dlopen("libpsl.so.5", RTLD_NOW | RTLD_LOCAL);
            if (!library)
                return psl;
            const auto latest =
                reinterpret_cast<decltype(&psl_latest)>(::dlsym(library, "psl_latest"));
            psl.registrable = reinterpret_cast<decltype(&psl_registrable_domain)>(
                ::dlsym(library, "psl_registrable_domain"));
            // The system's list where the publicsuffix package put it, else
            // the one built into the library.
            psl.list = latest && psl.registrable ? latest(nullptr) : nullptr;
            return psl;
        }();
        return loaded;
    }
};

} // namespace

QString registrable(const QString &host)
{
    const QString name = host.trimmed().toLower();
    if (name.isEmpty() || !QHostAddress(name).isNull())
        return {};
    const PublicSuffixList &psl = PublicSuffixList::get();
    if (!psl.list)
        return {};
    const QByteArray ascii = name.toUtf8();
    const char *found = psl.registrable(psl.list, ascii.constData());
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
