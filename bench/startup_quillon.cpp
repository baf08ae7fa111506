// Quillon as main() starts it, but on the folder given as the argument, and
// saying when its first window is on screen.

#include "frmmain.h"
#include "shell.h"
#include "shownprobe.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Shell::prepareApplication();
    Shell shell(QString::fromLocal8Bit(argv[1]));
    ShownProbe probe;
    shell.mainWindow()->installEventFilter(&probe);
    if (!shell.start().isEmpty())
        return 1;
    return app.exec();
}
