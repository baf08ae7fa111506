#include "app/datafolder.h"
#include "app/instance.h"
#include "ui/plaintext.h"
#include "ui/shell.h"

#include <QApplication>
#include <QCommandLineParser>

#include <sys/prctl.h>

int main(int argc, char *argv[])
{
    // Passwords and tokens are held in memory: no core dump and no other
    // process of the user (through /proc/PID/mem or ptrace) may read them,
    // as ssh-agent keeps its keys.
    ::prctl(PR_SET_DUMPABLE, 0);
    QApplication app(argc, argv);
    Shell::prepareApplication();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sends faxes and e-mail through your SMTP server and an e-mail-to-fax "
                       "gateway."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Documents to attach: PDF, TIFF, PNG or JPEG."),
                                 QStringLiteral("[FILE...]"));
    parser.process(app);
    const QStringList files = Shell::filesFromArguments(parser.positionalArguments());

    const QString folder = dataFolder();
    Instance instance(folder);
    QString error;
    switch (instance.claim(files, error)) {
    case Instance::Role::Handed:
        return 0;
    case Instance::Role::Failed:
        plaintext::messageBox(nullptr, QMessageBox::Critical, QStringLiteral("Quillon"), error);
        return 1;
    case Instance::Role::First:
        break;
    }

    Shell shell(folder);
    QObject::connect(&shell, &Shell::ended, &app, [] { QCoreApplication::exit(0); });
    QObject::connect(&instance, &Instance::handedOver, &shell, &Shell::openFiles);
    if (const QString failed = shell.start(); !failed.isEmpty()) {
        plaintext::messageBox(nullptr, QMessageBox::Critical, QStringLiteral("Quillon"),
                              failed + QStringLiteral("\n\nQuillon cannot start."));
        return 1;
    }
    shell.openFiles(files);
    return app.exec();
}
