#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>

// Where printed jobs reach Quillon: the "Quillon" printer's backend puts
// each as a PDF into /var/spool/quillon/USER/ (the user's, 0700), named
// after the job's title once it is whole. The spool
// watches that folder (and its parent until it appears with the first
// job), and takes each new file that is not hidden into the data folder's
// Printed/ (copied then removed: the spool is on another file system),
// where it belongs to Quillon. Nothing else in the spool is touched.
class PrintSpool : public QObject
{
    Q_OBJECT
public:
    // The spool folder of the user this program runs as, in
    // /var/spool/quillon (or $QUILLON_SPOOL, a test's own).
    static QString userFolder();
    // The folder printed documents are kept in while they are attached.
    static QString printedFolder(const QString &dataFolder);

    PrintSpool(const QString &dataFolder, const QString &userFolder, QObject *parent = nullptr);

    // Takes what is waiting now, and from then on what comes.
    void start();

Q_SIGNALS:
    // A printed document, now at `path` in Printed/.
    void printed(const QString &path);
    // A printed job could not be taken: why, in plain words.
    void failed(const QString &why);

private:
    void watch();
    void takeWaiting();
    // Moves one job into Printed/; its new path, or empty on failure.
    QString take(const QString &file);

    QString m_printed;
    QString m_folder;
    QFileSystemWatcher m_watcher;
};
