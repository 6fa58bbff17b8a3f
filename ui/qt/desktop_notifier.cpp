#include "ui/qt/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

#include "ui/model/reminder_texts.h"
#include "ui/qt/desktop_entry.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notification's body invokes.
const QString kDefaultAction = QStringLiteral("default");
// The service's own default time for the notification to stay.
constexpr int kServiceExpiry = -1;

QDate QDateOf(const CalendarDate& d) { return QDate(d.year, d.month, d.day); }

}  // namespace

QString NotificationBody(const QStringList& lines, bool serviceReadsMarkup) {
    const QString body = lines.join(QLatin1Char('\n'));
    return serviceReadsMarkup ? body.toHtmlEscaped() : body;
}

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                    SLOT(OnActionInvoked(uint, QString)));
    }
}

void DesktopNotifier::Send(const Reminder& reminder) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        Fail();
        return;
    }
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                            QStringLiteral("GetCapabilities"));
    auto* watch = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
    connect(watch, &QDBusPendingCallWatcher::finished, this, [this, watch, reminder] {
        watch->deleteLater();
        const QDBusPendingReply<QStringList> capabilities = *watch;
        if (capabilities.isError()) {
            Fail();
            return;
        }
        Notify(reminder, capabilities.value().contains(QStringLiteral("body-markup")));
    });
}

void DesktopNotifier::Notify(const Reminder& reminder, bool markup) {
    QStringList lines;
    for (const std::string& line : reminder.lines) lines << ToQt(line);
    QVariantMap hints;
    // The desktop entry names the program and its icon in the service's
    // lists and settings.
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntryName));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Kalendo2") << uint(0) << QString::fromLatin1(kDesktopEntryName) << ToQt(reminder.summary)
         << NotificationBody(lines, markup) << QStringList{kDefaultAction, ToQt(kReminderOpenAction)} << hints
         << kServiceExpiry;
    auto* watch = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    const QDate day = QDateOf(reminder.day);
    connect(watch, &QDBusPendingCallWatcher::finished, this, [this, watch, day] {
        watch->deleteLater();
        const QDBusPendingReply<uint> id = *watch;
        if (id.isError()) {
            Fail();
            return;
        }
        shown_[id.value()] = day;
        emit delivered(day);
    });
}

void DesktopNotifier::Fail() {
    // The service may start later than the window (a log-on start before
    // the desktop's own): its registration on the bus is news, not a time
    // to poll for.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (watcher_ == nullptr && bus.isConnected()) {
        watcher_ = new QDBusServiceWatcher(kService, bus, QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher_, &QDBusServiceWatcher::serviceRegistered, this, &DesktopNotifier::serviceAppeared);
    }
    emit failed();
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& actionKey) {
    const auto it = shown_.find(id);
    if (it == shown_.end() || actionKey != kDefaultAction) return;
    emit dayClicked(it->second);
}

}  // namespace kalendo
