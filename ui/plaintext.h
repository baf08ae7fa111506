#pragma once

#include <QMessageBox>
#include <QString>

// Message boxes and tooltips that show a text exactly as it is. What a
// server replied, a file name or anything the user typed is never read as
// markup: Qt guesses rich text from a leading tag, and a reply such as
// "554 <img src=/dev/zero>" would then be rendered, and the image read.
namespace plaintext {

// A modal box with an OK button.
void messageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                const QString &text);
inline void warning(QWidget *parent, const QString &title, const QString &text)
{
    messageBox(parent, QMessageBox::Warning, title, text);
}

// The text as a tooltip shows it: escaped, with its line breaks.
QString toolTip(const QString &text);

} // namespace plaintext
