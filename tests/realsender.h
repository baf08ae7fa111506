#pragma once

#include "credentialstore.h"
#include "fakekeyring.h"
#include "fakes.h"
#include "fakesend.h"
#include "sendcommand.h"
#include "smtpsession.h"
#include "sslsmtpsocket.h"

#include <QSignalSpy>

// The Send command over the real socket, wired as the main window wires it:
// sender joe@example.org, provider Fax1, account code 42; sign-ins from a
// scripted user and a keyring in memory. `issuers` are the test's own.
struct RealSender
{
    explicit RealSender(const QList<QSslCertificate> &issuers = {}) : socket(issuers)
    {
        session.setCredentialSource(&credentials);
        settings.setText(SettingsField::Email, QStringLiteral("joe@example.org"));
        settings.setText(SettingsField::Provider, QStringLiteral("Fax1"));
        settings.setText(SettingsField::Acod, QStringLiteral("42"));
    }

    // Sends and waits for the outcome.
    QString send(const QString &server, const QString &to, const QString &fax,
                 const QString &subject, const QString &message,
                 const QList<Enclosure> &attachments = {})
    {
        settings.setText(SettingsField::SmtpServer, server);
        doc.setText(DocField::To, to);
        doc.setText(DocField::Fax, fax);
        doc.setText(DocField::Subject, subject);
        doc.setText(DocField::Message, message);
        QSignalSpy finished(&session, &SmtpSession::finished);
        statusText.clear();
        sendCommand(doc, settings, status, params, statusText, session, attachments);
        if (!statusText.isEmpty())
            return statusText;
        return finished.wait(waitMs) ? status.text : QStringLiteral("<no outcome>");
    }

    int waitMs = 10000; // for the session's outcome
    FakeDocument doc;
    FakeSettings settings;
    FakeStatus status;
    FakeMessageBox box;
    SslSmtpSocket socket;
    SendParams params;
    QString statusText;
    MemoryKeyring keyring;
    ScriptedPrompt prompt;
    CredentialStore credentials{keyring, prompt};
    SmtpSession session{socket, params, statusText, status, box};
};
