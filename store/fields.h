#pragma once

#include <QString>

// The window fields that the stores read and write. The main window and the
// settings window implement these; tests use plain in-memory fakes.

enum class DocField
{
    To,
    Fax,
    Subject,
    Message
};

// txtTo, txtFax, txtSubject, txtMessage and the record-number display
// lblRecNum. Line breaks in the message are CR LF, as stored in a record.
class DocumentFields
{
public:
    virtual ~DocumentFields() = default;
    virtual QString text(DocField field) const = 0;
    virtual void setText(DocField field, const QString &text) = 0;
    virtual void showRecNum(qint16 recNum) = 0;
};

enum class SettingsField
{
    SmtpServer,
    Email,
    Acod,
    Provider
};

// txtSMTPServer, txtEmail, txtAcod and the provider text of cmbProvider.
class SettingsFields
{
public:
    virtual ~SettingsFields() = default;
    virtual QString text(SettingsField field) const = 0;
    virtual void setText(SettingsField field, const QString &text) = 0;
};
