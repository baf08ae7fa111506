#pragma once

#include "documents/document.h"
#include "mail/enclosure.h"

#include <QList>
#include <QString>

// A fax or e-mail as the user wrote it, taken whole when Send is pressed:
// the document's fields as typed, the settings it goes out with, and the
// documents attached. It is a value, so that what is typed next can never
// change what is being sent, nor what the Sent copy says of it.
struct Draft
{
    QString to;      // the recipient's name, or an e-mail address
    QString fax;     // the fax number as typed; empty for an e-mail
    QString subject;
    QString message; // line breaks as CR LF
    // From the settings.
    QString sender;      // the user's e-mail address
    QString smtpServer;
    QString provider;    // the gateway's name or domain
    QString accountCode; // the gateway account's activation code
    QList<Enclosure> documents;
    int pages = 0; // of the documents, as their strip counted them

    // Adds a document as it was when attached: what is sent must be it.
    void attach(const documents::Document &d)
    {
        documents.append({d.path, d.name, documents::mediaType(d.kind), d.size, d.modified,
                          d.sha256, d.identity});
        pages += d.pages();
    }
};
