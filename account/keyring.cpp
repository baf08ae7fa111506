#include "account/keyring.h"

#include <QPointer>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <memory>

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

void readWithin(Keyring &keyring, const QString &key, std::chrono::milliseconds wait,
                QObject *context, std::function<void(Keyring::Result, QByteArray)> done)
{
    auto decided = std::make_shared<bool>(false);
    QTimer::singleShot(wait, context, [decided, done] {
        if (!std::exchange(*decided, true))
            done(Keyring::Result::Unavailable, {});
    });
    QPointer<QObject> alive(context);
    keyring.read(key, [alive, decided, done](Keyring::Result result, const QByteArray &secret) {
        if (alive && !std::exchange(*decided, true))
            done(result, secret);
    });
}

QByteArray joinedSecret(const QString &user, const QString &secret)
{
    return user.toUtf8() + '\0' + secret.toUtf8();
}

std::optional<std::pair<QString, QString>> splitSecret(const QByteArray &joined)
{
    const qsizetype nul = joined.indexOf('\0');
    if (nul < 0)
        return std::nullopt;
    return std::pair{QString::fromUtf8(joined.left(nul)), QString::fromUtf8(joined.mid(nul + 1))};
}

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
