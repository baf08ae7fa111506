#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#ifndef SMTP_CAPTURE_SCRIPT
#error SMTP_CAPTURE_SCRIPT must name tests/smtp_capture.py
#endif

// aiosmtpd, a real SMTP server written by others, on a free loopback port;
// every message it accepts is kept for the test to read.
class SmtpCapture
{
public:
    // `options`: see smtp_capture.py.
    bool start(const QStringList &options = {})
    {
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        QStringList{QStringLiteral(SMTP_CAPTURE_SCRIPT), mailFile()} + options);
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead(20000))
            return false;
        port = quint16(m_process.readLine().trimmed().toUInt());
        return port > 0;
    }
    ~SmtpCapture()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

    // The messages received so far: helo, mail_from, mail_options, rcpt_tos,
    // content (one character per byte) and parsed (subject, from, to, date,
    // message_id, content_type, charset, cte, body, defects).
    QList<QJsonObject> messages() const
    {
        QList<QJsonObject> list;
        QFile f(mailFile());
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : f.readAll().split('\n')) {
                if (!line.isEmpty())
                    list.append(QJsonDocument::fromJson(line).object());
            }
        }
        return list;
    }

    quint16 port = 0;
    QString mailFilePath() const { return mailFile(); }

private:
    QString mailFile() const { return m_dir.filePath(QStringLiteral("mail.jsonl")); }
    QTemporaryDir m_dir;
    QProcess m_process;
};
