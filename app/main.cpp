#include "datafolder.h"
#include "plaintext.h"
#include "shell.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Shell::prepareApplication();

    Shell shell(dataFolder());
    QObject::connect(&shell, &Shell::ended, &app, [] { QCoreApplication::exit(0); });
    if (const QString error = shell.start(); !error.isEmpty()) {
        plaintext::messageBox(nullptr, QMessageBox::Critical, QStringLiteral("Quillon"),
                              error + QStringLiteral("\n\nQuillon cannot start."));
        return 1;
    }
    return app.exec();
}
