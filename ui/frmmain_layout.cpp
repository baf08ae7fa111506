#include "ui/frmmain.h"

#include "ui/attachmentpanel.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

// The window as drawn: its controls where the layout puts them, in twips,
// the menu, and the strip of documents that grows the window.

namespace {

constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 5700;
// With documents attached, the strip below the record buttons.
constexpr Twips lstAttachmentsBox{120, 5640, 4455, 1680};
constexpr int ClientHeightWithStrip = 7440;
constexpr int ClientLeft = 60;
constexpr int ClientTop = 1470;

constexpr Twips lblToBox{0, 240, 375, 255};
constexpr Twips txtToBox{720, 240, 3855, 315};
constexpr Twips txtFaxBox{720, 720, 3855, 315};
constexpr Twips txtSubjectBox{720, 1200, 3855, 315};
constexpr Twips lblFaxBox{0, 720, 495, 255};
constexpr Twips lblSubjectBox{0, 1200, 615, 375};
constexpr Twips lblMessageBox{1800, 1680, 1095, 255};
constexpr Twips txtMessageBox{120, 2040, 4455, 2535};
constexpr Twips btnSendBox{120, 4680, 615, 375};
constexpr Twips lblStatusBox{960, 4680, 3615, 375};
constexpr Twips btnNewBox{120, 5160, 615, 375};
constexpr Twips btnSaveBox{960, 5160, 615, 375};
constexpr Twips btnDeleteBox{1800, 5160, 615, 375};
constexpr Twips btnPrevBox{2880, 5160, 375, 375};
constexpr Twips btnNextBox{4200, 5160, 375, 375};
constexpr Twips lblRecNumBox{3360, 5160, 735, 375};

} // namespace

void frmMain::buildControls()
{
    auto *client = new QWidget(this);
    m_client = client;
    setCentralWidget(client);
    client->setFixedSize(twipsToPixels(ClientWidth, ClientHeight, this));

    using namespace controls;
    lblTo = label(client, "Label1", tr("To:"), lblToBox);
    txtTo = textBox(client, "txtTo", txtToBox);
    txtFax = textBox(client, "txtFax", txtFaxBox);
    txtSubject = textBox(client, "txtSubject", txtSubjectBox);
    lblFax = label(client, "Label2", tr("Fax:"), lblFaxBox);
    lblSubject = label(client, "Label3", tr("Subject"), lblSubjectBox);
    lblMessage = label(client, "Label4", tr("Message"), lblMessageBox);
    txtMessage = multiLineTextBox(client, "txtMessage", txtMessageBox);
    btnSend = button(client, "btnSend", tr("Send"), btnSendBox);
    lblStatus = display(client, "lblStatus", lblStatusBox);
    btnNew = button(client, "btnNew", tr("New"), btnNewBox);
    btnSave = button(client, "btnSave", tr("Save"), btnSaveBox);
    btnDelete = button(client, "btnDelete", tr("Delete"), btnDeleteBox);
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

    m_widerBy = controls::fitCaptions(client);
    client->setFixedSize(client->size() + QSize(m_widerBy, 0));

    QWidget *order[] = {txtTo,  txtFax,  txtSubject, txtMessage, btnSend,
                        btnNew, btnSave, btnDelete,  btnPrev,    btnNext};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmMain::fitClientArea()
{
    m_client->setFixedSize(
        twipsToPixels(ClientWidth, m_attachments->isEmpty() ? ClientHeight : ClientHeightWithStrip,
                      this) +
        QSize(m_widerBy, 0));
    setFixedSize(sizeHint());
}

void frmMain::buildMenu()
{
    QMenu *menu = menuBar()->addMenu(tr("Menu"));
    menu->setObjectName(QStringLiteral("mnuMenu"));
    menu->addAction(tr("About"), this, &frmMain::about);
    menu->addAction(tr("Settings"), this, &frmMain::showSettings);
    menu->addAction(tr("Attach..."), this, [this] { m_attachments->chooseFiles(); });
    menu->addAction(tr("Sent..."), this, &frmMain::showSent);
    menu->addSeparator();
    menu->addAction(tr("Exit"), this, &frmMain::endProgram);
    // The window's size is that of its client area plus the menu bar, and
    // the client area, below the menu bar, starts at the given point; the
    // frame lies outside both.
    adjustSize();
    setFixedSize(sizeHint());
    setGeometry(QRect(QPoint(twipsToPixels(ClientLeft, this),
                             twipsToPixels(ClientTop, this) - menuBar()->sizeHint().height()),
                      size()));
}
