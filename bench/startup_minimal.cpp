// The baseline for the start-up benchmark: a Qt Widgets program that shows
// one window with one button.

#include "shownprobe.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QPushButton window(QStringLiteral("Hello"));
    ShownProbe probe;
    window.installEventFilter(&probe);
    window.show();
    return app.exec();
}
