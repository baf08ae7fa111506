#pragma once

#include "fakekeyring.h"
#include "fakes.h"
#include "fakesend.h"
#include "outbox/outbox.h"
#include "outbox/sendcommand.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Send pressed in a window of fake fields, with settings and a document
// most tests share (provider TPC.NET, sender me@example.org): the draft goes
// to an Outbox over the scripted socket with a keyring in memory, and the
// fields take back what the Send command left in them. The status line and
// message boxes are recorded.
class SendCommandFixture : public QObject
{
protected:
    void prepare()
    {
        m_doc = FakeDocument();
        m_settings = FakeSettings();
        m_documents.clear();
        m_status = FakeStatus();
        m_box = FakeMessageBox();
        m_folder = std::make_unique<QTemporaryDir>();
        OutboxParts parts;
        auto socket = std::make_unique<FakeSocket>();
        m_socket = socket.get();
        parts.socket = std::move(socket);
        parts.keyring = std::make_unique<MemoryKeyring>();
        parts.providers = QList<OAuthProvider>();
        parts.machineName = QStringLiteral("client.example");
        m_outbox = std::make_unique<Outbox>(m_folder->path(), m_prompt, std::move(parts));
        QObject::connect(m_outbox.get(), &Outbox::status, m_outbox.get(),
                         [this](const QString &text) { m_status.setStatus(text); });
        QObject::connect(m_outbox.get(), &Outbox::alert, m_outbox.get(),
                         [this](const QString &text, const QString &title) {
                             m_box.exclamation(text, title);
                         });
        m_settings.setText(SettingsField::SmtpServer, QStringLiteral("  smtp.example  "));
        m_settings.setText(SettingsField::Email, QStringLiteral(" me@example.org "));
        m_settings.setText(SettingsField::Acod, QStringLiteral("  AC-42  "));
        m_settings.setText(SettingsField::Provider, QStringLiteral("TPC.NET"));
        m_doc.setText(DocField::Subject, QStringLiteral("  Offer "));
        m_doc.setText(DocField::Message, QStringLiteral(" Dear Sir,\r\nhello "));
    }

    Draft draft() const
    {
        return {m_doc.text(DocField::To),          m_doc.text(DocField::Fax),
                m_doc.text(DocField::Subject),     m_doc.text(DocField::Message),
                m_settings.text(SettingsField::Email), m_settings.text(SettingsField::SmtpServer),
                m_settings.text(SettingsField::Provider), m_settings.text(SettingsField::Acod),
                m_documents,                       0};
    }

    // Presses Send: what the Send command made of the draft, which the
    // Outbox then took (or refused while busy).
    Addressed press()
    {
        const Draft typed = draft();
        const Addressed addressed = addressDraft(typed);
        if (const std::optional<Outbox::Fields> shown = m_outbox->submit(typed)) {
            m_doc.setText(DocField::To, shown->to);
            m_doc.setText(DocField::Fax, shown->fax);
        }
        return addressed;
    }

    FakeDocument m_doc;
    FakeSettings m_settings;
    QList<Enclosure> m_documents; // attached
    FakeStatus m_status;
    FakeMessageBox m_box;
    std::unique_ptr<QTemporaryDir> m_folder; // the data folder
    ScriptedPrompt m_prompt;
    FakeSocket *m_socket = nullptr; // the Outbox's
    std::unique_ptr<Outbox> m_outbox;
};
