#include "outbox/sendcommand.h"

#include "account/serveraddress.h"
#include "mail/address.h"
#include "mail/text.h"
#include "outbox/providers.h"

#include <QCoreApplication>

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SendCommand)
};

} // namespace

Addressed addressDraft(const Draft &draft)
{
    Addressed out;
    mail::Outgoing &message = out.request.message;
    message.sender = text::trim(draft.sender);
    message.subject = text::trim(draft.subject);
    message.text = text::trim(draft.message);
    out.request.server = text::trim(draft.smtpServer);

    out.fax = text::trim(draft.fax);
    out.to = text::replaceChar(text::trim(draft.to), QStringLiteral(" "), QStringLiteral("_"));
    // What was typed goes with the copy kept of what is sent.
    out.typed = {text::trim(draft.to), out.fax, out.fax.isEmpty() ? QString() : draft.provider,
                 draft.pages};
    auto refuse = [&](const QString &reason) {
        out.refusal = reason;
        return out;
    };

    QString recipient = out.to;
    if (!out.fax.isEmpty()) {
        const std::optional<QString> digits = address::faxDigits(out.fax);
        if (!digits)
            return refuse(
                Texts::tr("Not sent: the fax number may hold only digits, spaces and + - . / ( )"));
        const auto addressed =
            providers::addressFax(draft.provider, out.to, *digits, draft.accountCode, message.text);
        if (!addressed)
            return refuse(Texts::tr("Unknown provider: %1").arg(draft.provider));
        out.to = addressed->name;
        recipient = addressed->recipient;
        message.text = addressed->message;
    }
    // Only a plain address can go on the wire: no line break, no bracket,
    // no 8-bit byte can end a command or start another.
    if (recipient.isEmpty())
        return refuse(Texts::tr("Not sent: type an e-mail address in To, or a fax number"));
    if (!address::isEmailAddress(recipient))
        return refuse(Texts::tr("Not sent: %1 is not an e-mail address").arg(recipient));
    if (!address::isEmailAddress(message.sender))
        return refuse(Texts::tr("Not sent: the e-mail address in Settings is not valid"));
    if (!ServerAddress::parse(out.request.server))
        return refuse(Texts::tr("Not sent: the SMTP Server in Settings must be host, "
                                "host:port, starttls://host[:port] or smtps://host[:port]"));
    // What is sent must be what was attached and shown.
    for (const Enclosure &file : draft.documents) {
        if (const QString changed = enclosure::changedSinceAttached(file); !changed.isEmpty())
            return refuse(changed);
    }
    message.recipient = recipient;
    message.attachments = draft.documents;
    return out;
}
