#include "store/settingsstore.h"

#include "store/codec.h"
#include "store/fields.h"

#include <QCoreApplication>
#include <QDir>

namespace {

struct Layout
{
    SettingsField field;
    qsizetype offset;
    qsizetype width;
};

constexpr Layout textFields[] = {
    {SettingsField::SmtpServer, 20, 100},
    {SettingsField::Email, 120, 100},
    {SettingsField::Acod, 220, 30},
};

} // namespace

SettingsStore::SettingsStore(FileSystem &fs) : m_fs(fs)
{
    m_buffer.fill(' ');
}

SettingsStore::~SettingsStore()
{
    close();
}

QString SettingsStore::open(const QString &folder)
{
    close();
    QString error;
    m_fd = m_fs.openDataFile(QDir(folder).filePath(FileName), error);
    return error;
}

void SettingsStore::close()
{
    if (m_fd >= 0)
        m_fs.close(m_fd);
    m_fd = -1;
}

QString SettingsStore::read()
{
    std::array<char, Size> fresh;
    fresh.fill(' ');
    if (m_fd < 0 || m_fs.readFully(m_fd, fresh.data(), Size, 0) < 0)
        return QCoreApplication::translate("Store", "Cannot read the settings from %1: %2.")
            .arg(FileName, lastSystemError());
    m_buffer = fresh;
    return {};
}

QString SettingsStore::write()
{
    if (m_fd < 0 || !m_fs.writeFully(m_fd, m_buffer.data(), Size, 0) || !m_fs.syncData(m_fd))
        return QCoreApplication::translate("Store", "Cannot save the settings to %1: %2.")
            .arg(FileName, lastSystemError());
    return {};
}

void SettingsStore::loadFields(SettingsFields &fields) const
{
    for (auto it = std::rbegin(textFields); it != std::rend(textFields); ++it)
        fields.setText(it->field, cp1252::loadField(m_buffer.data() + it->offset, it->width));
}

void SettingsStore::storeFields(const SettingsFields &fields)
{
    for (const Layout &l : textFields)
        cp1252::storeField(m_buffer.data() + l.offset, l.width, fields.text(l.field));
}
