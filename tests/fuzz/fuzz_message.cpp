// The message builder: any subject, recipient, sender and body give a
// message whose every line ends in CR LF, holds no other CR or LF, no NUL
// and at most 998 bytes, whose headers are pure ASCII, whose body has no
// line that is "." alone, and whose UTF-8 encoded-words each hold whole
// characters.

#include "fuzzinput.h"
#include "message.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace {

// A reader decodes each encoded-word on its own: its bytes must be whole
// UTF-8 characters.
bool wholeCharacters(QByteArrayView header)
{
    static const QRegularExpression word(QStringLiteral("=\\?utf-8\\?Q\\?([^?]*)\\?="));
    const QString text = QString::fromLatin1(header);
    for (const QRegularExpressionMatch &m : word.globalMatch(text)) {
        QByteArray bytes;
        const QString q = m.captured(1);
        for (qsizetype i = 0; i < q.size(); ++i) {
            if (q[i] == u'=' && i + 2 < q.size()) {
                bytes += char(q.mid(i + 1, 2).toInt(nullptr, 16));
                i += 2;
            } else {
                bytes += q[i] == u'_' ? ' ' : char(q[i].unicode());
            }
        }
        if (QString::fromUtf8(bytes).toUtf8() != bytes)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const bool eightBitAllowed = in.byte() & 1;
    SendParams params;
    params.subject = in.text();
    params.recipient = in.text();
    params.sender = in.text();
    params.message = in.text();
    const mail::Stamp stamp{QDateTime(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(3600)),
                            QStringLiteral("20261207160509.0123456789ABCDEF")};
    const mail::Message m = mail::build(params, QStringLiteral("[127.0.0.1]"), eightBitAllowed, stamp);

    FUZZ_CHECK(m.data.endsWith("\r\n"));
    FUZZ_CHECK(wholeCharacters(QByteArrayView(m.data).first(m.data.indexOf("\r\nTo: "))));
    FUZZ_CHECK(!m.data.contains('\0'));
    bool inHeaders = true;
    qsizetype start = 0;
    while (start < m.data.size()) {
        const qsizetype lf = m.data.indexOf('\n', start);
        FUZZ_CHECK(lf > start && m.data[lf - 1] == '\r');
        const QByteArrayView line(m.data.constData() + start, lf - 1 - start);
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n'));
        FUZZ_CHECK(line.size() <= 998);
        if (inHeaders) {
            for (char c : line)
                FUZZ_CHECK(c > 0);
            inHeaders = !line.isEmpty();
        } else {
            FUZZ_CHECK(line != QByteArrayView("."));
            if (!eightBitAllowed)
                for (char c : line)
                    FUZZ_CHECK((c & 0x80) == 0); // quoted-printable or 7-bit
        }
        start = lf + 1;
    }
    FUZZ_CHECK(!inHeaders); // the empty line between headers and body
    FUZZ_CHECK(m.eightBit == (eightBitAllowed && m.data.contains("Content-Transfer-Encoding: 8bit")));
    return 0;
}
