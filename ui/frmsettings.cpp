#include "ui/frmsettings.h"

#include "outbox/providers.h"
#include "store/settingsstore.h"
#include "ui/controls.h"
#include "ui/plaintext.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 2190;
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

} // namespace

frmSettings::frmSettings(SettingsStore &store) : m_store(store)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
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
    Label1 = label(this, "Label1", QStringLiteral("SMTP Server"), Label1Box);
    txtSMTPServer = textBox(this, "txtSMTPServer", txtSMTPServerBox);
    Label2 = label(this, "Label2", QStringLiteral("E-mail"), Label2Box);
    txtEmail = textBox(this, "txtEmail", txtEmailBox);
    Label3 = label(this, "Label3", QStringLiteral("IFS Provider"), Label3Box);
    cmbProvider = new QComboBox(this);
    cmbProvider->setEditable(true);
    cmbProvider->setInsertPolicy(QComboBox::NoInsert);
    for (const providers::Row &row : providers::table())
        cmbProvider->addItem(row.name);
    place(cmbProvider, "cmbProvider", cmbProviderBox);
    Label4 = label(this, "Label4", QStringLiteral("Activation Cod"), Label4Box);
    txtAcod = textBox(this, "txtAcod", txtAcodBox);

    setTabOrder(txtSMTPServer, txtEmail);
    setTabOrder(txtEmail, cmbProvider);
    setTabOrder(cmbProvider, txtAcod);

    for (SettingsField f : {SettingsField::SmtpServer, SettingsField::Email, SettingsField::Acod,
                            SettingsField::Provider})
        setText(f, m_texts[int(f)]);
}

void frmSettings::setVisible(bool visible)
{
    if (visible && !txtSMTPServer)
        buildControls();
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
        if (const QString error = m_store.write(); !error.isEmpty())
            plaintext::warning(this, QStringLiteral("Quillon"), error);
    }
    event->accept();
}
