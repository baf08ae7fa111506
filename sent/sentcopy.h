#pragma once

#include "mail/messagetap.h"
#include "sent/sentfolder.h"

#include <QDateTime>

// What was typed for a fax but is not in its message as such: kept in
// front of the copy, as mail servers put Received: fields there.
struct TypedFax
{
    QString name;     // the recipient's name, or the address of an e-mail
    QString fax;      // the fax number as typed; empty for an e-mail
    QString provider; // the gateway chosen; empty for an e-mail
    int pages = 0;    // of the documents attached
};

// The copy of each message a server takes, kept in the Sent folder. The
// message goes to a spool file in tmp/ as it is sent; once the server has
// taken it, the copy is the trace fields (X-Quillon-Sent, -Server, -Reply,
// -Name, -Fax, -Provider, -Pages) followed by the message exactly as sent,
// written under a unique name in tmp/, put on disk and renamed into cur/.
// No password or token ever goes in: the message and these fields are all
// there is.
class SentCopy final : public MessageTap
{
public:
    explicit SentCopy(const SentFolder &folder);
    ~SentCopy() override;

    // What was typed for the next message.
    void expect(const TypedFax &typed) { m_typed = typed; }

    void begin() override;
    void write(QByteArrayView bytes) override;
    QString taken(const QString &reply, const QString &server, const QString &protection) override;
    void abandon() override;
    // The file name in cur/ of the last copy kept; empty before one is.
    QString lastCopy() const { return m_lastCopy; }

    // The fields that go in front of the message.
    static QByteArray traceFields(const TypedFax &typed, const QDateTime &sent,
                                  const QString &server, const QString &protection,
                                  const QString &reply);

private:
    void closeSpool();
    QString failure(const QString &what) const;

    const SentFolder &m_folder;
    TypedFax m_typed;
    QString m_spoolPath;
    int m_spool = -1;
    qint64 m_written = 0;
    QString m_error; // the first thing that went wrong with this message
    QString m_lastCopy;
};
