#pragma once

#include <QHash>
#include <QObject>

class QWidget;
class StatusLine;

// Tells the user that a gateway reported on a fax: in the status line, and
// when Quillon's window is not the active one, in a desktop notification
// (org.freedesktop.Notifications), whose click shows that fax in the Sent
// window. The notification is asked for without waiting; a desktop with
// no notification service simply shows none.
class DeliveryNews : public QObject
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

private:
    void notify(const QString &news, const QString &copy);

    QWidget &m_window;
    StatusLine &m_statusLine;
    QHash<uint, QString> m_shown; // the notifications' ids, and their faxes
    bool m_listening = false;
};
