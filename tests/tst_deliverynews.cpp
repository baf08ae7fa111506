#include "privatebus.h"
#include "ui/deliverynews.h"
#include "ui/statusline.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QtTest>
#include <QWidget>

namespace {

// The desktop's notification service, as the test plays it.
class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public Q_SLOTS:
    uint Notify(const QString &app, uint, const QString &, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &, int)
    {
        shown.append(app + u'|' + summary + u'|' + body + u'|' + actions.join(u','));
        return next++;
    }

public:
    QStringList shown;
    uint next = 7;
};

QDBusMessage signal(const char *name, uint id)
{
    QDBusMessage m = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                QStringLiteral("org.freedesktop.Notifications"),
                                                QLatin1StringView(name));
    m << id;
    if (QByteArrayView(name) == "ActionInvoked")
        m << QStringLiteral("default");
    else
        m << 2u; // dismissed by the user
    return m;
}

struct Status : StatusLine
{
    void setStatus(const QString &t) override { text = t; }
    QString text;
};

} // namespace

// A report's news: the status line always; a notification when the
// window is not active, whose click shows the fax.
class tst_DeliveryNews : public QObject
{
    Q_OBJECT
    PrivateBus m_bus;
    Notifications m_service;

private Q_SLOTS:
    void initTestCase()
    {
        const QString error = m_bus.start(false);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void notifiedWhenInactive()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QWidget window;
        Status status;
        DeliveryNews news(window, status);
        QSignalSpy show(&news, &DeliveryNews::showCopy);
        news.tell(QStringLiteral("Delivered: 0123 <456> 789, 3 pages."), QStringLiteral("copy1"));
        QCOMPARE(status.text, QStringLiteral("Delivered: 0123 <456> 789, 3 pages."));
        // The call goes out without waiting; a busy machine may take a while.
        QTRY_COMPARE_WITH_TIMEOUT(
            m_service.shown,
            QStringList{QStringLiteral("Quillon|Quillon|Delivered: 0123 &lt;456&gt; 789, "
                                       "3 pages.|default,Show")},
            20000);
        // A click on it: the service says which notification.
        QDBusMessage clicked = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
        clicked << 7u << QStringLiteral("default");
        // Clicked until heard: the service's answer with the id and the bus's
        // match for the signal both arrive in their own time. A click heard
        // once is taken, so the ones after it change nothing.
        QTRY_VERIFY_WITH_TIMEOUT(bus.send(clicked) && show.size() == 1, 20000);
        QVERIFY(bus.send(clicked));
        QTest::qWait(200);
        QCOMPARE(show.size(), 1);
        QCOMPARE(show[0][0].toString(), QStringLiteral("copy1"));

        // A notification closed, or one shown before the service started
        // anew (whose id it gives to others now), opens nothing. The click
        // on a notification shown since, heard, says the bus has passed
        // on all that was sent before it.
        news.tell(QStringLiteral("Delivered: 1."), QStringLiteral("copy8"));
        news.tell(QStringLiteral("Delivered: 2."), QStringLiteral("copy9"));
        QTRY_COMPARE_WITH_TIMEOUT(m_service.shown.size(), 3, 20000);
        QVERIFY(bus.send(signal("NotificationClosed", 8)));
        QTRY_VERIFY_WITH_TIMEOUT(bus.send(signal("ActionInvoked", 9)) && show.size() == 2, 20000);
        QVERIFY(bus.send(signal("ActionInvoked", 8)));
        news.tell(QStringLiteral("Delivered: 3."), QStringLiteral("copy10"));
        QTRY_COMPARE_WITH_TIMEOUT(m_service.shown.size(), 4, 20000);
        QVERIFY(bus.unregisterService(QStringLiteral("org.freedesktop.Notifications")));
        QDBusConnection restarted =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("restarted"));
        QVERIFY(restarted.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_service,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(restarted.registerService(QStringLiteral("org.freedesktop.Notifications")));
        news.tell(QStringLiteral("Delivered: 4."), QStringLiteral("copy11"));
        QTRY_COMPARE_WITH_TIMEOUT(m_service.shown.size(), 5, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(restarted.send(signal("ActionInvoked", 11)) && show.size() == 3, 20000);
        QVERIFY(restarted.send(signal("ActionInvoked", 10)));
        QTest::qWait(200);
        QCOMPARE(show.size(), 3);
        QCOMPARE(show[1][0].toString(), QStringLiteral("copy9"));
        QCOMPARE(show[2][0].toString(), QStringLiteral("copy11"));

        // No service on the desktop: the status line alone, and no error.
        QVERIFY(restarted.unregisterService(QStringLiteral("org.freedesktop.Notifications")));
        news.tell(QStringLiteral("Not delivered to 0123 456 789: busy"), QStringLiteral("copy2"));
        QCOMPARE(status.text, QStringLiteral("Not delivered to 0123 456 789: busy"));
        QTest::qWait(200);
        QCOMPARE(m_service.shown.size(), 5);
    }
};

QTEST_MAIN(tst_DeliveryNews)
#include "tst_deliverynews.moc"
