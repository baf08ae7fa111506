#include "sendcommand.h"

#include "fields.h"
#include "providers.h"
#include "sendparams.h"
#include "smtpsession.h"
#include "text.h"
#include "userinterface.h"

namespace {

bool hasLineBreak(const QString &s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

} // namespace

void sendCommand(DocumentFields &document, SettingsFields &settings, StatusLine &lblStatus,
                 SendParams &params, QString &statusText, SmtpSession &session)
{
    if (session.isBusy()) {
        lblStatus.setStatus(QStringLiteral("The previous message is still being sent."));
        return;
    }
    auto refuse = [&](const QString &reason) {
        statusText = reason;
        lblStatus.setStatus(statusText);
    };

    statusText.clear();
    params.sender = text::trim(settings.text(SettingsField::Email));
    params.subject = text::trim(document.text(DocField::Subject));
    params.message = text::trim(document.text(DocField::Message));
    params.smtpServer = text::trim(settings.text(SettingsField::SmtpServer));

    const QString fax = text::trim(document.text(DocField::Fax));
    document.setText(DocField::Fax, fax);
    document.setText(DocField::To, text::trim(document.text(DocField::To)));
    const QString to =
        text::replaceChar(document.text(DocField::To), QStringLiteral(" "), QStringLiteral("_"));
    document.setText(DocField::To, to);

    QString recipient = to;
    if (!fax.isEmpty()) {
        const QString provider = settings.text(SettingsField::Provider);
        const auto addressed = providers::addressFax(
            provider, to, fax, settings.text(SettingsField::Acod), params.message);
        if (!addressed)
            return refuse(QStringLiteral("Unknown provider: ") + provider);
        recipient = addressed->recipient;
        params.message = addressed->message;
    }
    if (hasLineBreak(recipient))
        return refuse(QStringLiteral("Not sent: the recipient address contains a line break."));
    if (hasLineBreak(params.sender))
        return refuse(
            QStringLiteral("Not sent: the e-mail address in Settings contains a line break."));
    params.recipient = recipient;

    lblStatus.setStatus(QStringLiteral("Sending"));
    session.send_mail(params.recipient, params.sender, params.smtpServer, params.subject,
                      params.message, statusText);
    if (!statusText.isEmpty())
        lblStatus.setStatus(statusText);
}
