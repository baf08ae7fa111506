#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

// A cupsd of the test's own: its ServerRoot, spool, logs and socket in a
// temporary folder, listening on that socket only, CUPS's standard filters,
// the quillon backend installed root's alone in a root-owned folder as
// CUPS wants it, and the "Quillon" queue from the PPD, added as the package
// adds it: under the "authenticated" policy of Debian's cupsd.conf, so that
// a job is whose CUPS found it to be. Its backend writes into spool()
// (SetEnv QUILLON_SPOOL, which only cupsd.conf's owner can set). Needs
// root, as the packaged backend does.
class PrivateCupsd
{
public:
    ~PrivateCupsd()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(5000))
                m_cupsd.kill();
        }
    }

    // Empty, or what went wrong.
    QString start(const QString &backend, const QString &ppd)
    {
        const QDir root(m_dir.path());
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        for (const char *sub : {"etc", "bin/backend", "spool", "tmp", "cache", "state", "log",
                                "run", "quillon"})
            root.mkpath(QLatin1StringView(sub));
        ::chmod(QFile::encodeName(root.filePath(QStringLiteral("tmp"))).constData(), 01777);
        const QString installed = root.filePath(QStringLiteral("bin/backend/quillon"));
        if (!QFile::copy(backend, installed) ||
            ::chmod(QFile::encodeName(installed).constData(), 0700) != 0)
            return QStringLiteral("cannot install the backend");
        for (const char *part : {"filter", "daemon", "notifier", "driver"})
            QFile::link(QStringLiteral("/usr/lib/cups/") + QLatin1StringView(part),
                        root.filePath(QStringLiteral("bin/")) + QLatin1StringView(part));
        const QString r = m_dir.path();
        write("etc/cups-files.conf",
              QStringLiteral("ServerRoot %1/etc\nServerBin %1/bin\nDataDir /usr/share/cups\n"
                             "RequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                             "StateDir %1/state\nAccessLog %1/log/access_log\n"
                             "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\nUser lp\n"
                             "Group lp\nSystemGroup root\nFileDevice No\n"
                             "SetEnv QUILLON_SPOOL %1/quillon\n")
                  .arg(r));
        write("etc/cupsd.conf",
              QStringLiteral("Listen %1/run/cups.sock\nLogLevel info\nBrowsing Off\n"
                             "WebInterface No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                             "  </Limit>\n</Policy>\n"
                             "<Policy authenticated>\n"
                             "  <Limit Create-Job Print-Job Print-URI Validate-Job>\n"
                             "    AuthType Default\n    Order deny,allow\n  </Limit>\n"
                             "  <Limit Send-Document Send-URI Cancel-Job Cancel-My-Jobs Close-Job>\n"
                             "    AuthType Default\n    Require user @OWNER @SYSTEM\n"
                             "    Order deny,allow\n  </Limit>\n"
                             "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .arg(r));
        m_cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                      {QStringLiteral("-f"), QStringLiteral("-c"), r + QStringLiteral("/etc/cupsd.conf"),
                       QStringLiteral("-s"), r + QStringLiteral("/etc/cups-files.conf")});
        if (!m_cupsd.waitForStarted())
            return QStringLiteral("cannot start cupsd");
        for (int i = 0; i < 100 && !QFile::exists(socket()); ++i)
            QThread::msleep(100);
        const bool added = run(QStringLiteral("lpadmin"),
                                  {QStringLiteral("-p"), QStringLiteral("Quillon"), QStringLiteral("-E"),
                                   QStringLiteral("-v"), QStringLiteral("quillon:/"), QStringLiteral("-P"), ppd,
                                   QStringLiteral("-D"), QStringLiteral("Fax with Quillon"),
                                   QStringLiteral("-o"), QStringLiteral("printer-is-shared=false"),
                                   QStringLiteral("-o"), QStringLiteral("printer-op-policy=authenticated"),
                                   QStringLiteral("-o"), QStringLiteral("printer-error-policy=abort-job")});
        return added ? QString() : QStringLiteral("lpadmin failed: ") + m_error;
    }

    // Prints `file` with `title` as the account `as` (this one when not
    // given), naming the user `claimed` when given (lp -U) and passing
    // `options` (-o); false when lp failed.
    bool print(const QString &file, const QString &title, const QString &as = {},
               const QString &claimed = {}, const QStringList &options = {})
    {
        QStringList args{QStringLiteral("-d"), QStringLiteral("Quillon"), QStringLiteral("-t"), title};
        if (!claimed.isEmpty())
            args << QStringLiteral("-U") << claimed;
        for (const QString &option : options)
            args << QStringLiteral("-o") << option;
        args << file;
        if (as.isEmpty())
            return run(QStringLiteral("lp"), args);
        return run(QStringLiteral("runuser"),
                   QStringList{QStringLiteral("-u"), as, QStringLiteral("--"), QStringLiteral("lp")} + args);
    }

    QString socket() const { return m_dir.filePath(QStringLiteral("run/cups.sock")); }
    // Where the backend puts each user's jobs.
    QString spool() const { return m_dir.filePath(QStringLiteral("quillon")); }
    QString log() const
    {
        QFile f(m_dir.filePath(QStringLiteral("log/error_log")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    void write(const char *name, const QString &text)
    {
        QFile f(m_dir.filePath(QLatin1StringView(name)));
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }
    bool run(const QString &program, const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), socket());
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            m_error = QString::fromLocal8Bit(p.readAllStandardError());
            return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
    QProcess m_cupsd;
    QString m_error;
};
