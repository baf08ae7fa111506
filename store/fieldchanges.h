#pragma once

#include "store/fields.h"

#include <QList>
#include <QStringList>

// What storing a document into a record would change. A record holds each
// field in a fixed width, one Windows-1252 byte per character: a longer
// text is cut, and a character the code page lacks becomes "?". Spaces at
// the end are the record's padding, not text, so losing them changes
// nothing.
struct FieldChange
{
    DocField field;
    qsizetype length = 0; // in characters, as stored (a line break is two)
    qsizetype width = 0;
    QStringList lost; // kept characters that become "?", each once, in order

    bool isCut() const { return length > width; }
};

// The fields `fields` would lose something of, in the record's order;
// empty when the record would hold them exactly.
QList<FieldChange> changesOnSave(const DocumentFields &fields);
