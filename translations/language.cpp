#include "translations/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace language {

namespace {

QTranslator *ours = nullptr; // null until a translation was found
QTranslator *qts = nullptr;

// The first of the user's languages Quillon has texts for. English ends the
// search, as the user put it before any other; a language Quillon has no
// texts for is passed over.
bool loadFirst(QTranslator &quillon, QTranslator &qt)
{
    const QStringList wanted = QLocale::system().uiLanguages();
    for (const QString &name : wanted) {
        const QLocale locale(name);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C)
            return false;
        if (!quillon.load(locale, QStringLiteral("quillon"), QStringLiteral("_"),
                          QStringLiteral(":/translations")))
            continue;
        // Qt's own texts (qt6-translations-l10n) where they are installed;
        // Quillon's are enough without.
        (void)qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return true;
    }
    return false;
}

} // namespace

void load()
{
    // Read once; each application the program makes (the command line is
    // read before the window's) installs them anew.
    static const bool found = [] {
        static QTranslator quillon;
        static QTranslator qt;
        if (!loadFirst(quillon, qt))
            return false;
        ours = &quillon;
        qts = &qt;
        return true;
    }();
    if (!found)
        return;
    QCoreApplication::installTranslator(qts);
    QCoreApplication::installTranslator(ours);
}

bool translated()
{
    return ours != nullptr;
}

} // namespace language
