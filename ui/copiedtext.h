#pragma once

#include <QString>

// Text copied out of a PDF the program wrote reads as it was written.
//
// Qt's PDF writer maps each glyph back to the lowest code point the font
// draws with it. CJK fonts draw a Kangxi radical (U+2F00-U+2FD5) and its
// ideograph (山, U+5C71) with one glyph, so "山田" copied out of a report
// would read as two radicals. The writer keeps those maps (ToUnicode
// CMaps) uncompressed; each radical one names is replaced by its
// ideograph, four hex digits for four, so that nothing else in the file
// moves.
namespace copiedtext {

// Mends the file at `path`; an error in plain words, or empty.
[[nodiscard]] QString mend(const QString &path);

// The same for a PDF in memory; what mend() writes.
[[nodiscard]] QByteArray mended(QByteArray pdf);

} // namespace copiedtext
