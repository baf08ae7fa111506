#pragma once

#include "store/filesystem.h"

#include <array>

class SettingsFields;

// "qln.db": one 250-byte record of fixed-width text fields.
//   offset 0    reserved    20, kept as read
//   offset 20   smtpServer  100
//   offset 120  email       100
//   offset 220  acod        30
class SettingsStore
{
public:
    static constexpr qsizetype Size = 250;
    static inline const QString FileName = QStringLiteral("qln.db");

    explicit SettingsStore(FileSystem &fs = FileSystem::posix());
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // Opens (creating if missing) "qln.db" in `folder`; empty text or a
    // message for the user.
    [[nodiscard]] QString open(const QString &folder);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    // Record 1 into the buffer; a missing or short record reads as blanks.
    [[nodiscard]] QString read();
    // The buffer as record 1, at once.
    [[nodiscard]] QString write();

    // The buffer's acod, email and smtpServer into the fields, pad included.
    void loadFields(SettingsFields &fields) const;
    // The three text fields into the buffer, cut or padded; reserved stays.
    void storeFields(const SettingsFields &fields);

private:
    FileSystem &m_fs;
    int m_fd = -1;
    std::array<char, Size> m_buffer;
};
