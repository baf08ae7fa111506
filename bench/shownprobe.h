#pragma once

#include <QEvent>
#include <QObject>

#include <cstdio>

// Prints "shown" when the watched window paints for the first time, which is
// when a user first sees it.
class ShownProbe : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("shown\n");
            std::fflush(stdout);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};
