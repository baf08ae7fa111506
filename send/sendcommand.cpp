#include "sendcommand.h"

#include "address.h"
#include "fields.h"
#include "providers.h"
#include "sendparams.h"
#include "serveraddress.h"
#include "smtpsession.h"
#include "text.h"
#include "userinterface.h"

void sendCommand(DocumentFields &document, SettingsFields &settings, StatusLine &lblStatus,
                 SendParams &params, QString &statusText, SmtpSession &session,
                 const QList<Enclosure> &attachments)
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
        const std::optional<QString> digits = address::faxDigits(fax);
        if (!digits)
            return refuse(QStringLiteral(
                "Not sent: the fax number may hold only digits, spaces and + - . / ( )"));
        const QString provider = settings.text(SettingsField::Provider);
        const auto addressed = providers::addressFax(
            provider, to, *digits, settings.text(SettingsField::Acod), params.message);
        if (!addressed)
            return refuse(QStringLiteral("Unknown provider: ") + provider);
        document.setText(DocField::To, addressed->name);
        recipient = addressed->recipient;
        params.message = addressed->message;
    }
    // Only a plain address can go on the wire: no line break, no bracket,
    // no 8-bit byte can end a command or start another.
    if (recipient.isEmpty())
        return refuse(QStringLiteral("Not sent: type an e-mail address in To, or a fax number"));
    if (!address::isEmailAddress(recipient))
        return refuse(QStringLiteral("Not sent: ") + recipient +
                      QStringLiteral(" is not an e-mail address"));
    if (!address::isEmailAddress(params.sender))
        return refuse(QStringLiteral("Not sent: the e-mail address in Settings is not valid"));
    if (!ServerAddress::parse(params.smtpServer))
        return refuse(QStringLiteral("Not sent: the SMTP Server in Settings must be host, "
                                     "host:port, starttls://host[:port] or smtps://host[:port]"));
    // What is sent must be what was attached and shown.
    for (const Enclosure &file : attachments) {
        if (const QString changed = enclosure::changedSinceAttached(file); !changed.isEmpty())
            return refuse(changed);
    }
    params.recipient = recipient;
    params.attachments = attachments;

    lblStatus.setStatus(QStringLiteral("Sending"));
    session.send_mail(params.recipient, params.sender, params.smtpServer, params.subject,
                      params.message, statusText);
    if (!statusText.isEmpty())
        lblStatus.setStatus(statusText);
}
