#include "mail/address.h"

#include <QList>

namespace address {

namespace {

bool isAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// RFC 5322 atext: what an unquoted local part holds besides dots.
bool isAtext(char16_t c)
{
    return isAsciiLetterOrDigit(c) || QStringView(u"!#$%&'*+-/=?^_`{|}~").contains(QChar(c));
}

bool isDotAtom(QStringView s)
{
    if (s.isEmpty() || s.startsWith(u'.') || s.endsWith(u'.') || s.contains(u".."))
        return false;
    for (QChar c : s) {
        if (c != u'.' && !isAtext(c.unicode()))
            return false;
    }
    return true;
}

// Letters that carry no separate accent for decomposition to remove.
QStringView plainLetters(char16_t c)
{
    switch (c) {
    case u'ß':
        return u"ss";
    case u'ẞ':
        return u"SS";
    case u'æ':
        return u"ae";
    case u'Æ':
        return u"AE";
    case u'œ':
        return u"oe";
    case u'Œ':
        return u"OE";
    case u'ø':
        return u"o";
    case u'Ø':
        return u"O";
    case u'đ':
    case u'ð':
        return u"d";
    case u'Đ':
    case u'Ð':
        return u"D";
    case u'þ':
        return u"th";
    case u'Þ':
        return u"Th";
    case u'ł':
        return u"l";
    case u'Ł':
        return u"L";
    case u'ı':
        return u"i";
    case u'ħ':
        return u"h";
    case u'Ħ':
        return u"H";
    }
    return {};
}

bool isMark(QChar c)
{
    const QChar::Category k = c.category();
    return k == QChar::Mark_NonSpacing || k == QChar::Mark_SpacingCombining ||
           k == QChar::Mark_Enclosing;
}

} // namespace

std::optional<QString> faxDigits(QStringView fax)
{
    QString digits;
    bool first = true;
    for (QChar c : fax) {
        const bool leadingPlus = c == u'+' && first;
        if (c != u' ')
            first = false;
        if (c >= u'0' && c <= u'9')
            digits += c;
        else if (!leadingPlus && !QStringView(u" -./()").contains(c))
            return std::nullopt;
    }
    if (digits.isEmpty())
        return std::nullopt;
    return digits;
}

QString localPart(QStringView name, qsizetype maxLength)
{
    // Decomposition splits "ë" into "e" and its accent, which is dropped.
    const QString decomposed = name.toString().normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed[i];
        if (c.unicode() < 0x80) {
            out += c == u'.' || isAtext(c.unicode()) ? c : QChar(u'_');
        } else if (const QStringView plain = plainLetters(c.unicode()); !plain.isEmpty()) {
            out += plain;
        } else if (!isMark(c)) {
            out += u'_';
            if (c.isHighSurrogate() && i + 1 < decomposed.size() &&
                decomposed[i + 1].isLowSurrogate())
                ++i; // one character outside the BMP is one "_"
        }
    }
    out.truncate(maxLength);
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool badDot = i == 0 || i == out.size() - 1 || out[i - 1] == u'.';
        if (out[i] == u'.' && badDot)
            out[i] = u'_';
    }
    return out;
}

bool isDomain(QStringView s)
{
    if (s.size() > 253 || !s.contains(u'.'))
        return false;
    for (QStringView label : s.split(u'.')) {
        if (label.isEmpty() || label.size() > 63)
            return false;
        for (QChar c : label) {
            if (c != u'-' && !isAsciiLetterOrDigit(c.unicode()))
                return false;
        }
    }
    return true;
}

bool isEmailAddress(QStringView s)
{
    const qsizetype at = s.indexOf(u'@');
    if (at < 0 || s.size() > 254)
        return false;
    const QStringView local = s.left(at);
    return local.size() <= 64 && isDotAtom(local) && isDomain(s.mid(at + 1));
}

} // namespace address
