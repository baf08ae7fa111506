#include "smtp/transparency.h"

QByteArray dotStuffed(QByteArrayView bytes, bool &atLineStart)
{
    QByteArray out;
    out.reserve(bytes.size() + 64);
    if (atLineStart && bytes.startsWith('.'))
        out += '.';
    qsizetype from = 0;
    for (qsizetype lf = bytes.indexOf('\n'); lf >= 0; lf = bytes.indexOf('\n', lf + 1)) {
        if (lf + 1 < bytes.size() && bytes[lf + 1] == '.') {
            out += bytes.sliced(from, lf + 1 - from);
            out += '.';
            from = lf + 1;
        }
    }
    out += bytes.sliced(from);
    if (!bytes.isEmpty())
        atLineStart = bytes.back() == '\n';
    return out;
}
