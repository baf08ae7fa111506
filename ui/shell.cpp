#include "shell.h"

#include "frmagreement.h"
#include "frmmain.h"

#include <QApplication>

Shell::Shell(const QString &folder, SmtpTimeouts timeouts)
    : m_folder(folder), m_main(std::make_unique<frmMain>(m_qln, timeouts))
{
    connect(m_main.get(), &frmMain::programEnded, this, &Shell::end);
}

void Shell::prepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    // Closing the last window is not the end: the agreement window closes
    // before the main window opens, and the program ends on its own terms.
    QApplication::setQuitOnLastWindowClosed(false);
    // The layouts were drawn for a small 8-point face.
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    QApplication::setFont(font);
}

Shell::~Shell()
{
    delete m_agreement;
    programEnd(m_qln);
}

frmAgreement *Shell::agreementWindow() const
{
    return m_agreement;
}

QString Shell::start()
{
    const StartupResult result = startup(m_qln, m_folder, *m_main, [this]() -> SettingsFields & {
        return m_main->settingsFields();
    });
    if (!result.error.isEmpty())
        return result.error;

    if (result.firstWindow == FirstWindow::Main) {
        m_main->show();
        return {};
    }
    m_agreement = new frmAgreement(m_folder);
    connect(m_agreement, &frmAgreement::agreed, m_main.get(), &QWidget::show);
    connect(m_agreement, &frmAgreement::declined, this, &Shell::end);
    m_agreement->show();
    return {};
}

void Shell::end()
{
    if (m_ended)
        return;
    m_ended = true;
    programEnd(m_qln);
    Q_EMIT ended();
}
