#include "ui/savequestion.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace savequestion {

namespace {

QString fieldName(DocField field)
{
    switch (field) {
    case DocField::To:
        return QStringLiteral("recipient");
    case DocField::Fax:
        return QStringLiteral("fax number");
    case DocField::Subject:
        return QStringLiteral("subject");
    case DocField::Message:
        return QStringLiteral("message");
    }
    return {};
}

// "a", "a and b", "a, b and c"; past eight, the rest are counted.
QString listed(QStringList items)
{
    constexpr qsizetype Shown = 8;
    if (items.size() > Shown + 1) {
        const qsizetype more = items.size() - Shown;
        items = items.first(Shown);
        items.append(QStringLiteral("%1 more").arg(more));
    }
    if (items.size() == 1)
        return items.first();
    const QString last = items.takeLast();
    return items.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

} // namespace

QString describe(const QList<FieldChange> &changes)
{
    const QLocale english(QLocale::English);
    QStringList lines;
    for (const FieldChange &c : changes) {
        const QString name = fieldName(c.field);
        if (c.isCut())
            lines.append(QStringLiteral("The %1 is %2 characters long; the file keeps the first %3.")
                             .arg(name, english.toString(c.length), english.toString(c.width)));
        if (!c.lost.isEmpty())
            lines.append(QStringLiteral("In the %1, %2 cannot be stored and %3 ?.")
                             .arg(name, listed(c.lost),
                                  c.lost.size() == 1 ? QStringLiteral("becomes")
                                                     : QStringLiteral("become")));
    }
    return lines.join(u'\n');
}

bool confirm(QWidget *parent, const QList<FieldChange> &changes)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quillon"),
                    QStringLiteral("Saving would change this document:\n\n") + describe(changes),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *saveAnyway = box.addButton(QStringLiteral("Save anyway"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == saveAnyway;
}

} // namespace savequestion
