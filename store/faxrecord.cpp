#include "store/faxrecord.h"

#include "store/codec.h"

FaxRecord::FaxRecord()
{
    m_bytes.fill(' ');
    m_bytes[0] = m_bytes[1] = '\0';
}

qint16 FaxRecord::tag() const
{
    const auto lo = static_cast<unsigned char>(m_bytes[0]);
    const auto hi = static_cast<unsigned char>(m_bytes[1]);
    return static_cast<qint16>(lo | (hi << 8));
}

QString FaxRecord::text(DocField field) const
{
    const Layout l = layout(field);
    return cp1252::loadField(m_bytes.data() + l.offset, l.width);
}

void FaxRecord::setText(DocField field, QStringView text)
{
    const Layout l = layout(field);
    cp1252::storeField(m_bytes.data() + l.offset, l.width, text);
}
