#include "ui/frmmain.h"

#include "mime/lines.h"
#include "outbox/outbox.h"
#include "store/datafiles.h"
#include "store/reportsettings.h"
#include "ui/attachmentpanel.h"
#include "ui/deliverynews.h"
#include "ui/frmsent.h"
#include "ui/frmsettings.h"
#include "ui/plaintext.h"
#include "ui/savequestion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

frmMain::frmMain(DataFiles &files, SmtpTimeouts timeouts) : m_files(files), m_timeouts(timeouts)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillon"));
    buildControls();
    buildMenu();

    connect(btnSend, &QPushButton::clicked, this, &frmMain::send);
    connect(btnNew, &QPushButton::clicked, this,
            [this] { recordCommand(m_files.fax.newRecord(*this)); });
    connect(btnSave, &QPushButton::clicked, this, &frmMain::save);
    connect(btnDelete, &QPushButton::clicked, this, [this] { deleteRec(m_files.fax.curRec); });
    connect(btnPrev, &QPushButton::clicked, this,
            [this] { recordCommand(m_files.fax.previous(*this)); });
    connect(btnNext, &QPushButton::clicked, this,
            [this] { recordCommand(m_files.fax.next(*this)); });
}

frmMain::~frmMain()
{
    if (m_settings) {
        m_settings->discardWithoutSaving();
        delete m_settings;
    }
}

void frmMain::attach(const QStringList &paths)
{
    m_attachments->attach(paths);
}

void frmMain::printed(const QString &path)
{
    m_attachments->attachOwned(path);
    setStatus(tr("Printed: %1").arg(QFileInfo(path).fileName()));
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void frmMain::recordCommand(const QString &error)
{
    if (error.isEmpty())
        m_attachments->clear();
    reportError(error);
}

QString frmMain::text(DocField field) const
{
    switch (field) {
    case DocField::To:
        return txtTo->text();
    case DocField::Fax:
        return txtFax->text();
    case DocField::Subject:
        return txtSubject->text();
    case DocField::Message:
        return txtMessage->toPlainText().replace(u'\n', mime::crlfText);
    }
    return {};
}

void frmMain::setText(DocField field, const QString &text)
{
    switch (field) {
    case DocField::To:
        txtTo->setText(text);
        break;
    case DocField::Fax:
        txtFax->setText(text);
        break;
    case DocField::Subject:
        txtSubject->setText(text);
        break;
    case DocField::Message: {
        QString plain = text;
        plain.replace(mime::crlfText, QStringLiteral("\n")).replace(u'\r', u'\n');
        txtMessage->setPlainText(plain);
        break;
    }
    }
}

void frmMain::showRecNum(qint16 recNum)
{
    lblRecNum->setText(QString::number(recNum));
}

void frmMain::setStatus(const QString &text)
{
    lblStatus->setText(text);
    lblStatus->setToolTip(plaintext::toolTip(text));
}

SettingsFields &frmMain::settingsFields()
{
    if (!m_settings) {
        m_settings = new frmSettings(m_files.settings, m_files.folder);
        // Reports turned on, or another server: faxes already sent wait too.
        connect(m_settings, &frmSettings::saved, this, &frmMain::watchReports,
                Qt::QueuedConnection);
        if (const QString error = m_files.settings.read(); !error.isEmpty())
            plaintext::warning(this, QStringLiteral("Quillon"), error);
        m_files.settings.loadFields(*m_settings);
    }
    return *m_settings;
}

frmSettings *frmMain::settingsWindow() const
{
    return m_settings;
}

void frmMain::showSettings()
{
    settingsFields();
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

Outbox &frmMain::outbox()
{
    if (!m_outbox) {
        OutboxParts parts;
        parts.timeouts = m_timeouts;
        m_outbox = std::make_unique<Outbox>(m_files.folder, m_signInFaces, std::move(parts));
        connect(m_outbox.get(), &Outbox::status, this, &frmMain::setStatus);
        connect(m_outbox.get(), &Outbox::alert, this,
                [this](const QString &text, const QString &title) {
                    plaintext::warning(this, title, text);
                });
        connect(m_outbox.get(), &Outbox::finished, this, [this] {
            if (m_sent)
                m_sent->reload();
        });
        auto *news = new DeliveryNews(*this, *this);
        connect(news, &DeliveryNews::showCopy, this, [this](const QString &copy) {
            showSent();
            m_sent->showCopy(copy);
        });
        connect(m_outbox.get(), &Outbox::delivered, news, &DeliveryNews::tell);
        connect(m_outbox.get(), &Outbox::reportsTrouble, this, &frmMain::setStatus);
        connect(m_outbox.get(), &Outbox::reportsChanged, this, [this] {
            if (m_sent)
                m_sent->reloadDeliveries();
        });
    }
    return *m_outbox;
}

void frmMain::watchReports()
{
    const ReportSettings reports = reportsettings::load(m_files.folder);
    if (!reports.watch && !m_outbox)
        return; // nothing to watch, nothing to stop
    SettingsFields &settings = settingsFields();
    outbox().watchReports(reports, settings.text(SettingsField::SmtpServer),
                          settings.text(SettingsField::Email));
}

Draft frmMain::draft()
{
    SettingsFields &settings = settingsFields();
    Draft d{text(DocField::To),
            text(DocField::Fax),
            text(DocField::Subject),
            text(DocField::Message),
            settings.text(SettingsField::Email),
            settings.text(SettingsField::SmtpServer),
            settings.text(SettingsField::Provider),
            settings.text(SettingsField::Acod),
            {},
            0};
    for (const documents::Document &document : m_attachments->documents())
        d.attach(document);
    return d;
}

void frmMain::send()
{
    if (const QString wait = m_attachments->notReady(); !wait.isEmpty())
        return setStatus(wait);
    watchReports();
    if (const std::optional<Outbox::Fields> shown = outbox().submit(draft())) {
        setText(DocField::To, shown->to);
        setText(DocField::Fax, shown->fax);
    }
}

void frmMain::showSent()
{
    if (!m_sent) {
        m_sent = new frmSent(m_files.folder, this);
        m_sent->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_sent, &frmSent::sendAgain, this, &frmMain::sendAgain);
    }
    m_sent->show();
    m_sent->raise();
    m_sent->activateWindow();
}

void frmMain::sendAgain(const stored::Message &message)
{
    const stored::Summary &s = message.summary;
    NewFax fax{s.to, s.fax, s.subject, message.text, {}, {}};
    if (!s.provider.isEmpty())
        fax.provider = s.provider;
    // The documents are taken from the copy, so that moved or changed
    // originals do not matter; they live as long as Quillon runs. Without a
    // temporary folder of its own nothing is touched.
    if (!message.files.isEmpty()) {
        if (!m_resent)
            m_resent = std::make_unique<QTemporaryDir>();
        if (!m_resent->isValid())
            return setStatus(tr("The fax cannot be sent again: no temporary folder "
                                "for its documents (%1)")
                                 .arg(m_resent->errorString()));
        static int again = 0;
        const QString place = QDir(m_resent->path()).filePath(QString::number(++again));
        fax.files = stored::saveFiles(message.files, place);
        if (fax.files.isEmpty())
            return reportError(tr("The documents of this fax cannot be written to %1.")
                                   .arg(QDir::toNativeSeparators(place)));
    }
    compose(fax);
}

void frmMain::compose(const NewFax &fax)
{
    if (const QString error = m_files.fax.newRecord(*this); !error.isEmpty())
        return reportError(error);
    m_attachments->clear();
    setText(DocField::To, fax.to.value_or(QString()));
    setText(DocField::Fax, fax.fax.value_or(QString()));
    setText(DocField::Subject, fax.subject.value_or(QString()));
    setText(DocField::Message, fax.message.value_or(QString()));
    if (fax.provider)
        settingsFields().setText(SettingsField::Provider, *fax.provider);
    m_attachments->attach(fax.files);
    raise();
    activateWindow();
}

void frmMain::deleteRec(qint16 &recNum)
{
    // A full store takes about a second: the window keeps painting meanwhile,
    // while clicks and keys wait until the deletion is over.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = m_files.fax.deleteRec(
        recNum, *this, [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    QApplication::restoreOverrideCursor();
    recordCommand(error);
}

// A Save that would cut a field or turn characters into "?" asks first.
void frmMain::save()
{
    const QList<FieldChange> changes = changesOnSave(*this);
    if (!changes.isEmpty() && !savequestion::confirm(this, changes))
        return;
    reportError(m_files.fax.save(*this));
}

void frmMain::reportError(const QString &error)
{
    if (!error.isEmpty())
        plaintext::warning(this, QStringLiteral("Quillon"), error);
}

void frmMain::about()
{
    plaintext::messageBox(
        this, QMessageBox::Information, tr("About Quillon"),
        tr("Quillon %1\n\nSends faxes and e-mail through your SMTP "
           "server and an e-mail-to-fax gateway.\n\nYour documents "
           "and settings are kept in %2")
            .arg(QStringLiteral(QUILLON_VERSION), QDir::toNativeSeparators(m_files.folder)));
}

void frmMain::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    // The settings are saved only when their own window is closed.
    if (m_settings)
        m_settings->discardWithoutSaving();
    programEnd(m_files);
    Q_EMIT programEnded();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    endProgram();
    event->accept();
}
