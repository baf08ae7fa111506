#include "storedmessage.h"

#include "codec.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <algorithm>
#include <optional>

namespace stored {

namespace {

struct Field
{
    QByteArray name; // in lower case
    QByteArray value;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

// Text of a header or a part in an unnamed character set: UTF-8 when it is
// that, else one byte a character.
QString raw(QByteArrayView bytes)
{
    const QString utf8 = QString::fromUtf8(bytes);
    return utf8.toUtf8() == bytes ? utf8 : QString::fromLatin1(bytes);
}

std::optional<QString> inCharset(QByteArrayView bytes, QByteArray charset)
{
    charset = charset.toLower();
    if (const qsizetype star = charset.indexOf('*'); star >= 0) // RFC 2231 language
        charset.truncate(star);
    if (charset == "utf-8" || charset == "utf8")
        return QString::fromUtf8(bytes);
    if (charset == "windows-1252" || charset == "cp1252")
        return cp1252::decode(bytes);
    if (charset == "us-ascii" || charset == "iso-8859-1" || charset == "latin1")
        return QString::fromLatin1(bytes);
    return std::nullopt;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray quotedPrintable(QByteArrayView in, bool underscoreIsSpace)
{
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '=' && i + 2 < in.size() && hexValue(in[i + 1]) >= 0 && hexValue(in[i + 2]) >= 0) {
            out += char(hexValue(in[i + 1]) * 16 + hexValue(in[i + 2]));
            i += 2;
        } else if (c == '=' && i + 1 < in.size() && (in[i + 1] == '\r' || in[i + 1] == '\n')) {
            i += in[i + 1] == '\r' && i + 2 < in.size() && in[i + 2] == '\n' ? 2 : 1; // soft break
        } else {
            out += underscoreIsSpace && c == '_' ? ' ' : c;
        }
    }
    return out;
}

// "=?charset?Q?text?=" at `at`: its text, and where it ends.
std::optional<QString> encodedWord(QByteArrayView v, qsizetype at, qsizetype &end)
{
    const qsizetype charsetEnd = v.indexOf('?', at + 2);
    if (charsetEnd < 0 || charsetEnd + 2 >= v.size() || v[charsetEnd + 2] != '?')
        return std::nullopt;
    const char encoding = v[charsetEnd + 1];
    const qsizetype textEnd = v.indexOf("?=", charsetEnd + 3);
    if (textEnd < 0)
        return std::nullopt;
    const QByteArrayView text = v.sliced(charsetEnd + 3, textEnd - charsetEnd - 3);
    QByteArray bytes;
    if (encoding == 'Q' || encoding == 'q')
        bytes = quotedPrintable(text, true);
    else if (encoding == 'B' || encoding == 'b')
        bytes = QByteArray::fromBase64(text.toByteArray());
    else
        return std::nullopt;
    end = textEnd + 2;
    return inCharset(bytes, v.sliced(at + 2, charsetEnd - at - 2).toByteArray());
}

// The header's fields, unfolded, and where the body starts. A line that is
// neither a field nor its continuation ends the header there.
QList<Field> headerFields(QByteArrayView bytes, qsizetype &bodyStart)
{
    QList<Field> fields;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype eol = bytes.indexOf('\n', pos);
        const qsizetype next = eol < 0 ? bytes.size() : eol + 1;
        if (eol < 0)
            eol = bytes.size();
        QByteArrayView line = bytes.sliced(pos, eol - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty()) {
            bodyStart = next;
            return fields;
        }
        if (isSpace(line[0]) && !fields.isEmpty()) {
            fields.last().value += line;
        } else {
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) {
                bodyStart = pos;
                return fields;
            }
            fields.append({line.first(colon).trimmed().toByteArray().toLower(),
                           line.sliced(colon + 1).toByteArray()});
        }
        pos = next;
    }
    bodyStart = bytes.size();
    return fields;
}

QByteArray fieldValue(const QList<Field> &fields, QByteArrayView name)
{
    for (const Field &f : fields) {
        if (f.name == name)
            return f.value;
    }
    return {};
}

Summary summaryOf(const QList<Field> &fields)
{
    Summary s;
    s.damaged = fields.isEmpty();
    auto text = [&](const char *name) { return decodeField(fieldValue(fields, name)).trimmed(); };
    const QString sent = text("x-quillon-sent");
    s.sent = QDateTime::fromString(sent.isEmpty() ? text("date") : sent, Qt::RFC2822Date);
    s.recipient = text("to");
    s.to = text("x-quillon-name");
    if (s.to.isEmpty())
        s.to = s.recipient;
    s.fax = text("x-quillon-fax");
    s.provider = text("x-quillon-provider");
    s.subject = text("subject");
    s.pages = std::max(0, text("x-quillon-pages").toInt());
    s.reply = text("x-quillon-reply").simplified();
    s.server = text("x-quillon-server");
    s.sender = text("from");
    s.messageId = text("message-id");
    return s;
}

QByteArray body(QByteArrayView bytes, const QList<Field> &fields)
{
    const QByteArray encoding = fieldValue(fields, "content-transfer-encoding").trimmed().toLower();
    if (encoding == "base64")
        return QByteArray::fromBase64(bytes.toByteArray());
    if (encoding == "quoted-printable")
        return quotedPrintable(bytes, false);
    return bytes.toByteArray();
}

QString text(QByteArrayView bytes, const QList<Field> &fields)
{
    const QByteArray decoded = body(bytes, fields);
    const QString charset = parameter(fieldValue(fields, "content-type"), "charset");
    return inCharset(decoded, charset.toLatin1()).value_or(raw(decoded));
}

// The parts of a multipart body: each one's bytes, headers included,
// without the line break that belongs to the boundary after it.
QList<QByteArrayView> parts(QByteArrayView body, const QByteArray &boundary)
{
    QList<QByteArrayView> found;
    const QByteArray delimiter = "--" + boundary;
    qsizetype partStart = -1;
    qsizetype pos = 0;
    while (pos <= body.size()) {
        qsizetype eol = body.indexOf('\n', pos);
        const qsizetype next = eol < 0 ? body.size() + 1 : eol + 1;
        if (eol < 0)
            eol = body.size();
        QByteArrayView line = body.sliced(pos, eol - pos);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith(delimiter)) {
            if (partStart >= 0) {
                qsizetype end = pos;
                if (end > partStart && body[end - 1] == '\n')
                    --end;
                if (end > partStart && body[end - 1] == '\r')
                    --end;
                found.append(body.sliced(partStart, end - partStart));
            }
            if (line.sliced(delimiter.size()).startsWith("--"))
                return found;
            partStart = std::min(next, body.size());
        }
        pos = next;
    }
    return found; // no closing boundary: what there is
}

} // namespace

QString decodeField(QByteArrayView value)
{
    QString out;
    QByteArray pending; // raw text since the last encoded-word
    bool afterWord = false;
    for (qsizetype i = 0; i < value.size();) {
        qsizetype end = 0;
        if (value.sliced(i).startsWith("=?")) {
            if (const std::optional<QString> word = encodedWord(value, i, end)) {
                // Only whitespace between two encoded-words is not text.
                if (!afterWord || !std::all_of(pending.cbegin(), pending.cend(), isSpace))
                    out += raw(pending);
                pending.clear();
                out += *word;
                afterWord = true;
                i = end;
                continue;
            }
        }
        pending += value[i++];
    }
    return out + raw(pending);
}

QString parameter(QByteArrayView value, QByteArrayView name)
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
        while (i < value.size() && isSpace(value[i]))
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
            plain = decodeField(v);
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
    return inCharset(joined, charset).value_or(raw(joined));
}

Summary readSummary(QByteArrayView head)
{
    qsizetype bodyStart = 0;
    const QList<Field> fields = headerFields(head.first(std::min(head.size(), MaxHeader)), bodyStart);
    return summaryOf(fields);
}

Message read(QByteArrayView bytes)
{
    qsizetype bodyStart = 0;
    const QList<Field> fields = headerFields(bytes, bodyStart);
    Message m;
    m.summary = summaryOf(fields);
    const QByteArrayView content = bytes.sliced(bodyStart);
    const QByteArray type = fieldValue(fields, "content-type").trimmed().toLower();
    const QByteArray boundary = parameter(fieldValue(fields, "content-type"), "boundary").toUtf8();
    if (!type.startsWith("multipart/") || boundary.isEmpty()) {
        m.text = text(content, fields);
        // Every line was sent with its line break; the last was not typed.
        if (m.text.endsWith(QStringLiteral("\r\n")))
            m.text.chop(2);
        return m;
    }
    bool haveText = false;
    for (QByteArrayView part : parts(content, boundary)) {
        qsizetype partBody = 0;
        const QList<Field> partFields = headerFields(part, partBody);
        const QByteArray partType = fieldValue(partFields, "content-type").trimmed().toLower();
        const QByteArray disposition = fieldValue(partFields, "content-disposition");
        const bool attachment = disposition.trimmed().toLower().startsWith("attachment");
        if (!haveText && !attachment && (partType.isEmpty() || partType.startsWith("text/plain"))) {
            m.text = text(part.sliced(partBody), partFields);
            haveText = true;
            continue;
        }
        QString name = parameter(disposition, "filename");
        if (name.isEmpty())
            name = parameter(fieldValue(partFields, "content-type"), "name");
        const qsizetype semicolon = partType.indexOf(';');
        m.files.append({name, semicolon < 0 ? partType : partType.left(semicolon).trimmed(),
                        body(part.sliced(partBody), partFields)});
    }
    return m;
}

QStringList saveFiles(const QList<File> &files, const QString &folder)
{
    QStringList paths;
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString name = files[i].name;
        name.replace(u'/', u'_').replace(QChar(0), u'_');
        while (name.startsWith(u'.'))
            name.remove(0, 1);
        if (name.isEmpty())
            name = QStringLiteral("document");
        // Two files of one name each keep theirs, in folders of their own.
        const QString place = QDir(folder).filePath(QString::number(i + 1));
        QFile file(QDir(place).filePath(name));
        if (!QDir().mkpath(place) || !file.open(QIODevice::WriteOnly) ||
            file.write(files[i].bytes) != files[i].bytes.size())
            return {};
        paths.append(file.fileName());
    }
    return paths;
}

} // namespace stored
