#pragma once

#include <QString>

namespace report {

// The plain text of HTML: tags, comments, scripts, styles and the head
// out, block ends as line breaks, entities read. One pass over the text,
// so that no markup, however broken, costs more than its length.
QString htmlText(QStringView html);

} // namespace report
