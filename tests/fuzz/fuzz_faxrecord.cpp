// A fax record as any version or a damaged disk may have left it: any
// 10,167 bytes read into the fields and written back give the same bytes
// (the codec is a bijection on bytes), and reading a field never touches
// memory outside the record.

#include "codec.h"
#include "faxrecord.h"
#include "fuzzinput.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
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
