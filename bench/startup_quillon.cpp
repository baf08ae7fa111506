// Quillon as main() starts it, but on the folder given as the argument, and
// saying when its first window is on screen.

#include "app/instance.h"
#include "shownprobe.h"
#include "translations/language.h"
#include "ui/frmmain.h"
#include "ui/shell.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Shell::prepareApplication();
    language::load();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    Instance instance(folder);
    QString error;
    if (instance.claim({}, error) != Instance::Role::First)
        return 1;
    Shell shell(folder);
    ShownProbe probe;
    shell.mainWindow()->installEventFilter(&probe);
    if (!shell.start().isEmpty())
        return 1;
    return app.exec();
}
