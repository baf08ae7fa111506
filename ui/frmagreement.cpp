#include "ui/frmagreement.h"

#include "store/datafiles.h"
#include "ui/controls.h"
#include "ui/plaintext.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>

namespace {

constexpr int ClientWidth = 8190;
constexpr int ClientHeight = 7785;

constexpr Twips cmdYesBox{960, 7080, 1215, 495};
constexpr Twips cmdNoBox{5760, 7080, 1215, 495};
constexpr Twips txtAgreementBox{600, 720, 6735, 5895};

} // namespace

frmAgreement::frmAgreement(const QString &folder) : m_folder(folder)
{
    setObjectName(QStringLiteral("frmAgreement"));
    setWindowTitle(tr("Agreement"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmdYes = controls::button(this, "cmdYes", tr("I agree"), cmdYesBox);
    cmdNo = controls::button(this, "cmdNo", tr("I do not agree"), cmdNoBox);
    txtAgreement = controls::multiLineTextBox(this, "txtAgreement", txtAgreementBox);
    txtAgreement->setPlainText(
        QString(agreementText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    setTabOrder(cmdYes, cmdNo);
    setTabOrder(cmdNo, txtAgreement);
    cmdYes->setFocus();
    setFixedSize(twipsToPixels(ClientWidth, ClientHeight, this) +
                 QSize(controls::fitCaptions(this), 0));

    connect(cmdYes, &QPushButton::clicked, this, &frmAgreement::cmdYes_Click);
    connect(cmdNo, &QPushButton::clicked, this, &frmAgreement::declined);
}

QString frmAgreement::agreementText()
{
    // Paragraphs, each with its own line breaks, an empty line between them.
    const QStringList paragraphs = {
        tr("USER LICENSE AGREEMENT"),
        tr("This agreement is a legal agreement between you and the Quillon\n"
           "corporation for the use of its fax and e-mail services."),
        tr("Rights"),
        tr("You may use the Quillon products and services during the terms of this\n"
           "agreement."),
        tr("Limitations"),
        tr("You may not use the products or services to harm, harass or defraud\n"
           "anyone, nor to send material you have no right to send.\n"
           "You may not reverse engineer, decompile or disassemble the products.\n"
           "You may not resell or sublicense the products or services. "),
        tr("Terms"),
        tr("You may use the services during the terms you have paid for in advance."),
        tr("Copyrights"),
        tr("All title and intellectual property rights in and to the products and\n"
           "their accompanying materials are owned by the Quillon corporation."),
        tr("Limitation of Liability"),
        tr("To the maximum extent permitted by applicable law, in no event shall the Quillon "
           "corporation or its suppliers be liable for any special, incidental, indirect or "
           "consequential damages whatsoever, including without limitation damages for loss "
           "of business profits, business interruption, loss of business information or any "
           "other pecuniary loss, arising out of the use of or inability to use the products "
           "or services, even if the Quillon corporation has been advised of the possibility "
           "of such damages."),
    };
    return paragraphs.join(QStringLiteral("\n\n")).replace(u'\n', QStringLiteral("\r\n"));
}

void frmAgreement::cmdYes_Click()
{
    QSaveFile marker(QDir(m_folder).filePath(AgreementMarker));
    // Like every data file, readable by its owner only.
    if (!marker.open(QIODevice::WriteOnly) ||
        !marker.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        marker.write("    ") != 4 || !marker.commit())
        plaintext::warning(
            this, QStringLiteral("Quillon"),
            tr("Your agreement could not be recorded in %1: %2. "
               "You will be asked again at the next start.")
                .arg(QDir::toNativeSeparators(marker.fileName()), marker.errorString()));
    m_agreed = true;
    hide();
    Q_EMIT agreed();
    close();
}

void frmAgreement::closeEvent(QCloseEvent *event)
{
    // Closed through its frame the window is refused like the button, or the
    // program would keep running with no window shown.
    if (!m_agreed)
        Q_EMIT declined();
    event->accept();
}
