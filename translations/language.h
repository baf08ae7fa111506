#pragma once

// The language Quillon speaks: the user's, where Quillon has a translation
// (QLocale::system(): LANGUAGE, LC_ALL, LC_MESSAGES, LANG), else English.
// Qt's own texts (file dialogs, standard buttons) come in the same language.
namespace language {

// Installs the translations for the user's language into the running
// application; they are read from the resource once. In English, C and POSIX locales nothing is
// loaded, so texts, dates and numbers stay as they are and start-up reads no file.
void load();

// A translation is in use: windows may grow to hold longer captions.
[[nodiscard]] bool translated();

} // namespace language
