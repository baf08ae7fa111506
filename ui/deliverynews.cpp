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
                                  SLOT(onAction(uint, QString)));
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
                    m_shown.insert(reply.value(), copy);
                done->deleteLater();
            });
}

void DeliveryNews::onAction(uint id, const QString &)
{
    const QString copy = m_shown.take(id);
    if (!copy.isEmpty())
        Q_EMIT showCopy(copy);
}
