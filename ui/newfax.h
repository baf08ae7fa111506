#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

// A new fax as a command line describes it, for the window: the fields
// given (one not given stays as the window has it) and the documents to
// attach. With no field given it only attaches, as opening files always
// has.
struct NewFax
{
    // The longest message a command line gives, in bytes of UTF-8: more
    // than any fax holds, and what a running Quillon takes handed over.
    static constexpr qsizetype MaxMessageBytes = 1024 * 1024;

    std::optional<QString> to;
    std::optional<QString> fax;
    std::optional<QString> subject;
    std::optional<QString> message; // line breaks as CR LF
    std::optional<QString> provider;
    QStringList files; // absolute paths

    bool hasFields() const { return to || fax || subject || message || provider; }
};

Q_DECLARE_METATYPE(NewFax)
