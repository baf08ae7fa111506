#pragma once

#include "fakes.h"
#include "ui/shell.h"

#include <QTemporaryDir>

#include <memory>

using namespace std::chrono_literals;

// The real program's windows over a data folder of the test's own.
class ShellFixture : public QObject
{
protected:
    void newFolder() { m_dir = std::make_unique<QTemporaryDir>(); }

    // Starts the program; `agreed`: the agreement was accepted before.
    std::unique_ptr<Shell> startShell(bool agreed = true)
    {
        if (agreed)
            writeBytes(path("qln.rss"), "    ");
        auto shell = std::make_unique<Shell>(m_dir->path(), SmtpTimeouts{2000ms, 2000ms, 2000ms});
        const QString error = shell->start();
        if (!error.isEmpty())
            qFatal("start-up failed: %s", qPrintable(error));
        return shell;
    }
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};
