#pragma once

#include "fakekeyring.h"
#include "fakesend.h"
#include "outbox/outbox.h"
#include "smtp/sslsocket.h"

#include <QSignalSpy>
#include <QTemporaryDir>

// The program's Outbox on a data folder of the test's own, over the real
// socket: sender joe@example.org, provider Fax1, account code 42; sign-ins
// from a scripted user (or `user`) and a keyring in memory, unless `parts`
// has one. `issuers` are the test's own. Its status line and message boxes
// are recorded.
struct RealSender
{
    explicit RealSender(const QList<QSslCertificate> &issuers = {}, OutboxParts parts = {},
                        SignInPrompt *user = nullptr, const QString &dataFolder = {})
    {
        parts.socket = std::make_unique<SslSmtpSocket>(issuers);
        if (!parts.keyring) {
            auto memory = std::make_unique<MemoryKeyring>();
            keyring = memory.get();
            parts.keyring = std::move(memory);
        }
        outbox = std::make_unique<Outbox>(dataFolder.isEmpty() ? folder.path() : dataFolder,
                                          user ? *user : prompt, std::move(parts));
        QObject::connect(outbox.get(), &Outbox::status, outbox.get(),
                         [this](const QString &text) { status.setStatus(text); });
        QObject::connect(outbox.get(), &Outbox::alert, outbox.get(),
                         [this](const QString &text, const QString &title) {
                             box.exclamation(text, title);
                         });
    }

    // Sends and waits for the outcome: the status line's last text.
    QString send(const QString &server, const QString &to, const QString &fax,
                 const QString &subject, const QString &message,
                 const QList<Enclosure> &attachments = {}, int pages = 0)
    {
        QSignalSpy finished(outbox.get(), &Outbox::finished);
        status = {};
        const Draft draft{to,       fax,         subject, message, QStringLiteral("joe@example.org"),
                          server,   provider,    QStringLiteral("42"), attachments, pages};
        if (!outbox->submit(draft) || !outbox->isBusy())
            return status.text;
        return finished.wait(waitMs) ? status.text : QStringLiteral("<no outcome>");
    }
    int waitMs = 10000; // for the outcome
    QString provider = QStringLiteral("Fax1");
    QTemporaryDir folder; // the data folder, unless one was given
    FakeStatus status;
    FakeMessageBox box;
    ScriptedPrompt prompt;
    MemoryKeyring *keyring = nullptr; // the Outbox's, unless one was given
    std::unique_ptr<Outbox> outbox;
};
