#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

// A D-Bus session of the test's own, with or without a real keyring
// (gnome-keyring-daemon, unlocked, secrets only), and a home folder for it.
// start() must run before anything in the process talks to D-Bus: the
// process's session bus is the one it finds then.
class PrivateBus
{
public:
    PrivateBus()
    {
        // They end with the test, even when it crashes.
        for (QProcess *p : {&m_keyring, &m_bus})
            p->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    }

    ~PrivateBus()
    {
        for (QProcess *p : {&m_keyring, &m_bus}) {
            p->kill();
            p->waitForFinished(5000);
        }
    }

    // Empty, or what went wrong.
    QString start(bool withKeyring)
    {
        const QString home = m_root.filePath(QStringLiteral("home"));
        const QString runtime = m_root.filePath(QStringLiteral("runtime"));
        QDir().mkpath(home);
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // No service files: nothing starts on demand, a keyring only if asked.
        const QString config = m_root.filePath(QStringLiteral("bus.conf"));
        QFile conf(config);
        if (!conf.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write the bus configuration");
        conf.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                   "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir=" +
                   runtime.toUtf8() +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>\n");
        conf.close();
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--config-file=") + config, QStringLiteral("--print-address"),
                     QStringLiteral("--nofork")});
        if (!m_bus.waitForReadyRead(10000))
            return QStringLiteral("dbus-daemon did not start: ") +
                   QString::fromLocal8Bit(m_bus.readAllStandardError());
        const QByteArray address = m_bus.readLine().trimmed();

        const QList<QPair<const char *, QByteArray>> environment = {
            {"DBUS_SESSION_BUS_ADDRESS", address},
            {"HOME", home.toUtf8()},
            {"XDG_RUNTIME_DIR", runtime.toUtf8()},
            {"XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8()},
            {"XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8()},
        };
        for (const auto &[name, value] : environment)
            qputenv(name, value);
        // The keyring QtKeychain picks follows the desktop: Secret Service.
        for (const char *name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "KDE_SESSION_VERSION"})
            qunsetenv(name);
        if (!withKeyring)
            return {};

        m_keyring.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        m_keyring.start(QStringLiteral("gnome-keyring-daemon"),
                        {QStringLiteral("--unlock"), QStringLiteral("--components=secrets"),
                         QStringLiteral("--foreground")});
        if (!m_keyring.waitForStarted(10000))
            return QStringLiteral("gnome-keyring-daemon did not start");
        m_keyring.write("keyring password of the test");
        m_keyring.waitForBytesWritten(5000);
        m_keyring.closeWriteChannel();
        // It serves once it owns the Secret Service name on the bus.
        for (int tries = 0; tries < 100; ++tries) {
            QProcess ask;
            ask.start(QStringLiteral("dbus-send"),
                      {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                       QStringLiteral("--dest=org.freedesktop.DBus"),
                       QStringLiteral("/org/freedesktop/DBus"),
                       QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                       QStringLiteral("string:org.freedesktop.secrets")});
            if (ask.waitForFinished(5000) && ask.readAllStandardOutput().contains("boolean true"))
                return {};
            QThread::msleep(100);
        }
        return QStringLiteral("gnome-keyring-daemon did not come up: ") +
               QString::fromLocal8Bit(m_keyring.readAllStandardError());
    }

    // The files under the private home and runtime folders that hold
    // `secret`.
    QStringList filesHolding(const QByteArray &secret) const
    {
        QStringList found;
        QDirIterator it(m_root.path(), QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(secret))
                found.append(f.fileName());
        }
        return found;
    }

private:
    QTemporaryDir m_root;
    QProcess m_bus;
    QProcess m_keyring;
};
