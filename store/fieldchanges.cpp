#include "store/fieldchanges.h"

#include "store/codec.h"
#include "store/faxrecord.h"

namespace {

// Characters, counting a surrogate pair as one, as the record does.
qsizetype characters(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return n;
}

// The first `count` characters of `text`.
QStringView firstCharacters(QStringView text, qsizetype count)
{
    qsizetype i = 0;
    for (qsizetype n = 0; n < count && i < text.size(); ++n, ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return text.first(i);
}

} // namespace

QList<FieldChange> changesOnSave(const DocumentFields &fields)
{
    QList<FieldChange> changes;
    for (DocField f : {DocField::To, DocField::Fax, DocField::Subject, DocField::Message}) {
        const QString text = fields.text(f);
        qsizetype end = text.size();
        while (end > 0 && text.at(end - 1) == u' ')
            --end;
        const QStringView typed = QStringView(text).first(end);
        FieldChange change{f, characters(typed), FaxRecord::layout(f).width, {}};
        change.lost = cp1252::unrepresentable(firstCharacters(typed, change.width));
        if (change.isCut() || !change.lost.isEmpty())
            changes.append(change);
    }
    return changes;
}
