#include "ui/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <limits>

namespace controls {

void place(QWidget *control, const char *name, const Twips &box)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsToPixels(box, control));
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, const Twips &box)
{
    auto *l = new QLabel(caption, parent);
    place(l, name, box);
    return l;
}

QLabel *display(QWidget *parent, const char *name, const Twips &box)
{
    QLabel *l = label(parent, name, QString(), box);
    // It shows what a server wrote: never read as markup.
    l->setTextFormat(Qt::PlainText);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    l->setPalette(p);
    return l;
}

QLineEdit *textBox(QWidget *parent, const char *name, const Twips &box)
{
    auto *e = new QLineEdit(parent);
    e->setMaxLength(std::numeric_limits<int>::max());
    place(e, name, box);
    return e;
}

QPlainTextEdit *multiLineTextBox(QWidget *parent, const char *name, const Twips &box)
{
    auto *e = new QPlainTextEdit(parent);
    e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    e->setTabChangesFocus(true);
    place(e, name, box);
    return e;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const Twips &box)
{
    auto *b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    place(b, name, box);
    return b;
}

} // namespace controls
