#pragma once

#include "smtp/session.h"
#include "store/datafiles.h"
#include "ui/newfax.h"

#include <QObject>
#include <QPointer>

#include <memory>

class PrintSpool;
class frmAgreement;
class frmMain;

// The running program: its data files and the windows, created and shown
// in the order start-up needs.
class Shell : public QObject
{
    Q_OBJECT
public:
    explicit Shell(const QString &folder, SmtpTimeouts timeouts = {});

    // The program's name and version, which its data folder and --version
    // take; call once the application exists.
    static void nameApplication();
    // Application-wide settings the windows expect, the name among them;
    // call once the QApplication exists.
    static void prepareApplication();
    ~Shell() override;

    // Opens the files, fills the windows and shows the first one. Empty, or
    // why the program cannot run.
    QString start();

    frmMain *mainWindow() const { return m_main.get(); }

    // A fax from the command line or from a later start: its files attached
    // (and, when fields are given, in a new, unsaved document) once the
    // main window shows (after the agreement, if that comes first), which
    // then comes to the front.
    void open(const NewFax &fax);
    void openFiles(const QStringList &files) { open(NewFax{{}, {}, {}, {}, {}, files}); }
    // The files named on a command line, as absolute paths.
    static QStringList filesFromArguments(const QStringList &arguments);
    frmAgreement *agreementWindow() const;
    DataFiles &files() { return m_files; }

Q_SIGNALS:
    // Every file is closed; the program should stop now.
    void ended();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void end();
    void showMain();
    // What the window needs once it is up: the printer's spool, the
    // report watch.
    void startBackground();

    QString m_folder;
    DataFiles m_files;
    std::unique_ptr<frmMain> m_main;
    QPointer<frmAgreement> m_agreement;
    QList<NewFax> m_pending;
    PrintSpool *m_spool = nullptr; // made once the main window is first painted
    bool m_ended = false;
};
