#include "mime/mailbox.h"

namespace mime {

namespace {

bool isDomainChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}

// The index just past the quoted string that starts at `at`, or -1 when
// it does not end.
qsizetype pastQuoted(QByteArrayView s, qsizetype at)
{
    for (qsizetype i = at + 1; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return i + 1;
    }
    return -1;
}

// local@domain, as an addr-spec: a dot-atom or quoted local part, a
// domain of labels (no literal: no gateway reports from one).
QString addrSpec(QByteArrayView s)
{
    s = s.trimmed();
    const qsizetype at = s.lastIndexOf('@');
    if (at <= 0 || at == s.size() - 1)
        return {};
    const QByteArrayView local = s.first(at).trimmed(), domain = s.sliced(at + 1).trimmed();
    if (local.isEmpty() || domain.isEmpty() || domain.startsWith('.') || domain.endsWith('.') ||
        domain.contains(".."))
        return {};
    for (const char c : domain)
        if (!isDomainChar(c))
            return {};
    if (local.startsWith('"')) {
        if (pastQuoted(local, 0) != local.size())
            return {};
    } else {
        for (const char c : local)
            if (c <= ' ' || c >= 0x7f || QByteArrayView("()<>[]:;@\\,\"").contains(c))
                return {};
    }
    return QString::fromLatin1(local.toByteArray() + '@' + domain.toByteArray()).toLower();
}

} // namespace

QByteArray withoutComments(QByteArrayView value)
{
    QByteArray out;
    out.reserve(value.size());
    int depth = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (depth > 0) {
            if (c == '\\')
                ++i;
            else if (c == '(')
                ++depth;
            else if (c == ')' && --depth == 0)
                out += ' ';
            continue;
        }
        if (c == '"') {
            const qsizetype end = pastQuoted(value, i);
            const qsizetype stop = end < 0 ? value.size() : end;
            out += value.sliced(i, stop - i);
            i = stop - 1;
        } else if (c == '(') {
            depth = 1;
        } else {
            out += c;
        }
    }
    return out;
}

QString senderAddress(QByteArrayView value)
{
    const QByteArray s = withoutComments(value);
    qsizetype open = -1, close = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            i = pastQuoted(s, i) - 1;
            if (i < 0)
                return {};
        } else if (c == '<') {
            if (open >= 0)
                return {}; // two angle addresses: two mailboxes
            open = i;
            close = s.indexOf('>', i);
            if (close < 0)
                return {};
            i = close;
        } else if (c == ',' || c == ';' || (c == ':' && open < 0)) {
            return {}; // a list or a group: no single sender
        }
    }
    if (open < 0)
        return addrSpec(s);
    if (!s.sliced(close + 1).trimmed().isEmpty())
        return {};
    return addrSpec(QByteArrayView(s).sliced(open + 1, close - open - 1));
}

} // namespace mime
