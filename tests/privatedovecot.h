#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef MAKE_CERTS_SCRIPT
#error MAKE_CERTS_SCRIPT must name tests/make_certs.sh
#endif

// A Dovecot of the test's own, not the packaged service: its base_dir,
// instance name, state, logs and mail in a temporary folder, listening on
// free loopback ports (IMAP with STARTTLS, and IMAPS) with certificates made
// for the run (ca.pem issues them) and one user signing in with a password.
// Mail is put into the inbox with doveadm, as a delivery would.
class PrivateDovecot
{
public:
    static inline const QString User = QStringLiteral("fax");
    static inline const QString Password = QStringLiteral("s3cret \"pass\"");

    ~PrivateDovecot() { stop(); }

    // Empty, or what went wrong. `capabilities` replaces the list the
    // server announces (to hide IDLE, say).
    QString start(const QString &capabilities = {})
    {
        const QDir root(m_dir.path());
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        for (const char *sub : {"run", "state", "home", "certs"})
            root.mkpath(QLatin1StringView(sub));
        QProcess certs;
        certs.start(QStringLiteral("bash"), {QStringLiteral(MAKE_CERTS_SCRIPT), path("certs")});
        if (!certs.waitForFinished(60000) || certs.exitCode() != 0)
            return QStringLiteral("cannot make certificates");
        imapPort = freePort();
        imapsPort = freePort();
        const bool root_ = ::geteuid() == 0;
        const QString self = QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
        // Dovecot keeps no mail as root: root's test mail belongs to nobody.
        const struct passwd *owner = root_ ? ::getpwnam("nobody") : ::getpwuid(::geteuid());
        if (owner) {
            m_uid = owner->pw_uid;
            m_gid = owner->pw_gid;
        }
        if (!owner || ::chown(QFile::encodeName(path("home")).constData(), owner->pw_uid,
                              owner->pw_gid) != 0)
            return QStringLiteral("cannot give the mail folder to its user");
        write("passwd", (User + QStringLiteral(":{PLAIN}") + Password + QStringLiteral("::::::\n"))
                            .toUtf8());
        QString conf = QStringLiteral(
            "base_dir = %1/run\ninstance_name = quillon-test-%2\nstate_dir = %1/state\n"
            "log_path = %1/dovecot.log\nprotocols = imap\nlisten = 127.0.0.1\n"
            "ssl = required\nssl_cert = <%1/certs/server.pem\nssl_key = <%1/certs/server.key\n"
            "disable_plaintext_auth = yes\nauth_mechanisms = plain login\n"
            "passdb {\n  driver = passwd-file\n  args = %1/passwd\n}\n"
            "userdb {\n  driver = static\n  args = uid=%3 gid=%4 home=%1/home/%u\n}\n"
            "mail_location = maildir:%1/home/%u/Maildir\n"
            "service imap-login {\n  inet_listener imap {\n    port = %5\n  }\n"
            "  inet_listener imaps {\n    port = %6\n    ssl = yes\n  }\n}\n"
            "service anvil {\n  chroot =\n}\nservice imap-login {\n  chroot =\n}\n"
            "first_valid_uid = 0\n")
                           .arg(m_dir.path(), QString::number(::getpid()))
                           .arg(owner->pw_uid)
                           .arg(owner->pw_gid)
                           .arg(imapPort)
                           .arg(imapsPort);
        if (!root_)
            conf += QStringLiteral("default_login_user = %1\ndefault_internal_user = %1\n").arg(self);
        if (!capabilities.isEmpty())
            conf += QStringLiteral("imap_capability = %1\n").arg(capabilities);
        write("dovecot.conf", conf.toUtf8());
        QProcess dovecot;
        dovecot.start(QStringLiteral("/usr/sbin/dovecot"), {QStringLiteral("-c"), config()});
        if (!dovecot.waitForFinished(20000) || dovecot.exitCode() != 0)
            return QStringLiteral("dovecot did not start: ") +
                   QString::fromLocal8Bit(dovecot.readAllStandardError()) + log();
        m_running = true;
        for (int i = 0; i < 100 && !listening(imapsPort); ++i)
            QThread::msleep(50);
        return listening(imapsPort) ? QString() : QStringLiteral("dovecot does not listen") + log();
    }

    void stop()
    {
        if (!m_running)
            return;
        QProcess::execute(QStringLiteral("/usr/bin/doveadm"),
                          {QStringLiteral("-c"), config(), QStringLiteral("stop")});
        m_running = false;
    }

    // Puts a message into the user's inbox; false when doveadm would not.
    bool deliver(const QByteArray &message)
    {
        QProcess save;
        save.start(QStringLiteral("/usr/bin/doveadm"),
                   {QStringLiteral("-c"), config(), QStringLiteral("save"), QStringLiteral("-u"),
                    User});
        save.write(message);
        save.closeWriteChannel();
        return save.waitForFinished(20000) && save.exitCode() == 0;
    }

    // The user's Maildir, for writing many messages at once; then the
    // files are given to the mail's owner.
    QString maildir() const { return path("home/fax/Maildir"); }
    bool giveMail() const
    {
        return QProcess::execute(QStringLiteral("chown"),
                                 {QStringLiteral("-R"), QStringLiteral("%1:%2").arg(m_uid).arg(m_gid),
                                  path("home")}) == 0;
    }
    QString issuer() const { return path("certs/ca.pem"); }
    QString config() const { return path("dovecot.conf"); }
    QString log() const
    {
        QFile f(path("dovecot.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    quint16 imapPort = 0;
    quint16 imapsPort = 0;

private:
    QString path(const char *name) const { return QDir(m_dir.path()).filePath(QLatin1StringView(name)); }
    void write(const char *name, const QByteArray &bytes)
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    static bool listening(quint16 port)
    {
        QTcpServer probe;
        return !probe.listen(QHostAddress::LocalHost, port);
    }

    QTemporaryDir m_dir;
    bool m_running = false;
    uint m_uid = 0;
    uint m_gid = 0;
};
