#pragma once

#include <QDBusContext>
#include <QHash>
#include <QObject>

#include <optional>

class QWidget;
class StatusLine;

// Tells the user that a gateway reported on a fax: in the status line, and
// when Quillon's window is not the active one, in a desktop notification
// (org.freedesktop.Notifications), whose click shows that fax in the Sent
// window. The notification is asked for without waiting; a desktop with
// no notification service simply shows none.
class DeliveryNews : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    DeliveryNews(QWidget &window, StatusLine &statusLine);

    void tell(const QString &news, const QString &copy);

Q_SIGNALS:
    // The user clicked the notification about the fax copied as `copy`.
    void showCopy(const QString &copy);

private Q_SLOTS:
    void onAction(uint id, const QString &action);
    void onClosed(uint id, uint reason);

private:
    void notify(const QString &news, const QString &copy);
    // The fax of notification `id` when the service that showed it says
    // so, and forgets it.
    std::optional<QString> takeShown(uint id);

    struct Shown
    {
        QString copy;
        QString service; // the unique bus name of the service that showed it
    };

    QWidget &m_window;
    StatusLine &m_statusLine;
    // The notifications shown and not yet closed, by id.
    QHash<uint, Shown> m_shown;
    bool m_listening = false;
};
