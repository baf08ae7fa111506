// A copy in the Sent folder may have been edited or damaged by hand, or
// put there by another program: any bytes are read as the Sent window
// reads them (the header for the table, the whole copy when chosen) without
// harm. And any text Quillon writes into a header field reads back as it
// was, but for the line breaks a field cannot hold.

#include "fuzzinput.h"
#include "mime/headerfields.h"
#include "mime/parameter.h"
#include "sent/storedmessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const stored::Summary summary = stored::readSummary(bytes);
    const stored::Message message = stored::read(bytes);
    FUZZ_CHECK(message.summary.damaged == summary.damaged || bytes.size() > stored::MaxHeader);
    for (const stored::File &f : message.files)
        FUZZ_CHECK(f.bytes.size() <= bytes.size());
    mime::decodeParameter(bytes, "filename");

    FuzzInput in(data, size);
    const QString typed = in.text();
    QString expected = typed;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    // Within the header's cap: beyond it a copy is damaged by design.
    const QByteArray written = mime::headerField("Subject", typed) + "\r\n";
    if (written.size() <= stored::MaxHeader)
        FUZZ_CHECK(stored::readSummary(written).subject == expected.trimmed());
    return 0;
}
