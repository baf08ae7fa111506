#pragma once

#include "store/fieldchanges.h"

class QWidget;

// Before a Save that would change the document: what would change, in
// plain words, and whether to save anyway.
namespace savequestion {

// One line per change, e.g. "The message is 10,482 characters long; the
// file keeps the first 10,000." or "In the subject, ł, ś and ż cannot be
// stored and become ?.".
QString describe(const QList<FieldChange> &changes);

// Asks in a message box; true for "Save anyway". Cancel, the default, and
// Escape keep everything as it was.
bool confirm(QWidget *parent, const QList<FieldChange> &changes);

} // namespace savequestion
