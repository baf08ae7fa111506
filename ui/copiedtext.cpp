#include "ui/copiedtext.h"

#include "mime/quotedprintable.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace copiedtext {

namespace {

// The ideograph a radical stands for, or 0 for any other code point.
char16_t ideographOf(char16_t radical)
{
    if (radical < 0x2E80 || radical > 0x2FDF)
        return 0;
    const QString plain = QString(QChar(radical)).normalized(QString::NormalizationForm_KC);
    return plain.size() == 1 && plain.at(0).unicode() >= 0x4E00 ? plain.at(0).unicode() : 0;
}

// Rewrites the destinations of one line of a bfchar or bfrange section:
// the first `sources` <XXXX> codes are glyphs and stay.
void mendLine(char *line, qsizetype length, int sources)
{
    int seen = 0;
    for (qsizetype i = 0; i + 5 < length; ++i) {
        if (line[i] != '<' || line[i + 5] != '>')
            continue;
        int value = 0;
        for (int k = 1; k <= 4 && value >= 0; ++k) {
            const int digit = mime::hexValue(line[i + k]);
            value = digit < 0 ? -1 : value * 16 + digit;
        }
        if (value < 0 || seen++ < sources)
            continue;
        if (const char16_t ideograph = ideographOf(char16_t(value))) {
            const QByteArray hex = QByteArray::number(ideograph, 16).toUpper();
            std::copy(hex.cbegin(), hex.cend(), line + i + 1);
        }
        i += 5;
    }
}

} // namespace

QByteArray mended(QByteArray pdf)
{
    qsizetype at = 0;
    while ((at = pdf.indexOf("begincmap", at)) >= 0) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0)
            break;
        int sources = 0; // outside a section: nothing is rewritten
        qsizetype line = at;
        while (line < end) {
            qsizetype next = pdf.indexOf('\n', line);
            if (next < 0 || next > end)
                next = end;
            const QByteArrayView text(pdf.constData() + line, next - line);
            if (text.endsWith("beginbfrange"))
                sources = 2;
            else if (text.endsWith("beginbfchar"))
                sources = 1;
            else if (text.startsWith("endbf"))
                sources = 0;
            else if (sources > 0)
                mendLine(pdf.data() + line, next - line, sources);
            line = next + 1;
        }
        at = end;
    }
    return pdf;
}

QString mend(const QString &path)
{
    QFile in(path);
    QByteArray pdf;
    if (in.open(QIODevice::ReadOnly))
        pdf = in.readAll();
    const QByteArray fixed = mended(pdf);
    if (fixed == pdf && in.error() == QFileDevice::NoError)
        return {};
    QSaveFile out(path);
    if (in.error() != QFileDevice::NoError || !out.open(QIODevice::WriteOnly) ||
        out.write(fixed) != fixed.size() || !out.commit())
        return QCoreApplication::translate("FaxReport", "The report cannot be written to %1.")
            .arg(path);
    return {};
}

} // namespace copiedtext
