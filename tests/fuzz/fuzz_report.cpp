// Any message read as a gateway's report: decoded from any charset and
// transfer encoding, classified, matched to faxes, verified and kept. A
// report proves nothing unless it names the fax's Message-ID or carries an
// Authentication-Results field. Nothing in it
// can forge the trace fields that link a kept report to its fax, and what
// is kept reads back.

#include "fuzzinput.h"
#include "reports/faxmatch.h"
#include "reports/reportreader.h"
#include "reports/trust.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t setup = in.byte();
    const QByteArray message = in.bytes(size);
    const ReportText text = report::read(message);
    const std::optional<Delivery> said = report::classify(text, wording::builtIn());
    FUZZ_CHECK(!said || (said->pages >= 0 && said->pages <= 9999));
    const QList<WaitingFax> waiting{
        {QStringLiteral("c0"), QStringLiteral("<m0@example.org>"), QStringLiteral("555 123 4567"),
         QStringLiteral("Order"), QStringLiteral("fax1.example"), {}}};
    const qsizetype fax = faxmatch::find(text, waiting, {});
    FUZZ_CHECK(fax >= -1 && fax < waiting.size());
    FUZZ_CHECK(text.from.isEmpty() || text.from.count(u'@') >= 1);
    const Delivery::Proof proof =
        trust::verify(text, waiting[0], wording::forGateway({}, waiting[0].gateway),
                      {QStringLiteral("imap.example.org"), QString(), QStringLiteral("mx.google.com")});
    FUZZ_CHECK(proof == Delivery::Proof::None || !text.authResults.isEmpty() ||
               message.contains("m0@example.org"));

    // Kept as the watch keeps it: the header and a text part of the input.
    const qsizetype split = std::min<qsizetype>(message.size(), setup * 4);
    imap::TextPart part{"1", setup & 1 ? "html" : "plain", message.left(setup % 13),
                        setup & 2 ? "base64" : "quoted-printable", message.mid(split)};
    Delivery delivery = said.value_or(Delivery{});
    delivery.copy = QStringLiteral("1765.M1P1Q1.host:2,S");
    delivery.reason = QString::fromUtf8(message.left(80));
    const QByteArray kept = delivery.traceFields() + report::keptMessage(message.left(split), {part});
    const std::optional<Delivery> back = Delivery::fromHeader(kept);
    FUZZ_CHECK(back && back->copy == delivery.copy && back->state == delivery.state);
    (void)report::read(kept);
    return 0;
}
