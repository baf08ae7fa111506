#include "app/handover.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace handover {

namespace {

constexpr quint32 NullString = 0xffffffff;

} // namespace

QByteArray encode(const QStringList &files)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << files;
    return bytes;
}

Read decode(QByteArrayView bytes, QStringList &files)
{
    if (bytes.size() > MaxBytes)
        return Read::Refused;
    qsizetype at = 0;
    auto number = [&](quint32 &n) {
        if (bytes.size() - at < 4)
            return false;
        n = qFromBigEndian<quint32>(bytes.data() + at);
        at += 4;
        return true;
    };
    quint32 count = 0;
    if (!number(count))
        return Read::More;
    if (count > quint32(MaxFiles))
        return Read::Refused;
    QStringList read;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        if (!number(length))
            return Read::More;
        if (length == NullString) {
            read.append(QString());
            continue;
        }
        // UTF-16, two bytes a character, within what may be sent at all.
        if (length % 2 != 0 || length > quint32(MaxBytes))
            return Read::Refused;
        if (bytes.size() - at < qsizetype(length))
            return Read::More;
        QString name(qsizetype(length / 2), Qt::Uninitialized);
        for (qsizetype c = 0; c < name.size(); ++c)
            name[c] = QChar(qFromBigEndian<quint16>(bytes.data() + at + 2 * c));
        at += length;
        read.append(name);
    }
    if (at != bytes.size())
        return Read::Refused;
    files = read;
    return Read::Done;
}

} // namespace handover
