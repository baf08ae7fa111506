#include "ui/deliverynews.h"

#include "ui/statusline.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <QWidget>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

DeliveryNews::DeliveryNews(QWidget &window, StatusLine &statusLine)
    : QObject(&window), m_window(window), m_statusLine(statusLine)
{
}

void DeliveryNews::tell(const QString &news, const QString &copy)
{
    m_statusLine.setStatus(news);
    if (!m_window.isActiveWindow())
        notify(news, copy);
}

void DeliveryNews::notify(const QString &news, const QString &copy)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (!m_listening) {
        m_listening = bus.connect(Service, Path, Service, QStringLiteral("ActionInvoked"), this,
                                  SLOT(onAction(uint, QString))) &&
                      bus.connect(Service, Path, Service, QStringLiteral("NotificationClosed"),
                                  this, SLOT(onClosed(uint, uint)));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service,
                                                       QStringLiteral("Notify"));
    // The body may be read as markup: the number as typed is shown as text.
    call << QStringLiteral("Quillon") << uint(0) << QStringLiteral("org.quillon.Quillon")
         << QStringLiteral("Quillon") << news.toHtmlEscaped()
         << QStringList{QStringLiteral("default"), tr("Show")} << QVariantMap{} << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, copy](QDBusPendingCallWatcher *done) {
                const QDBusPendingReply<uint> reply = *done;
                if (reply.isValid())
                    m_shown.insert(reply.value(), {copy, reply.reply().service()});
                done->deleteLater();
            });
}

// Ids are the service's own: after it started anew, another one gives the
// same numbers to other programs' notifications. So an id counts only
// from the service that gave it.
std::optional<QString> DeliveryNews::takeShown(uint id)
{
    const auto shown = m_shown.constFind(id);
    if (shown == m_shown.cend() || !calledFromDBus() || message().service() != shown->service)
        return std::nullopt;
    const QString copy = shown->copy;
    m_shown.erase(shown);
    return copy;
}

void DeliveryNews::onClosed(uint id, uint)
{
    (void)takeShown(id);
}

void DeliveryNews::onAction(uint id, const QString &)
{
    if (const std::optional<QString> copy = takeShown(id))
        Q_EMIT showCopy(*copy);
}
