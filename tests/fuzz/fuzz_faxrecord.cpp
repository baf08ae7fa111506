// A fax record as any version or a damaged disk may have left it: any
// 10,167 bytes read into the fields and written back give the same bytes
// (the codec is a bijection on bytes), and reading a field never touches
// memory outside the record. And any text typed into the fields: Save asks
// exactly when the record would not give it back.

#include "fuzzinput.h"
#include "store/codec.h"
#include "store/faxrecord.h"
#include "store/fieldchanges.h"

#include <QHash>

#include <algorithm>

#include <cstring>
#include <memory>

namespace {

struct Typed : DocumentFields
{
    QString text(DocField f) const override { return texts.value(f); }
    void setText(DocField f, const QString &t) override { texts[f] = t; }
    void showRecNum(qint16) override {}
    QHash<DocField, QString> texts;
};

// Save asks (changesOnSave is not empty) exactly when a field does not come
// back from the record as typed, but for the padding.
void saveAsksWhenTextIsLost(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    Typed typed;
    FaxRecord record;
    bool lossless = true;
    for (DocField f : {DocField::To, DocField::Fax, DocField::Subject, DocField::Message}) {
        QString text = in.text();
        if (f == DocField::Message && text.size() % 3 == 0) // now and then past its width
            text = text.repeated(FaxRecord::layout(f).width / std::max<qsizetype>(text.size(), 1) + 1);
        typed.setText(f, text);
        record.setText(f, text);
        QString back = record.text(f);
        while (back.endsWith(u' '))
            back.chop(1);
        QString trimmed = text;
        while (trimmed.endsWith(u' '))
            trimmed.chop(1);
        lossless = lossless && back == trimmed;
    }
    FUZZ_CHECK(changesOnSave(typed).isEmpty() == lossless);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    saveAsksWhenTextIsLost(data, size);

    // The record is the input, repeated to its full size: a heap block of
    // exactly one record, so that a read past it is caught.
    if (size == 0)
        return 0;
    const auto bytes = std::make_unique<char[]>(FaxRecord::Size);
    for (qsizetype i = 0; i < FaxRecord::Size; ++i)
        bytes[i] = char(data[size_t(i) % size]);

    FaxRecord read;
    std::memcpy(read.data(), bytes.get(), FaxRecord::Size);
    FaxRecord written;
    std::memcpy(written.data(), read.data(), 2); // the tag, as it was read
    for (DocField f : {DocField::To, DocField::Fax, DocField::Subject, DocField::Message}) {
        const FaxRecord::Layout l = FaxRecord::layout(f);
        const QString text = cp1252::loadField(bytes.get() + l.offset, l.width);
        FUZZ_CHECK(text.size() == l.width);
        FUZZ_CHECK(text == read.text(f));
        written.setText(f, text);
    }
    FUZZ_CHECK(std::memcmp(written.data(), bytes.get(), FaxRecord::Size) == 0);
    return 0;
}
