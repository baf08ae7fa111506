#include "app/commandline.h"

#include "ui/shell.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>


namespace {

// A message no fax would hold, and no file read for one may pass; the
// running Quillon takes as much handed over.
constexpr qint64 MaxMessageFile = NewFax::MaxMessageBytes;

// The window and the message hold line breaks as CR LF.
QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text.replace(u'\n', QStringLiteral("\r\n"));
}

std::optional<QString> given(const QCommandLineParser &parser, const QString &name)
{
    if (!parser.isSet(name))
        return std::nullopt;
    return parser.value(name);
}

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Texts::tr("Sends faxes and e-mail through your SMTP server and an e-mail-to-fax "
                  "gateway. With no option it opens its window; with --to, --fax, "
                  "--subject or --message a new fax in it; with --send it sends the fax "
                  "without a window and ends: 0 when the server took it, 1 when it was "
                  "refused or could not be sent, 2 for wrong use. With --wait-report it "
                  "then waits for the gateway's delivery report: 0 when it says "
                  "delivered, 3 when it says failed, 4 when none came in time."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("send"), Texts::tr("Send without a window, then end.")},
        {QStringLiteral("to"), Texts::tr("The recipient's name, or an e-mail address."),
         Texts::tr("NAME")},
        {QStringLiteral("fax"), Texts::tr("The fax number, as printed."), Texts::tr("NUMBER")},
        {QStringLiteral("subject"), Texts::tr("The subject."), Texts::tr("TEXT")},
        {QStringLiteral("message"), Texts::tr("The message."), Texts::tr("TEXT")},
        {QStringLiteral("message-file"),
         Texts::tr("The message from a file (UTF-8); - for standard input."), Texts::tr("PATH")},
        {QStringLiteral("provider"),
         Texts::tr("The gateway: a name from Settings' list, or a gateway's domain "
                   "(TPC.NET when left out)."),
         Texts::tr("NAME")},
        {QStringLiteral("wait-report"),
         Texts::tr("With --send: wait up to MINUTES for the gateway's delivery report "
                   "(read over IMAP, as Settings say)."),
         Texts::tr("MINUTES")},
    });
    parser.addPositionalArgument(Texts::tr("files", "the name of the documents argument in --help"),
                                 Texts::tr("Documents to attach: PDF, TIFF, PNG or JPEG."),
                                 Texts::tr("[FILE...]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    // The help that --help offers, with Qt's own options;
    // the parser prints it and ends.
    if (parser.isSet(QStringLiteral("help-all")))
        parser.process(arguments);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    line.send = parser.isSet(QStringLiteral("send"));
    if (const std::optional<QString> minutes = given(parser, QStringLiteral("wait-report"))) {
        bool number = false;
        line.waitReport = minutes->toInt(&number);
        // Reports are read for 48 hours after a fax was sent.
        if (!number || line.waitReport < 1 || line.waitReport > 48 * 60) {
            line.error = Texts::tr("--wait-report takes minutes, from 1 to 2880.");
            return line;
        }
        if (!line.send) {
            line.error = Texts::tr("--wait-report goes with --send.");
            return line;
        }
    }
    NewFax &fax = line.fax;
    fax.to = given(parser, QStringLiteral("to"));
    fax.fax = given(parser, QStringLiteral("fax"));
    fax.subject = given(parser, QStringLiteral("subject"));
    fax.provider = given(parser, QStringLiteral("provider"));
    fax.message = given(parser, QStringLiteral("message"));
    if (const std::optional<QString> path = given(parser, QStringLiteral("message-file"))) {
        if (fax.message) {
            line.error = Texts::tr("Give --message or --message-file, not both.");
            return line;
        }
        QFile file;
        const bool opened = *path == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                          : (file.setFileName(*path), file.open(QIODevice::ReadOnly));
        const QByteArray bytes = opened ? file.read(MaxMessageFile + 1) : QByteArray();
        if (!opened || file.error() != QFileDevice::NoError) {
            line.error = Texts::tr("Cannot read %1: %2").arg(*path, file.errorString());
            return line;
        }
        if (bytes.size() > MaxMessageFile) {
            line.error = Texts::tr("%1 is too long for a message, which holds at most 1 MB.").arg(*path);
            return line;
        }
        fax.message = QString::fromUtf8(bytes);
    }
    if (fax.message)
        fax.message = withCrLf(*fax.message);
    fax.files = Shell::filesFromArguments(parser.positionalArguments());
    return line;
}
