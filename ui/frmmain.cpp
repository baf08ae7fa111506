#include "frmmain.h"

#include "attachmentpanel.h"
#include "controls.h"
#include "frmsent.h"
#include "frmsettings.h"
#include "frmsignin.h"
#include "plaintext.h"
#include "qln_main.h"
#include "savequestion.h"
#include "sendcommand.h"
#include "sentcopy.h"
#include "sslsmtpsocket.h"
#include "text.h"
#include "twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 5700;
// With documents attached, the strip below the record buttons.
constexpr Twips lstAttachmentsBox{120, 5640, 4455, 1680};
constexpr int ClientHeightWithStrip = 7440;
constexpr int ClientLeft = 60;
constexpr int ClientTop = 1470;

constexpr Twips Label1Box{0, 240, 375, 255};
constexpr Twips txtToBox{720, 240, 3855, 315};
constexpr Twips txtFaxBox{720, 720, 3855, 315};
constexpr Twips txtSubjectBox{720, 1200, 3855, 315};
constexpr Twips Label2Box{0, 720, 495, 255};
constexpr Twips Label3Box{0, 1200, 615, 375};
constexpr Twips Label4Box{1800, 1680, 1095, 255};
constexpr Twips txtMessageBox{120, 2040, 4455, 2535};
constexpr Twips btnSendBox{120, 4680, 615, 375};
constexpr Twips lblStatusBox{960, 4680, 3615, 375};
constexpr Twips btnNewBox{120, 5160, 615, 375};
constexpr Twips btnSaveBox{960, 5160, 615, 375};
constexpr Twips btnDeleteBox{1800, 5160, 615, 375};
constexpr Twips btnPrevBox{2880, 5160, 375, 375};
constexpr Twips btnNextBox{4200, 5160, 375, 375};
constexpr Twips lblRecNumBox{3360, 5160, 735, 375};

const QString crlf = QStringLiteral("\r\n");

} // namespace

frmMain::frmMain(Qln_main &qln, SmtpTimeouts timeouts) : m_qln(qln), m_timeouts(timeouts)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillon"));
    buildControls();
    buildMenu();

    connect(btnSend, &QPushButton::clicked, this, &frmMain::send);
    connect(btnNew, &QPushButton::clicked, this,
            [this] { recordCommand(m_qln.fax.newRecord(*this)); });
    connect(btnSave, &QPushButton::clicked, this, &frmMain::save);
    connect(btnDelete, &QPushButton::clicked, this, [this] { deleteRec(m_qln.fax.curRec); });
    connect(btnPrev, &QPushButton::clicked, this,
            [this] { recordCommand(m_qln.fax.previous(*this)); });
    connect(btnNext, &QPushButton::clicked, this,
            [this] { recordCommand(m_qln.fax.next(*this)); });
}

frmMain::~frmMain()
{
    if (m_settings) {
        m_settings->discardWithoutSaving();
        delete m_settings;
    }
}

void frmMain::buildControls()
{
    auto *client = new QWidget(this);
    m_client = client;
    setCentralWidget(client);
    client->setFixedSize(twipsToPixels(ClientWidth, ClientHeight, this));

    using namespace controls;
    Label1 = label(client, "Label1", QStringLiteral("To:"), Label1Box);
    txtTo = textBox(client, "txtTo", txtToBox);
    txtFax = textBox(client, "txtFax", txtFaxBox);
    txtSubject = textBox(client, "txtSubject", txtSubjectBox);
    Label2 = label(client, "Label2", QStringLiteral("Fax:"), Label2Box);
    Label3 = label(client, "Label3", QStringLiteral("Subject"), Label3Box);
    Label4 = label(client, "Label4", QStringLiteral("Message"), Label4Box);
    txtMessage = multiLineTextBox(client, "txtMessage", txtMessageBox);
    btnSend = button(client, "btnSend", QStringLiteral("Send"), btnSendBox);
    lblStatus = display(client, "lblStatus", lblStatusBox);
    btnNew = button(client, "btnNew", QStringLiteral("New"), btnNewBox);
    btnSave = button(client, "btnSave", QStringLiteral("Save"), btnSaveBox);
    btnDelete = button(client, "btnDelete", QStringLiteral("Delete"), btnDeleteBox);
    btnPrev = button(client, "btnPrev", QStringLiteral("<"), btnPrevBox);
    btnNext = button(client, "btnNext", QStringLiteral(">"), btnNextBox);
    lblRecNum = display(client, "lblRecNum", lblRecNumBox);

    m_attachments =
        new AttachmentPanel(this, client, twipsToPixels(lstAttachmentsBox, this), *this);
    connect(m_attachments, &AttachmentPanel::shownChanged, this, &frmMain::fitClientArea);
    // A file dropped anywhere on the window is attached, not typed.
    for (QWidget *target : {static_cast<QWidget *>(this), static_cast<QWidget *>(txtTo),
                            static_cast<QWidget *>(txtFax), static_cast<QWidget *>(txtSubject),
                            txtMessage->viewport()})
        m_attachments->acceptDrops(target);

    QWidget *order[] = {txtTo,  txtFax,  txtSubject, txtMessage, btnSend,
                        btnNew, btnSave, btnDelete,  btnPrev,    btnNext};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmMain::fitClientArea()
{
    m_client->setFixedSize(twipsToPixels(
        ClientWidth, m_attachments->isEmpty() ? ClientHeight : ClientHeightWithStrip, this));
    setFixedSize(sizeHint());
}

void frmMain::attach(const QStringList &paths)
{
    m_attachments->attach(paths);
}

void frmMain::recordCommand(const QString &error)
{
    if (error.isEmpty())
        m_attachments->clear();
    reportError(error);
}

void frmMain::buildMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("Menu"));
    menu->setObjectName(QStringLiteral("mnuMenu"));
    menu->addAction(QStringLiteral("About"), this, &frmMain::about);
    menu->addAction(QStringLiteral("Settings"), this, &frmMain::showSettings);
    menu->addAction(QStringLiteral("Attach..."), this, [this] { m_attachments->chooseFiles(); });
    menu->addAction(QStringLiteral("Sent..."), this, &frmMain::showSent);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Exit"), this, &frmMain::endProgram);
    // The window's size is that of its client area plus the menu bar, and
    // the client area, below the menu bar, starts at the given point; the
    // frame lies outside both.
    adjustSize();
    setFixedSize(sizeHint());
    setGeometry(QRect(QPoint(twipsToPixels(ClientLeft, this),
                             twipsToPixels(ClientTop, this) - menuBar()->sizeHint().height()),
                      size()));
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
        return txtMessage->toPlainText().replace(u'\n', crlf);
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
        plain.replace(crlf, QStringLiteral("\n")).replace(u'\r', u'\n');
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

void frmMain::exclamation(const QString &text, const QString &title)
{
    plaintext::warning(this, title, text);
}

std::optional<SignInPrompt::Answer> frmMain::ask(const Account &account, bool keyringAvailable)
{
    frmSignIn window(account, keyringAvailable, this);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.answer();
}

std::optional<SignInPrompt::TokenAnswer> frmMain::askBrowser(const Account &account,
                                                             const OAuthProvider &provider,
                                                             bool keyringAvailable,
                                                             QString &failure)
{
    frmSignIn window(account, provider, keyringAvailable,
                     [](const QUrl &url) { return QDesktopServices::openUrl(url); }, this);
    if (window.exec() == QDialog::Accepted)
        return window.tokenAnswer();
    failure = window.failure();
    return std::nullopt;
}

void frmMain::notRemembered(const Account &account)
{
    plaintext::warning(this, QStringLiteral("Quillon"),
                       QStringLiteral("The keyring did not take the sign-in for %1, so Quillon "
                                      "keeps it only until it ends.")
                           .arg(account.host));
}

SettingsFields &frmMain::settingsFields()
{
    if (!m_settings) {
        m_settings = new frmSettings(m_qln.settings);
        if (const QString error = m_qln.settings.read(); !error.isEmpty())
            plaintext::warning(this, QStringLiteral("Quillon"), error);
        m_qln.settings.loadFields(*m_settings);
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

SmtpSession &frmMain::session()
{
    if (!m_session) {
        Winsock1 = new SslSmtpSocket({}, this);
        Winsock1->setObjectName(QStringLiteral("Winsock1"));
        m_keyring = std::make_unique<DesktopKeyring>();
        // The OAuth sign-in table: built in, and an organisation's own.
        QStringList problems;
        const QList<OAuthProvider> providers =
            oauthproviders::load(oauthproviders::iniFiles(m_qln.folder), problems);
        for (const QString &problem : problems)
            std::fprintf(stderr, "quillon: %s\n", qPrintable(problem));
        m_credentials = std::make_unique<CredentialStore>(*m_keyring, *this, providers);
        m_session = std::make_unique<SmtpSession>(*Winsock1, m_qln.sendParams, m_qln.statusText,
                                                  *this, *this, m_timeouts);
        m_session->setCredentialSource(m_credentials.get());
        m_sentFolder = std::make_unique<SentFolder>(m_qln.folder);
        m_sentCopy = std::make_unique<SentCopy>(*m_sentFolder);
        m_session->setMessageTap(m_sentCopy.get());
        connect(m_session.get(), &SmtpSession::finished, this, [this] {
            if (m_sent)
                m_sent->reload();
        });
    }
    return *m_session;
}

void frmMain::send()
{
    if (const QString wait = m_attachments->notReady(); !wait.isEmpty())
        return setStatus(wait);
    SmtpSession &exchange = session();
    // What was typed goes with the copy kept of what is sent.
    const QString fax = text::trim(text(DocField::Fax));
    int pages = 0;
    for (const documents::Document &d : m_attachments->documents())
        pages += d.pages();
    m_sentCopy->expect({text::trim(text(DocField::To)), fax,
                        fax.isEmpty() ? QString() : settingsFields().text(SettingsField::Provider),
                        pages});
    sendCommand(*this, settingsFields(), *this, m_qln.sendParams, m_qln.statusText, exchange,
                m_attachments->enclosures());
}

void frmMain::showSent()
{
    if (!m_sent) {
        m_sent = new frmSent(m_qln.folder, this);
        m_sent->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_sent, &frmSent::sendAgain, this, &frmMain::sendAgain);
    }
    m_sent->show();
    m_sent->raise();
    m_sent->activateWindow();
}

void frmMain::sendAgain(const stored::Message &message)
{
    if (const QString error = m_qln.fax.newRecord(*this); !error.isEmpty())
        return reportError(error);
    m_attachments->clear();
    const stored::Summary &s = message.summary;
    setText(DocField::To, s.to);
    setText(DocField::Fax, s.fax);
    setText(DocField::Subject, s.subject);
    setText(DocField::Message, message.text);
    if (!s.provider.isEmpty())
        settingsFields().setText(SettingsField::Provider, s.provider);
    if (!message.files.isEmpty()) {
        // Taken from the copy, so that moved or changed originals do not
        // matter; they live as long as Quillon runs.
        if (!m_resent)
            m_resent = std::make_unique<QTemporaryDir>();
        static int again = 0;
        const QString place = QDir(m_resent->path()).filePath(QString::number(++again));
        const QStringList files = stored::saveFiles(message.files, place);
        if (files.isEmpty())
            return reportError(QStringLiteral("The documents of this fax cannot be written to %1.")
                                   .arg(QDir::toNativeSeparators(place)));
        m_attachments->attach(files);
    }
    raise();
    activateWindow();
}

void frmMain::deleteRec(qint16 &recNum)
{
    // A full store takes about a second: the window keeps painting meanwhile,
    // while clicks and keys wait until the deletion is over.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString error = m_qln.fax.deleteRec(
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
    reportError(m_qln.fax.save(*this));
}

void frmMain::reportError(const QString &error)
{
    if (!error.isEmpty())
        plaintext::warning(this, QStringLiteral("Quillon"), error);
}

void frmMain::about()
{
    plaintext::messageBox(
        this, QMessageBox::Information, QStringLiteral("About Quillon"),
        QStringLiteral("Quillon %1\n\nSends faxes and e-mail through your SMTP "
                       "server and an e-mail-to-fax gateway.\n\nYour documents "
                       "and settings are kept in %2")
            .arg(QStringLiteral(QUILLON_VERSION), QDir::toNativeSeparators(m_qln.folder)));
}

void frmMain::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    // The settings are saved only when their own window is closed.
    if (m_settings)
        m_settings->discardWithoutSaving();
    programEnd(m_qln);
    Q_EMIT programEnded();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    endProgram();
    event->accept();
}
