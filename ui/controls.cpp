#include "ui/controls.h"

#include "translations/language.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
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

namespace {

// The width a control needs to show its whole caption; 0 for one without.
int captionWidth(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
    if (qobject_cast<const QCheckBox *>(control))
        return control->sizeHint().width();
    // A button's own size hint is never below the style's widest default:
    // the caption and a margin on either side are what counts here.
    if (const auto *button = qobject_cast<const QPushButton *>(control))
        return button->fontMetrics().horizontalAdvance(button->text()) +
               2 * button->fontMetrics().averageCharWidth() + 4;
    return 0;
}

} // namespace

int fitCaptions(QWidget *area)
{
    if (!language::translated())
        return 0;
    QList<QWidget *> controls = area->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    auto rightEdge = [&controls] {
        int right = 0;
        for (const QWidget *c : std::as_const(controls))
            right = std::max(right, c->geometry().right());
        return right;
    };
    const int before = rightEdge();
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
    for (QWidget *control : std::as_const(controls)) {
        const int grow = captionWidth(control) - control->width();
        if (grow <= 0)
            continue;
        const QRect was = control->geometry();
        control->resize(was.width() + grow, was.height());
        // A label moves the column of boxes it names, so that they stay in
        // line; a button moves the buttons beside it.
        const bool wholeColumn = qobject_cast<const QLabel *>(control) != nullptr;
        for (QWidget *other : std::as_const(controls)) {
            const QRect at = other->geometry();
            if (other != control && at.left() > was.right() &&
                (wholeColumn || (at.top() <= was.bottom() && at.bottom() >= was.top())))
                other->move(at.left() + grow, at.top());
        }
    }
    return std::max(0, rightEdge() - before);
}

} // namespace controls
