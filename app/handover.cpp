#include "app/handover.h"

#include <QDataStream>

#include <algorithm>
#include <QIODevice>
#include <QtEndian>

namespace handover {

namespace {

constexpr quint32 NullString = 0xffffffff;

// The markers cannot begin a file's absolute path.
const QString FieldsMarker = QStringLiteral("\x01fields");
const QString FilesMarker = QStringLiteral("\x01files");

struct Named
{
    const char *name;
    std::optional<QString> NewFax::*field;
};
constexpr Named Fields[] = {{"to", &NewFax::to},
                            {"fax", &NewFax::fax},
                            {"subject", &NewFax::subject},
                            {"message", &NewFax::message},
                            {"provider", &NewFax::provider}};

// The list as a fax: fields, then files; nothing when it is not one.
std::optional<NewFax> faxOf(const QStringList &list)
{
    NewFax fax;
    if (list.value(0) != FieldsMarker) {
        fax.files = list;
        return fax;
    }
    qsizetype i = 1;
    for (; i + 1 < list.size() && list[i] != FilesMarker; i += 2) {
        const auto named = std::find_if(std::begin(Fields), std::end(Fields), [&](const Named &n) {
            return list[i] == QLatin1StringView(n.name);
        });
        if (named == std::end(Fields))
            return std::nullopt;
        fax.*(named->field) = list[i + 1];
    }
    if (list.value(i) != FilesMarker)
        return std::nullopt;
    fax.files = list.mid(i + 1);
    return fax;
}

} // namespace

QByteArray encode(const NewFax &fax)
{
    if (!fax.hasFields())
        return encode(fax.files);
    QStringList list{FieldsMarker};
    for (const Named &n : Fields) {
        if (const std::optional<QString> &value = fax.*(n.field))
            list << QLatin1StringView(n.name) << *value;
    }
    return encode(list << FilesMarker << fax.files);
}

QByteArray encode(const QStringList &files)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << files;
    return bytes;
}

Read decode(QByteArrayView bytes, NewFax &fax)
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
    const std::optional<NewFax> handed = faxOf(read);
    if (!handed)
        return Read::Refused;
    fax = *handed;
    return Read::Done;
}

} // namespace handover
