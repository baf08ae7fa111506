#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

// Debian's SpamAssassin with its stock rules, run on a message as it
// arrived.
struct SpamVerdict
{
    bool ran = false;
    double score = 0;
    QStringList rules; // the rules that fired
    QString status;    // the X-Spam-Status line, or the whole report if none
};

inline SpamVerdict spamCheck(const QByteArray &message)
{
    SpamVerdict verdict;
    QProcess spamassassin;
    QTemporaryDir home; // where it keeps what it learns
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    spamassassin.setProcessEnvironment(env);
    spamassassin.start(QStringLiteral("spamassassin"), {QStringLiteral("-L"), QStringLiteral("-t")});
    if (!spamassassin.waitForStarted())
        return verdict;
    spamassassin.write(message);
    spamassassin.closeWriteChannel();
    if (!spamassassin.waitForFinished(120000))
        return verdict;
    const QString report = QString::fromLatin1(spamassassin.readAllStandardOutput());
    const QRegularExpressionMatch status =
        QRegularExpression(QStringLiteral("X-Spam-Status: \\w+, score=(-?[0-9.]+) required=[0-9.]+"
                                          "(?: tests=((?:[^\\n]|\\n\\t)*))?"))
            .match(report);
    verdict.status = status.hasMatch() ? status.captured(0).simplified() : report;
    verdict.ran = status.hasMatch();
    verdict.score = status.captured(1).toDouble();
    verdict.rules = status.captured(2).remove(u'\n').remove(u'\t').split(u',', Qt::SkipEmptyParts);
    return verdict;
}
