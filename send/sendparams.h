#pragma once

#include "enclosure.h"

#include <QList>
#include <QString>

// What the Send command hands to the SMTP exchange. The exchange reads these
// at each of its steps; only the next Send changes them.
struct SendParams
{
    QString recipient;
    QString sender;
    QString subject;
    QString message;
    QString smtpServer;
    QList<Enclosure> attachments;
};
