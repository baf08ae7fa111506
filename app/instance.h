#pragma once

#include "ui/newfax.h"

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

// One Quillon per data folder: two on one folder would each write the
// document file the other had just replaced, and documents would be lost.
// The first start holds a lock in the folder (and takes over one left by a
// run that crashed) and listens on a local socket named after the folder,
// in the user's private runtime folder. A later start hands its files to
// it and ends. A copy of Quillon with another data folder runs on its own.
// A lock that cannot be taken for another reason ends the start, unless
// nothing can write in the folder anyway.
class Instance : public QObject
{
    Q_OBJECT
public:
    explicit Instance(const QString &folder);

    enum class Role
    {
        First,  // this run has the folder
        Handed, // the running Quillon took the files; this run ends
        Failed, // another run has the folder and does not answer
    };
    // Takes the folder, or hands `fax` to the Quillon that has it.
    // `error` says why on Failed.
    Role claim(const NewFax &fax, QString &error);

    static inline const QString LockName = QStringLiteral("quillon.lock");
    // Where the running Quillon listens; empty when there is no private
    // folder for it.
    QString socketName() const { return m_socketName; }

Q_SIGNALS:
    // A later start handed over this fax (maybe no files, no fields):
    // open it and come to the front.
    void handedOver(const NewFax &fax);

private:
    void listen();
    void receive(QLocalSocket *socket);
    bool handOver(const NewFax &fax);

    QString m_folder;
    QString m_socketName;
    QLockFile m_lock;
    QLocalServer m_server;
};
