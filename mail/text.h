#pragma once

#include <QString>
#include <QStringList>

namespace text {

// Removes leading and trailing spaces only; tabs and line breaks stay.
QString trim(QStringView s);

// Every occurrence of the one-character `search` replaced by `replacement`.
// `search` must not occur in `replacement`.
QString replaceChar(const QString &s, const QString &search, const QString &replacement);

} // namespace text
