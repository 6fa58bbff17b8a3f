// The desktop's notification service, org.freedesktop.Notifications on the
// session bus, as 「毎日のお知らせ」 uses it: a reminder (ui/model/reminders.h)
// handed over as one notification whose default action, a click on it,
// reports the reminder's day. Every call is asynchronous, so a missing or
// slow service never blocks the window; without a session bus or a
// service the reminder fails quietly, and the service's later arrival is
// reported so the window can try again.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>

#include "ui/model/reminders.h"

class QDBusServiceWatcher;

namespace kalendo {

// The notification's body: the reminder's lines, one a line, in UTF-8 as
// Qt holds it. A service that reads markup in the body ("body-markup"
// among its capabilities) gets "&", "<" and ">" escaped, so that a
// schedule named "<b>" or "A&B" shows as typed.
QString NotificationBody(const QStringList& lines, bool serviceReadsMarkup);

class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    explicit DesktopNotifier(QObject* parent = nullptr);

    // Asks the service's capabilities, then shows the reminder: delivered()
    // or failed() follows from the event loop.
    void Send(const Reminder& reminder);

signals:
    // The service took the notification of `day`.
    void delivered(QDate day);
    // No bus, no service, or the service refused it. Only after a failure
    // is the bus watched for the service: serviceAppeared() when one
    // registers.
    void failed();
    void serviceAppeared();
    // The user clicked the notification of `day`.
    void dayClicked(QDate day);

private slots:
    void OnActionInvoked(uint id, const QString& actionKey);

private:
    void Notify(const Reminder& reminder, bool markup);
    void Fail();

    std::map<uint, QDate> shown_;  // the notifications this window showed, by the service's id
    QDBusServiceWatcher* watcher_ = nullptr;
};

}  // namespace kalendo
