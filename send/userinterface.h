#pragma once

#include <QString>

// The main window's status line, lblStatus.
class StatusLine
{
public:
    virtual ~StatusLine() = default;
    virtual void setStatus(const QString &text) = 0;
};

// A modal message box with an OK button and an exclamation icon.
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void exclamation(const QString &text, const QString &title) = 0;
};
