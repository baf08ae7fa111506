#include "ui/faxreport.h"

#include "ui/copiedtext.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>

namespace faxreport {

namespace {

struct Line
{
    QString label;
    QString value;
};

// The report is written in the user's language, in a face that holds its
// script.
struct Report
{
    Q_DECLARE_TR_FUNCTIONS(FaxReport)
};

} // namespace

QString write(const QString &path, const stored::Message &message,
              const QList<documents::Document> &documents,
              const std::optional<Delivery> &delivery)
{
    const stored::Summary &s = message.summary;
    int pages = 0;
    for (const documents::Document &d : documents)
        pages += d.pages();
    const QList<Line> lines = {
        {Report::tr("Sender:"), s.sender},
        {Report::tr("Recipient:"), s.to},
        {Report::tr("Fax number:"), s.fax},
        {Report::tr("Gateway address:"), s.recipient},
        {Report::tr("Subject:"), s.subject},
        {Report::tr("Sent:"),
         QLocale().toString(s.sent, Report::tr("yyyy-MM-dd HH:mm:ss t", "the date and time sent"))},
        {Report::tr("Server:"), s.server},
        {Report::tr("Server's reply:"), s.reply},
        {Report::tr("Message-ID:"), s.messageId},
        {Report::tr("Pages:"), QString::number(pages)},
        {Report::tr("Delivery:"), delivery::statement(delivery)},
    };

    QPdfWriter writer(path);
    writer.setTitle(Report::tr("Transmission report"));
    writer.setCreator(QStringLiteral("Quillon " QUILLON_VERSION));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter p;
    if (!p.begin(&writer))
        return Report::tr("The report cannot be written to %1.").arg(path);
    const int margin = 200;
    const int width = writer.width() - 2 * margin;
    QFont font(Report::tr("DejaVu Sans", "the font: one that holds the language's script"), 10);
    // No ligatures: a subject or checksum copied out of the report must
    // read as typed ("ff", not one "ﬀ" glyph).
    font.setStyleStrategy(QFont::PreferNoShaping);
    p.setFont(font);
    const int line = p.fontMetrics().height() + 8;
    int y = margin;
    // Lines break between words, and inside a word only when it is wider
    // than the column (a Message-ID, a checksum).
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto text = [&](int x, const QString &s, int w = 0) {
        const QRectF box(x, y, w > 0 ? w : width - (x - margin), line * 40);
        const QRectF used = p.boundingRect(box, s, wrap);
        p.drawText(box, s, wrap);
        y += std::max(line, int(used.height()) + 8);
    };

    font.setPointSize(16);
    font.setBold(true);
    p.setFont(font);
    text(margin, Report::tr("Transmission report"));
    font.setPointSize(10);
    font.setBold(false);
    p.setFont(font);
    text(margin, QStringLiteral("Quillon " QUILLON_VERSION));
    y += line;

    // The picture of the first page beside the fields.
    const int pictureWidth = width / 3;
    int pictureBottom = y;
    if (!documents.isEmpty()) {
        const documents::Document &first = documents.first();
        const QImage page = documents::renderPage(first.path, first.kind, 0,
                                                  QSize(pictureWidth, pictureWidth * 3 / 2));
        const QRect frame(margin + width - pictureWidth, y, page.width(), page.height());
        p.drawImage(frame, page);
        p.drawRect(frame);
        pictureBottom = frame.bottom();
    }
    const int labels = width / 5;
    for (const Line &l : lines) {
        const int at = y;
        text(margin, l.label, labels);
        const int below = y;
        y = at;
        text(margin + labels, l.value, width - labels - pictureWidth - 60);
        y = std::max(y, below);
    }
    y = std::max(y, pictureBottom) + line;
    if (delivery && delivery->isFinal() && !delivery->words.isEmpty()) {
        text(margin, Report::tr("The gateway's report says:"));
        for (const QString &words : delivery->words)
            text(margin + 60, QStringLiteral("> ") + words);
        y += line;
    }
    text(margin, Report::tr("Files sent:"));
    for (const documents::Document &d : documents) {
        text(margin + 60, d.name + QStringLiteral(", ") + documents::pagesAndSize(d.pages(), d.size));
        text(margin + 120, QStringLiteral("SHA-256 ") + QString::fromLatin1(d.sha256.toHex()));
    }
    if (documents.isEmpty())
        text(margin + 60, Report::tr("none: the text was faxed"));
    if (!p.end() || QFile(path).size() == 0)
        return Report::tr("The report cannot be written to %1.").arg(path);
    return copiedtext::mend(path);
}

} // namespace faxreport
