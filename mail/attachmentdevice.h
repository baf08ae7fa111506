#pragma once

#include "mail/enclosure.h"

#include <QCryptographicHash>
#include <QFile>
#include <QIODevice>

// An attached file as a message carries it: base64 in lines of 76
// characters, each ending in CR LF, read from the file only as it is asked
// for. The file is checked as it goes: should it be longer or shorter than
// attached, or its digest differ at the end, reading fails before the last
// bytes are handed out, so that a changed file is never sent whole.
class AttachmentDevice : public QIODevice
{
public:
    explicit AttachmentDevice(const Enclosure &file);

    // Opens the file; false, with the reason in errorString(), when it
    // cannot be read.
    bool open(OpenMode mode) override;
    bool isSequential() const override { return true; }
    bool atEnd() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    // Encodes the next piece of the file into m_encoded; false on failure.
    bool fill();
    bool fail(const QString &why);
    QString changedText() const;

    Enclosure m_enclosure;
    QFile m_file;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QByteArray m_raw;
    QByteArray m_encoded;
    qsizetype m_taken = 0; // of m_encoded, already handed out
    qint64 m_read = 0;     // bytes of the file read so far
    bool m_verified = false;
};
