#pragma once

#include "ui/twips.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The controls the windows are made of, each named (so that it can be found
// by name) and placed at a fixed position given in twips.
namespace controls {

void place(QWidget *control, const char *name, const Twips &box);

QLabel *label(QWidget *parent, const char *name, const QString &caption, const Twips &box);
// A label with a white background, showing a value.
QLabel *display(QWidget *parent, const char *name, const Twips &box);
// A single-line text box that takes text of any length.
QLineEdit *textBox(QWidget *parent, const char *name, const Twips &box);
// A multi-line text box with a vertical scroll bar; Tab moves on.
QPlainTextEdit *multiLineTextBox(QWidget *parent, const char *name, const Twips &box);
// A button that is never a default button.
QPushButton *button(QWidget *parent, const char *name, const QString &caption, const Twips &box);

// In a translation a caption may not fit the control drawn for the English
// one: each label, button and check box of `area` grows to its caption.
// What stands to the right of a label moves along, keeping the column of
// boxes in line; what stands beside a button on its row moves along.
// Returns how many
// pixels wider the area must be; in English nothing moves and it is 0.
[[nodiscard]] int fitCaptions(QWidget *area);

} // namespace controls
