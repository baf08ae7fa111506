#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// Drives the real windows the way a user does: by the controls' names.

template <typename T = QWidget> inline T *child(QWidget *window, const char *name)
{
    T *w = window->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

inline void click(QWidget *window, const char *button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

inline void type(QWidget *window, const char *field, const QString &text)
{
    QWidget *w = child(window, field);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->clear();
    else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->clear();
    QTest::keyClicks(w, text);
}

inline QString shown(QWidget *window, const char *field)
{
    QWidget *w = child(window, field);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    return {};
}

inline void triggerMenu(QWidget *window, const QString &entry)
{
    for (QAction *a : child<QMenu>(window, "mnuMenu")->actions()) {
        if (a->text() == entry) {
            a->trigger();
            return;
        }
    }
    qFatal("no menu entry");
}

// What the next message box said. It is answered with OK, or with the
// button captioned `answer`, or "Escape" pressed; `meanwhile` runs first,
// while the box waits.
struct MessageBoxCatcher
{
    std::function<void()> meanwhile;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QString defaultButton;
    int shown = 0;
    QTimer timer;
    explicit MessageBoxCatcher(const QString &answer = {})
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++shown;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            format = box->textFormat();
            defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            timer.stop();
            if (meanwhile)
                meanwhile();
            if (answer == QStringLiteral("Escape")) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *b : box->buttons()) {
                if (b->text() == answer)
                    return b->click();
            }
            box->accept();
        });
        timer.start();
    }
};
