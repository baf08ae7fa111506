// The message builder: any subject, recipient, sender, body and attached
// files with any names give a message whose every line ends in CR LF,
// holds no other CR or LF, no NUL and at most 998 bytes, whose headers
// (the message's and each part's) are pure ASCII, whose UTF-8
// encoded-words each hold whole characters, whose size is known before it
// is read, and which on the wire has no line that is "." alone and comes
// back byte for byte when the dots are undone.

#include "fuzzinput.h"
#include "mail/messagestream.h"
#include "smtp/transparency.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
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

// Files of the input's bytes, under names from the input.
QList<Enclosure> attach(FuzzInput &in, const QTemporaryDir &dir)
{
    QList<Enclosure> files;
    const int count = in.byte() % 3;
    for (int i = 0; i < count; ++i) {
        const QString name = in.text();
        const QByteArray bytes = in.bytes(in.byte() * 7);
        const QString path = dir.filePath(QStringLiteral("file%1").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            std::abort();
        f.close();
        QFile written;
        FileIdentity identity;
        QString reason;
        if (openRegular(written, path, identity, reason) != OpenResult::Opened)
            std::abort();
        files.append({path, name, QByteArrayLiteral("application/pdf"), bytes.size(),
                      QDateTime(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256),
                      identity});
    }
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir dir;
    FuzzInput in(data, size);
    const bool eightBitAllowed = in.byte() & 1;
    mail::Outgoing params;
    params.subject = in.text();
    params.recipient = in.text();
    params.sender = in.text();
    params.text = in.text();
    params.attachments = attach(in, dir);
    const mail::Stamp stamp{QDateTime(QDate(2026, 12, 7), QTime(17, 5, 9), QTimeZone(3600)),
                            QStringLiteral("20261207160509.0123456789ABCDEF")};
    const mail::Message m =
        mail::build(params, QStringLiteral("[127.0.0.1]"), eightBitAllowed, stamp);
    MessageStream stream(m);
    QByteArray all;
    while (!stream.atEnd()) {
        all += stream.read(4096);
        FUZZ_CHECK(stream.error().isEmpty());
    }
    FUZZ_CHECK(all.size() == m.size());

    FUZZ_CHECK(all.endsWith("\r\n"));
    FUZZ_CHECK(!all.contains('\0'));
    FUZZ_CHECK(wholeCharacters(QByteArrayView(all).first(all.indexOf("\r\nTo: "))));
    // Headers, the message's and each part's, end at an empty line; a part
    // starts after a line "--boundary".
    const bool multipart = !params.attachments.isEmpty();
    const qsizetype b = all.indexOf("boundary=\"") + 10;
    const QByteArray delimiter =
        multipart ? "--" + all.mid(b, all.indexOf('"', b) - b) : QByteArray();
    bool inHeaders = true;
    int parts = 0;
    qsizetype start = 0;
    while (start < all.size()) {
        const qsizetype lf = all.indexOf('\n', start);
        FUZZ_CHECK(lf > start && all[lf - 1] == '\r');
        const QByteArrayView line(all.constData() + start, lf - 1 - start);
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n'));
        FUZZ_CHECK(line.size() <= 998);
        if (inHeaders) {
            for (char c : line)
                FUZZ_CHECK(c > 0);
            inHeaders = !line.isEmpty();
        } else if (multipart && line.startsWith(delimiter)) {
            ++parts;
            inHeaders = line == delimiter;
        } else if (!eightBitAllowed) {
            for (char c : line)
                FUZZ_CHECK((c & 0x80) == 0); // quoted-printable or 7-bit
        }
        start = lf + 1;
    }
    FUZZ_CHECK(!inHeaders); // the empty line between headers and body
    FUZZ_CHECK(parts == (multipart ? params.attachments.size() + 2 : 0));
    FUZZ_CHECK(m.eightBit == (eightBitAllowed && all.contains("Content-Transfer-Encoding: 8bit")));

    // On the wire, in pieces of any size.
    bool atLineStart = true;
    QByteArray wire;
    const qsizetype piece = 1 + in.byte();
    for (qsizetype at = 0; at < all.size(); at += piece)
        wire += dotStuffed(QByteArrayView(all).sliced(at, std::min(piece, all.size() - at)),
                           atLineStart);
    FUZZ_CHECK(!wire.startsWith(".\r\n") && !wire.contains("\r\n.\r\n"));
    QByteArray undone = wire;
    if (undone.startsWith('.'))
        undone.remove(0, 1);
    undone.replace("\r\n.", "\r\n");
    FUZZ_CHECK(undone == all);
    return 0;
}
