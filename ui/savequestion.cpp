#include "ui/savequestion.h"

#include "translations/language.h"

#include <QCoreApplication>

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace savequestion {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SaveQuestion)
};

// What is said of one field: whole sentences, as languages word each field
// differently.
struct FieldTexts
{
    const char *cut;         // length, width
    const char *lostOne;     // the character
    const char *lostSeveral; // the characters
};

const FieldTexts &textsOf(DocField field)
{
    static const FieldTexts texts[] = {
        {QT_TRANSLATE_NOOP("SaveQuestion",
                           "The recipient is %1 characters long; the file keeps the first %2."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the recipient, %1 cannot be stored and becomes ?."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the recipient, %1 cannot be stored and become ?.")},
        {QT_TRANSLATE_NOOP("SaveQuestion",
                           "The fax number is %1 characters long; the file keeps the first %2."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the fax number, %1 cannot be stored and becomes ?."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the fax number, %1 cannot be stored and become ?.")},
        {QT_TRANSLATE_NOOP("SaveQuestion",
                           "The subject is %1 characters long; the file keeps the first %2."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the subject, %1 cannot be stored and becomes ?."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the subject, %1 cannot be stored and become ?.")},
        {QT_TRANSLATE_NOOP("SaveQuestion",
                           "The message is %1 characters long; the file keeps the first %2."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the message, %1 cannot be stored and becomes ?."),
         QT_TRANSLATE_NOOP("SaveQuestion", "In the message, %1 cannot be stored and become ?.")},
    };
    switch (field) {
    case DocField::To:
        return texts[0];
    case DocField::Fax:
        return texts[1];
    case DocField::Subject:
        return texts[2];
    case DocField::Message:
        break;
    }
    return texts[3];
}

// "a", "a and b", "a, b and c"; past eight, the rest are counted.
QString listed(QStringList items)
{
    constexpr qsizetype Shown = 8;
    if (items.size() > Shown + 1) {
        const qsizetype more = items.size() - Shown;
        items = items.first(Shown);
        items.append(Texts::tr("%1 more").arg(more));
    }
    if (items.size() == 1)
        return items.first();
    const QString last = items.takeLast();
    return Texts::tr("%1 and %2", "the last of a list")
        .arg(items.join(Texts::tr(", ", "between the items of a list")), last);
}

} // namespace

QString describe(const QList<FieldChange> &changes)
{
    // Counts as English writes them ("1,200"), or as the user's language does.
    const QLocale numbers = language::translated() ? QLocale() : QLocale(QLocale::English);
    QStringList lines;
    for (const FieldChange &c : changes) {
        const FieldTexts &texts = textsOf(c.field);
        if (c.isCut())
            lines.append(QCoreApplication::translate("SaveQuestion", texts.cut)
                             .arg(numbers.toString(c.length), numbers.toString(c.width)));
        if (!c.lost.isEmpty())
            lines.append(QCoreApplication::translate(
                             "SaveQuestion", c.lost.size() == 1 ? texts.lostOne : texts.lostSeveral)
                             .arg(listed(c.lost)));
    }
    return lines.join(u'\n');
}

bool confirm(QWidget *parent, const QList<FieldChange> &changes)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quillon"),
                    Texts::tr("Saving would change this document:\n\n%1").arg(describe(changes)),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *saveAnyway = box.addButton(Texts::tr("Save anyway"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(Texts::tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == saveAnyway;
}

} // namespace savequestion
