#pragma once

#include <QString>

// The main window's status line, lblStatus, for the parts of the window
// that report there.
class StatusLine
{
public:
    virtual ~StatusLine() = default;
    virtual void setStatus(const QString &text) = 0;
};
