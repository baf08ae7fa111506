#include "keyring.h"

#include <qt6keychain/keychain.h>

namespace {

const QString service = QStringLiteral("Quillon");

template <typename JobType> JobType *newJob(const QString &key)
{
    auto *job = new JobType(service); // deletes itself when finished
    job->setKey(key);
    // Never a plain file instead of the keyring.
    job->setInsecureFallback(false);
    return job;
}

} // namespace

void DesktopKeyring::read(const QString &key, std::function<void(Result, QByteArray)> done)
{
    auto *job = newJob<QKeychain::ReadPasswordJob>(key);
    QObject::connect(job, &QKeychain::Job::finished, job, [job, done = std::move(done)] {
        switch (job->error()) {
        case QKeychain::NoError:
            return done(Result::Found, job->binaryData());
        case QKeychain::EntryNotFound:
            return done(Result::NotFound, {});
        default:
            return done(Result::Unavailable, {});
        }
    });
    job->start();
}

void DesktopKeyring::write(const QString &key, const QByteArray &secret,
                           std::function<void(bool)> done)
{
    auto *job = newJob<QKeychain::WritePasswordJob>(key);
    job->setBinaryData(secret);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [job, done = std::move(done)] { done(job->error() == QKeychain::NoError); });
    job->start();
}

void DesktopKeyring::remove(const QString &key)
{
    newJob<QKeychain::DeletePasswordJob>(key)->start();
}
