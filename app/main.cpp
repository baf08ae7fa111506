#include "shell.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    // Closing the last window is not the end: the agreement window closes
    // before the main window opens, and the program ends on its own terms.
    QApplication::setQuitOnLastWindowClosed(false);
    // The layouts were drawn for a small 8-point face.
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    QApplication::setFont(font);

    Shell shell(QCoreApplication::applicationDirPath());
    QObject::connect(&shell, &Shell::ended, &app, [] { QCoreApplication::exit(0); });
    if (const QString error = shell.start(); !error.isEmpty()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillon"),
                              error + QStringLiteral("\n\nQuillon cannot start."));
        return 1;
    }
    return app.exec();
}
