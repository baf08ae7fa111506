#include "mail/attachmentdevice.h"

#include "mime/base64.h"

#include <QCoreApplication>

namespace {

constexpr qint64 PieceBytes = mime::Base64LineBytes * 1024; // whole lines
} // namespace

AttachmentDevice::AttachmentDevice(const Enclosure &file) : m_enclosure(file) {}

bool AttachmentDevice::open(OpenMode mode)
{
    FileIdentity identity;
    QString reason;
    switch (openRegular(m_file, m_enclosure.path, identity, reason)) {
    case OpenResult::CannotOpen:
        setErrorString(QCoreApplication::translate("Enclosure", "%1 cannot be read: %2")
                           .arg(m_enclosure.name, reason));
        return false;
    case OpenResult::NotRegular:
        setErrorString(changedText());
        return false;
    case OpenResult::Opened:
        break;
    }
    if (identity != m_enclosure.identity) {
        m_file.close();
        setErrorString(changedText());
        return false;
    }
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

QString AttachmentDevice::changedText() const
{
    return QCoreApplication::translate("Enclosure",
                                       "%1 has changed since it was attached; attach it again")
        .arg(m_enclosure.name);
}

bool AttachmentDevice::atEnd() const
{
    return m_verified && m_taken == m_encoded.size();
}

bool AttachmentDevice::fail(const QString &why)
{
    setErrorString(why);
    m_encoded.clear();
    m_taken = 0;
    return false;
}

bool AttachmentDevice::fill()
{
    m_encoded.clear();
    m_taken = 0;
    // One byte past the size tells a file that has grown.
    const qint64 want = std::min(PieceBytes, m_enclosure.size - m_read + 1);
    m_raw.resize(want);
    const qint64 got = m_file.read(m_raw.data(), want);
    if (got < 0)
        return fail(QCoreApplication::translate("Enclosure", "%1 cannot be read: %2")
                        .arg(m_enclosure.name, m_file.errorString()));
    m_raw.truncate(got);
    m_read += got;
    m_hash.addData(m_raw);
    const bool ended = got < want;
    if (m_read > m_enclosure.size || (ended && m_read < m_enclosure.size) ||
        (ended && m_hash.result() != m_enclosure.sha256))
        return fail(changedText());
    m_verified = ended;

    m_encoded = mime::base64Lines(m_raw);
    return true;
}

qint64 AttachmentDevice::readData(char *data, qint64 maxSize)
{
    qint64 done = 0;
    while (done < maxSize) {
        if (m_taken == m_encoded.size()) {
            if (m_verified)
                break;
            if (!fill())
                return -1;
            continue;
        }
        const qint64 n = std::min<qint64>(maxSize - done, m_encoded.size() - m_taken);
        std::memcpy(data + done, m_encoded.constData() + m_taken, size_t(n));
        m_taken += n;
        done += n;
    }
    return done;
}
