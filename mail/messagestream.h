#pragma once

#include "mail/attachmentdevice.h"
#include "mail/message.h"

#include <memory>

// A message read out part by part as the connection takes it: what is in
// memory as it is, each file through its AttachmentDevice, so that no
// document is ever held whole.
class MessageStream
{
public:
    explicit MessageStream(const mail::Message &message);

    // Up to `max` bytes of the message; empty at its end and when a file
    // fails, which error() then says.
    QByteArray read(qint64 max);
    bool atEnd() const { return m_part > m_message.files.size() && m_error.isEmpty(); }
    // Empty, or why a file could not be sent ("NAME has changed since it
    // was attached; attach it again").
    QString error() const { return m_error; }

private:
    // The bytes in memory that part `m_part` begins with.
    const QByteArray &memory() const;

    const mail::Message &m_message;
    // 0: the message's start; i: file i - 1, then what follows it.
    qsizetype m_part = 0;
    qsizetype m_offset = 0; // in memory()
    std::unique_ptr<AttachmentDevice> m_file;
    QString m_error;
};
