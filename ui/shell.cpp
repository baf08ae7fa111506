#include "ui/shell.h"

#include "ui/frmagreement.h"
#include "print/printspool.h"
#include "ui/frmmain.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QProxyStyle>
#include <QTimer>
#include <QUrl>

#include <malloc.h>

namespace {

// Qt finds the reader of a picture it ships by asking every image plugin
// installed, loading each (PDF, TIFF and WebP among them, with their
// libraries). A menu bar asks for its overflow button's picture when it is
// made, although in a window of fixed size that button never shows: it
// gets none, and the plugins load only when a picture is first needed.
class NoOverflowPicture : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

Shell::Shell(const QString &folder, SmtpTimeouts timeouts)
    : m_folder(folder), m_main(std::make_unique<frmMain>(m_files, timeouts))
{
    connect(m_main.get(), &frmMain::programEnded, this, &Shell::end);
}

void Shell::nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillon"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    // Desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
}

void Shell::prepareApplication()
{
    nameApplication();
    // Closing the last window is not the end: the agreement window closes
    // before the main window opens, and the program ends on its own terms.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new NoOverflowPicture);
    // A record's message is shown with its pad spaces, and laying out those
    // 10,000 characters takes a 345 KB buffer for a moment. Left alone,
    // glibc would then raise the size from which blocks get pages of their
    // own and keep buffers like it in the heap, half a megabyte held for as
    // long as Quillon runs; at a fixed threshold they go back at once.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // The layouts were drawn for a small 8-point face.
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    QApplication::setFont(font);
}

Shell::~Shell()
{
    delete m_agreement;
    programEnd(m_files);
}

frmAgreement *Shell::agreementWindow() const
{
    return m_agreement;
}

QString Shell::start()
{
    const StartupResult result = startup(m_files, m_folder, *m_main, [this]() -> SettingsFields & {
        return m_main->settingsFields();
    });
    if (!result.error.isEmpty())
        return result.error;

    if (result.firstWindow == FirstWindow::Main) {
        showMain();
        return {};
    }
    m_agreement = new frmAgreement(m_folder);
    connect(m_agreement, &frmAgreement::agreed, this, &Shell::showMain);
    connect(m_agreement, &frmAgreement::declined, this, &Shell::end);
    m_agreement->show();
    return {};
}

void Shell::showMain()
{
    // Nothing but the window before the user sees it: the rest starts
    // when it is first painted, or soon, on a platform that paints late.
    if (!m_spool) {
        m_main->installEventFilter(this);
        QTimer::singleShot(std::chrono::milliseconds(500), this, &Shell::startBackground);
    }
    m_main->show();
    for (const NewFax &fax : std::exchange(m_pending, {}))
        open(fax);
}

bool Shell::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_main.get() && event->type() == QEvent::Paint)
        QTimer::singleShot(0, this, &Shell::startBackground);
    return QObject::eventFilter(watched, event);
}

void Shell::startBackground()
{
    if (m_spool || m_ended)
        return;
    m_main->removeEventFilter(this);
    // The window icon, in the sizes window systems ask for: PNG pictures
    // read as PNG, so that no SVG renderer is needed. Reading any picture
    // looks through every image plugin installed first, which the first
    // paint need not wait for: the window system takes the icon a moment
    // later.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QImageReader png(QStringLiteral(":/icons/%1.png").arg(size), "png");
        png.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(png.read()));
    }
    QApplication::setWindowIcon(icon);
    // Documents printed to the "Quillon" printer, those waiting first.
    m_spool = new PrintSpool(m_folder, PrintSpool::userFolder(), this);
    connect(m_spool, &PrintSpool::printed, m_main.get(), &frmMain::printed);
    connect(m_spool, &PrintSpool::failed, m_main.get(), &frmMain::setStatus);
    m_spool->start();
    // Faxes sent in an earlier run may still wait for their reports.
    QTimer::singleShot(std::chrono::seconds(2), m_main.get(), &frmMain::watchReports);
}

void Shell::open(const NewFax &fax)
{
    if (!m_main->isVisible()) {
        m_pending.append(fax);
        if (m_agreement) {
            m_agreement->raise();
            m_agreement->activateWindow();
        }
        return;
    }
    if (fax.hasFields())
        m_main->compose(fax);
    else
        m_main->attach(fax.files);
    m_main->setWindowState((m_main->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_main->raise();
    m_main->activateWindow();
}

QStringList Shell::filesFromArguments(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments) {
        // Some launchers pass file:// addresses.
        const QUrl url(argument);
        files.append(QFileInfo(url.isLocalFile() ? url.toLocalFile() : argument).absoluteFilePath());
    }
    return files;
}

void Shell::end()
{
    if (m_ended)
        return;
    m_ended = true;
    programEnd(m_files);
    Q_EMIT ended();
}
