#pragma once

#include "mail/enclosure.h"

#include <QList>
#include <QString>

namespace mail {

// A message to send, as the Send command addressed it: the envelope's two
// addresses, the subject and text as typed, the documents attached.
struct Outgoing
{
    QString recipient;
    QString sender;
    QString subject;
    QString text;
    QList<Enclosure> attachments;
};

} // namespace mail
