#include "app/scriptsend.h"

#include "documents/document.h"
#include "outbox/outbox.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "store/reportsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace scriptsend {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(ScriptSend)
};

// A server's reply keeps its lines, in the terminal's line breaks.
void say(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "quillon: %s\n", qPrintable(text.trimmed()));
}

// The settings window's three fields, as the settings file holds them.
class StoredSettings final : public SettingsFields
{
public:
    QString text(SettingsField field) const override { return m_texts.value(int(field)); }
    void setText(SettingsField field, const QString &text) override { m_texts[int(field)] = text; }

private:
    QHash<int, QString> m_texts;
};

// A user who is not there: a sign-in the keyring does not hold ends the
// Send, saying how to make it hold one.
class AbsentUser final : public SignInPrompt
{
public:
    std::optional<Answer> ask(const Account &account, bool) override
    {
        needed = Texts::tr("Not sent: the password for %1 on %2 is not in the keyring; "
                           "send once from Quillon's window with \"Remember the "
                           "password\" checked")
                     .arg(account.defaultUser, account.host);
        return std::nullopt;
    }
    std::optional<TokenAnswer> askBrowser(const Account &account, const OAuthProvider &, bool,
                                          QString &failure) override
    {
        failure = Texts::tr("Not sent: signing in to %1 needs the web browser; send once "
                            "from Quillon's window with \"Remember the sign-in\" checked")
                      .arg(account.host);
        return std::nullopt;
    }
    void notRemembered(const Account &) override {}

    QString needed; // why a password would have been asked for
};

// The settings, read and never written; none when there is no file yet.
bool readSettings(const QString &dataFolder, SettingsFields &fields, QString &error)
{
    if (!QFileInfo(QDir(dataFolder).filePath(SettingsStore::FileName)).isFile())
        return true;
    SettingsStore store;
    error = store.open(dataFolder);
    if (error.isEmpty())
        error = store.read();
    if (error.isEmpty())
        store.loadFields(fields);
    return error.isEmpty();
}

// The gateway's reports as the Outbox tells them, heard from before the
// fax goes, so that none is missed however soon it comes.
class ReportWait
{
public:
    explicit ReportWait(Outbox &outbox)
    {
        QObject::connect(&outbox, &Outbox::delivered, &m_loop,
                         [this](const QString &news, const QString &copy, const Delivery &d) {
                             m_outcomes.insert(copy, {news, d.state == Delivery::State::Delivered ? 0 : 3});
                             m_loop.quit();
                         });
        QObject::connect(&outbox, &Outbox::reportsTrouble, &m_loop, [this](const QString &text) {
            m_trouble = text;
            m_loop.quit();
        });
    }

    // The exit code once the report on `copy` came, or `minutes` passed.
    int wait(const QString &copy, int minutes)
    {
        bool timedOut = false;
        QTimer::singleShot(std::chrono::minutes(minutes), &m_loop, [&] {
            timedOut = true;
            m_loop.quit();
        });
        while (!m_outcomes.contains(copy) && m_trouble.isEmpty() && !timedOut)
            m_loop.exec();
        if (const auto outcome = m_outcomes.constFind(copy); outcome != m_outcomes.cend()) {
            std::printf("%s\n", qPrintable(outcome->first));
            return outcome->second;
        }
        if (!m_trouble.isEmpty())
            say(m_trouble);
        else
            say(minutes == 1
                    ? Texts::tr("No delivery report came within 1 minute.")
                    : Texts::tr("No delivery report came within %n minutes.", nullptr, minutes));
        return 4;
    }

private:
    QEventLoop m_loop;
    QHash<QString, std::pair<QString, int>> m_outcomes; // by copy: news, exit code
    QString m_trouble;
};

} // namespace

int send(const QString &dataFolder, const NewFax &fax, int waitReportMinutes)
{
    if (!QFileInfo(QDir(dataFolder).filePath(AgreementMarker)).isFile()) {
        say(Texts::tr("Not sent: start Quillon once with its window and accept its "
                      "agreement first"));
        return 1;
    }
    StoredSettings settings;
    if (QString error; !readSettings(dataFolder, settings, error)) {
        say(error);
        return 1;
    }
    Draft draft{fax.to.value_or(QString()),
                fax.fax.value_or(QString()),
                fax.subject.value_or(QString()),
                fax.message.value_or(QString()),
                settings.text(SettingsField::Email),
                settings.text(SettingsField::SmtpServer),
                fax.provider.value_or(QStringLiteral("TPC.NET")),
                settings.text(SettingsField::Acod),
                {},
                0};
    // The documents, checked as the window checks them when attached.
    for (const QString &path : fax.files) {
        QString error;
        const std::optional<documents::Document> d = documents::inspect(path, error);
        if (!d) {
            say(error);
            return 1;
        }
        draft.attach(*d);
    }

    const ReportSettings reports = reportsettings::load(dataFolder);
    if (waitReportMinutes > 0 && (!reports.watch || reports.imapServer.isEmpty())) {
        say(Texts::tr("Not sent: --wait-report needs the IMAP server in Settings and "
                      "\"Watch for delivery reports\" checked"));
        return 1;
    }

    AbsentUser user;
    Outbox outbox(dataFolder, user);
    ReportWait reportWait(outbox);
    if (waitReportMinutes > 0)
        outbox.watchReports(reports, draft.smtpServer, draft.sender);
    QString status;
    QObject::connect(&outbox, &Outbox::status, &outbox, [&](const QString &text) {
        if (!text.isEmpty())
            status = text;
    });
    QEventLoop loop;
    QObject::connect(&outbox, &Outbox::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    if (outbox.submit(draft) && outbox.isBusy())
        loop.exec();
    if (outbox.lastAccepted()) {
        if (status != SmtpSession::sentOkText())
            say(status); // why no copy was kept
        return waitReportMinutes > 0 ? reportWait.wait(outbox.lastCopy(), waitReportMinutes) : 0;
    }
    say(user.needed.isEmpty() ? status : user.needed);
    return 1;
}

} // namespace scriptsend
