#include "ui/frmsettings.h"

#include "account/serveraddress.h"
#include "outbox/providers.h"
#include "store/settingsstore.h"
#include "ui/controls.h"
#include "ui/plaintext.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 3090;
constexpr int ClientLeft = 5055; // just right of the main window
constexpr int ClientTop = 1185;

constexpr Twips Label1Box{120, 240, 1215, 255};
constexpr Twips txtSMTPServerBox{1560, 120, 3015, 375};
constexpr Twips Label2Box{120, 720, 1215, 255};
constexpr Twips txtEmailBox{1560, 600, 3015, 375};
constexpr Twips Label3Box{120, 1200, 1215, 375};
constexpr Twips cmbProviderBox{1560, 1080, 1575, 315};
constexpr Twips Label4Box{120, 1680, 1215, 495};
constexpr Twips txtAcodBox{1560, 1560, 3015, 375};
// Delivery reports, below the rest.
constexpr Twips Label5Box{120, 2160, 1215, 255};
constexpr Twips txtImapServerBox{1560, 2040, 3015, 375};
constexpr Twips chkReportsBox{1560, 2520, 3015, 375};

} // namespace

frmSettings::frmSettings(SettingsStore &store, const QString &dataFolder)
    : m_store(store), m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(tr("Settings"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_texts[int(SettingsField::Provider)] = QStringLiteral("TPC.NET");
    setFixedSize(twipsToPixels(ClientWidth, ClientHeight, this));
    // The client area, not the frame, starts at the given point.
    setGeometry(
        QRect(QPoint(twipsToPixels(ClientLeft, this), twipsToPixels(ClientTop, this)), size()));
}

void frmSettings::buildControls()
{
    using namespace controls;
    Label1 = label(this, "Label1", tr("SMTP Server"), Label1Box);
    txtSMTPServer = textBox(this, "txtSMTPServer", txtSMTPServerBox);
    Label2 = label(this, "Label2", tr("E-mail"), Label2Box);
    txtEmail = textBox(this, "txtEmail", txtEmailBox);
    Label3 = label(this, "Label3", tr("IFS Provider"), Label3Box);
    cmbProvider = new QComboBox(this);
    cmbProvider->setEditable(true);
    cmbProvider->setInsertPolicy(QComboBox::NoInsert);
    for (const providers::Row &row : providers::table())
        cmbProvider->addItem(row.name);
    place(cmbProvider, "cmbProvider", cmbProviderBox);
    Label4 = label(this, "Label4", tr("Activation Cod"), Label4Box);
    txtAcod = textBox(this, "txtAcod", txtAcodBox);

    Label5 = label(this, "Label5", tr("IMAP Server"), Label5Box);
    txtImapServer = textBox(this, "txtImapServer", txtImapServerBox);
    chkReports = new QCheckBox(tr("Watch for delivery reports"), this);
    place(chkReports, "chkReports", chkReportsBox);
    const ReportSettings reports = reportsettings::load(m_dataFolder);
    txtImapServer->setText(reports.imapServer);
    chkReports->setChecked(reports.watch);
    auto propose = [this] {
        txtImapServer->setPlaceholderText(proposedImapServer(txtSMTPServer->text()));
    };
    connect(txtSMTPServer, &QLineEdit::textChanged, this, propose);

    setTabOrder(txtSMTPServer, txtEmail);
    setTabOrder(txtEmail, cmbProvider);
    setTabOrder(cmbProvider, txtAcod);
    setTabOrder(txtAcod, txtImapServer);
    setTabOrder(txtImapServer, chkReports);

    for (SettingsField f : {SettingsField::SmtpServer, SettingsField::Email, SettingsField::Acod,
                            SettingsField::Provider})
        setText(f, m_texts[int(f)]);
    propose();
}

QString frmSettings::proposedImapServer(const QString &smtpServer)
{
    const std::optional<ServerAddress> smtp = ServerAddress::parse(smtpServer.trimmed());
    // An address names no domain to guess from.
    const QString last = smtp ? smtp->host.section(u'.', -1) : QString();
    if (!smtp || smtp->host.contains(u':') || !smtp->host.contains(u'.') ||
        std::all_of(last.cbegin(), last.cend(), [](QChar c) { return c.isDigit(); }))
        return {};
    const QString host = smtp->host.toLower();
    if (host == u"smtp.office365.com" || host == u"smtp-mail.outlook.com")
        return QStringLiteral("outlook.office365.com");
    // Otherwise the SMTP server's domain ("smtp.gmail.com" → imap.gmail.com).
    const QString domain = host.count(u'.') >= 2 ? host.section(u'.', 1) : host;
    return QStringLiteral("imap.") + domain;
}

void frmSettings::setVisible(bool visible)
{
    if (visible && !txtSMTPServer) {
        buildControls();
        if (const int wider = controls::fitCaptions(this); wider > 0)
            setFixedSize(width() + wider, height());
    }
    QWidget::setVisible(visible);
}

QString frmSettings::text(SettingsField field) const
{
    if (!txtSMTPServer)
        return m_texts[int(field)];
    switch (field) {
    case SettingsField::SmtpServer:
        return txtSMTPServer->text();
    case SettingsField::Email:
        return txtEmail->text();
    case SettingsField::Acod:
        return txtAcod->text();
    case SettingsField::Provider:
        return cmbProvider->currentText();
    }
    return {};
}

void frmSettings::setText(SettingsField field, const QString &text)
{
    if (!txtSMTPServer) {
        m_texts[int(field)] = text;
        return;
    }
    switch (field) {
    case SettingsField::SmtpServer:
        txtSMTPServer->setText(text);
        break;
    case SettingsField::Email:
        txtEmail->setText(text);
        break;
    case SettingsField::Acod:
        txtAcod->setText(text);
        break;
    case SettingsField::Provider:
        cmbProvider->setCurrentText(text);
        break;
    }
}

void frmSettings::closeEvent(QCloseEvent *event)
{
    if (m_saveOnClose) {
        m_store.storeFields(*this);
        QString error = m_store.write();
        if (error.isEmpty() && txtImapServer)
            error = reportsettings::save(
                m_dataFolder, ReportSettings{txtImapServer->text().trimmed(), chkReports->isChecked()});
        if (!error.isEmpty())
            plaintext::warning(this, QStringLiteral("Quillon"), error);
        else
            Q_EMIT saved();
    }
    event->accept();
}
