#include "app/commandline.h"
#include "app/datafolder.h"
#include "app/instance.h"
#include "app/scriptsend.h"
#include "translations/language.h"
#include "ui/plaintext.h"
#include "ui/shell.h"

#include <QApplication>

#include <cstdio>
#include <sys/prctl.h>

int main(int argc, char *argv[])
{
    // Passwords and tokens are held in memory: no core dump and no other
    // process of the user (through /proc/PID/mem or ptrace) may read them,
    // as ssh-agent keeps its keys.
    ::prctl(PR_SET_DUMPABLE, 0);
    // The command line is read before the application for it is made:
    // sending from a script, --help and wrong use need no display (cron,
    // ssh), and only the window needs one.
    CommandLine line;
    {
        QCoreApplication reading(argc, argv);
        Shell::nameApplication();
        language::load();
        line = readCommandLine(QCoreApplication::arguments());
        // Said while the user's language is loaded.
        if (!line.error.isEmpty()) {
            std::fprintf(stderr, "quillon: %s\n%s\n", qPrintable(line.error),
                         qPrintable(QCoreApplication::translate("CommandLine",
                                                                "Try 'quillon --help'.")));
            return 2;
        }
    }
    if (line.send) {
        // The documents' pages are read offscreen, and standard error is
        // the script's: it says what the status line would, not what Qt
        // notices about the session it runs in.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "quillon: %s\n", qPrintable(text));
        });
        QGuiApplication app(argc, argv);
        Shell::nameApplication();
        language::load();
        return scriptsend::send(dataFolder(), line.fax, line.waitReport);
    }
    QApplication app(argc, argv);
    Shell::prepareApplication();
    language::load();
    const QString folder = dataFolder();
    Instance instance(folder);
    QString error;
    switch (instance.claim(line.fax, error)) {
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
    QObject::connect(&instance, &Instance::handedOver, &shell, &Shell::open);
    if (const QString failed = shell.start(); !failed.isEmpty()) {
        plaintext::messageBox(
            nullptr, QMessageBox::Critical, QStringLiteral("Quillon"),
            QCoreApplication::translate("Shell", "%1\n\nQuillon cannot start.").arg(failed));
        return 1;
    }
    shell.open(line.fax);
    return app.exec();
}
