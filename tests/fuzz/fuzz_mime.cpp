// The MIME unit both ways. Any bytes, as a mail server or a damaged file
// may hold them, are read without harm: a header, its encoded-words and
// parameters, a multipart body, quoted-printable and base64. And any text
// Quillon writes (a header field, a file name, a body's lines) reads back
// as it was, within the lines' limits.

#include "fuzzinput.h"
#include "mime/base64.h"
#include "mime/body.h"
#include "mime/encodedwords.h"
#include "mime/headerfields.h"
#include "mime/lines.h"
#include "mime/multipart.h"
#include "mime/parameter.h"
#include "mime/quotedprintable.h"

namespace {

bool linesWithinLimits(QByteArrayView written)
{
    qsizetype start = 0;
    for (qsizetype lf = written.indexOf('\n'); lf >= 0; lf = written.indexOf('\n', start)) {
        if (lf == 0 || written[lf - 1] != '\r' || lf - 1 - start > mime::MaxLine)
            return false;
        start = lf + 1;
    }
    return start == written.size();
}

void readAnything(const QByteArray &bytes)
{
    const mime::Header header = mime::parseHeader(bytes);
    FUZZ_CHECK(header.bodyStart >= 0 && header.bodyStart <= bytes.size());
    for (const mime::Field &field : header.fields) {
        mime::decodeWords(field.value);
        mime::decodeParameter(field.value, "filename");
    }
    const QByteArrayView body = QByteArrayView(bytes).sliced(header.bodyStart);
    for (QByteArrayView part : mime::splitMultipart(body, "=_b")) {
        FUZZ_CHECK(part.data() >= body.data() && part.data() + part.size() <= body.data() + body.size());
        const mime::Header partHeader = mime::parseHeader(part);
        mime::bodyText(part.sliced(partHeader.bodyStart), partHeader);
    }
    FUZZ_CHECK(mime::decodeQuotedPrintable(bytes).size() <= bytes.size());
    FUZZ_CHECK(mime::decodeBase64(bytes).size() <= bytes.size());
}

void roundTrip(const QString &typed)
{
    QString oneLine = typed;
    oneLine.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray field = mime::headerField("Subject", typed);
    FUZZ_CHECK(linesWithinLimits(field));
    const mime::Header header = mime::parseHeader(field + "\r\n");
    FUZZ_CHECK(header.fields.size() == 1);
    FUZZ_CHECK(mime::decodeWords(header.value("subject")).mid(1) == oneLine);

    QString cleaned = typed;
    for (QChar &c : cleaned) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            c = u'_';
    }
    const QByteArray parameter = "attachment;\r\n" + mime::encodeParameter("filename", typed);
    FUZZ_CHECK(linesWithinLimits(parameter + "\r\n"));
    FUZZ_CHECK(mime::decodeParameter(parameter, "filename") == cleaned);

    const QByteArray utf8 = typed.toUtf8();
    QByteArray qp;
    QByteArray lines;
    mime::forEachLine(QByteArrayView(utf8), [&](const mime::Line<QByteArrayView> &line) {
        mime::appendQuotedPrintable(qp, line.text);
        lines += line.text;
        lines += mime::crlf;
        return true;
    });
    FUZZ_CHECK(linesWithinLimits(qp));
    FUZZ_CHECK(mime::decodeQuotedPrintable(qp) == lines);
    FUZZ_CHECK(mime::decodeBase64(mime::base64Lines(utf8)) == utf8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    readAnything(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    FuzzInput in(data, size);
    roundTrip(in.text());
    return 0;
}
