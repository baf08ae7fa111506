#include "mime/parameter.h"

#include "mime/charset.h"
#include "mime/encodedwords.h"

#include <QMap>

#include <algorithm>

namespace mime {

QByteArray encodeParameter(QByteArrayView name, const QString &value)
{
    QString clean = value;
    for (QChar &c : clean) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            c = u'_';
    }
    constexpr qsizetype Piece = 60;
    const bool printable = std::all_of(clean.cbegin(), clean.cend(),
                                       [](QChar c) { return c.unicode() < 0x7f; });
    // Readers take "=?" in a quoted value for an encoded-word.
    if (printable && clean.size() <= Piece && !clean.contains(QStringLiteral("=?"))) {
        QByteArray quoted = clean.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return ' ' + name.toByteArray() + "=\"" + quoted + '"';
    }
    const QByteArray encoded =
        "utf-8''" + clean.toUtf8().toPercentEncoding("!#$&+-.^_`|~", "", '%');
    QList<QByteArrayView> pieces;
    for (qsizetype at = 0; at < encoded.size();) {
        qsizetype n = std::min(Piece, encoded.size() - at);
        while (at + n < encoded.size() && n > 2 &&
               (encoded[at + n - 1] == '%' || encoded[at + n - 2] == '%'))
            --n;
        pieces.append(QByteArrayView(encoded).sliced(at, n));
        at += n;
    }
    if (pieces.size() == 1)
        return ' ' + name.toByteArray() + "*=" + encoded;
    QByteArray out;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        out += (i ? ";\r\n " : " ") + name.toByteArray() + '*' + QByteArray::number(i) + "*=" +
               pieces[i].toByteArray();
    return out;
}

QString decodeParameter(QByteArrayView value, QByteArrayView name)
{
    const QByteArray wanted = name.toByteArray().toLower();
    QString plain;
    QMap<int, QByteArray> pieces; // RFC 2231: number -> bytes
    QByteArray charset;
    qsizetype pos = value.indexOf(';');
    while (pos >= 0 && pos < value.size()) {
        ++pos;
        const qsizetype equals = value.indexOf('=', pos);
        if (equals < 0)
            break;
        const QByteArray attribute = value.sliced(pos, equals - pos).trimmed().toByteArray().toLower();
        // The value: a quoted string with backslash escapes, or a token.
        QByteArray v;
        qsizetype i = equals + 1;
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
            ++i;
        if (i < value.size() && value[i] == '"') {
            for (++i; i < value.size() && value[i] != '"'; ++i) {
                if (value[i] == '\\' && i + 1 < value.size())
                    ++i;
                v += value[i];
            }
            ++i;
        } else {
            for (; i < value.size() && value[i] != ';'; ++i)
                v += value[i];
            v = v.trimmed();
        }
        pos = value.indexOf(';', i);

        if (attribute == wanted) {
            plain = decodeWords(v);
        } else if (attribute.startsWith(wanted + '*')) {
            // name*=, name*0=, name*0*=, name*1*=
            QByteArray rest = attribute.mid(wanted.size() + 1);
            const bool encoded = rest.isEmpty() || rest.endsWith('*');
            if (rest.endsWith('*'))
                rest.chop(1);
            bool isNumber = true;
            const int number = rest.isEmpty() ? 0 : rest.toInt(&isNumber);
            if (!isNumber || number < 0 || number > 999 || pieces.contains(number))
                continue;
            if (encoded && number == 0) {
                // charset'language'bytes
                const qsizetype first = v.indexOf('\'');
                const qsizetype second = first < 0 ? -1 : v.indexOf('\'', first + 1);
                if (second >= 0) {
                    charset = v.left(first);
                    v = v.mid(second + 1);
                }
            }
            pieces.insert(number, encoded ? QByteArray::fromPercentEncoding(v) : v);
        }
    }
    if (pieces.isEmpty())
        return plain;
    QByteArray joined;
    for (const QByteArray &piece : std::as_const(pieces))
        joined += piece;
    return decodeCharset(joined, charset).value_or(rawText(joined));
}

} // namespace mime
