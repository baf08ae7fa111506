#pragma once

#include "fakes.h"
#include "fakesend.h"
#include "sendcommand.h"
#include "sendparams.h"
#include "smtpsession.h"

#include <QTest>

#include <memory>

// The Send command over the scripted socket, with settings and a document
// most tests share: provider TPC.NET, sender me@example.org.
class SendCommandFixture : public QObject
{
protected:
    void prepare()
    {
        m_doc = FakeDocument();
        m_settings = FakeSettings();
        m_status = FakeStatus();
        m_socket.connects = 0;
        m_socket.acceptConnect = true;
        m_params = SendParams();
        m_statusText = QStringLiteral("left from before");
        m_session =
            std::make_unique<SmtpSession>(m_socket, m_params, m_statusText, m_status, m_box);
        m_settings.setText(SettingsField::SmtpServer, QStringLiteral("  smtp.example  "));
        m_settings.setText(SettingsField::Email, QStringLiteral(" me@example.org "));
        m_settings.setText(SettingsField::Acod, QStringLiteral("  AC-42  "));
        m_settings.setText(SettingsField::Provider, QStringLiteral("TPC.NET"));
        m_doc.setText(DocField::Subject, QStringLiteral("  Offer "));
        m_doc.setText(DocField::Message, QStringLiteral(" Dear Sir,\r\nhello "));
    }
    void press() { sendCommand(m_doc, m_settings, m_status, m_params, m_statusText, *m_session); }

    FakeDocument m_doc;
    FakeSettings m_settings;
    FakeStatus m_status;
    FakeMessageBox m_box;
    FakeSocket m_socket;
    SendParams m_params;
    QString m_statusText;
    std::unique_ptr<SmtpSession> m_session;
};
