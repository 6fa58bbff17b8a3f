#include "ui/qt/desktop_colours.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEvent>
#include <QPalette>

#include "ui/model/colour_scheme.h"

namespace kalendo {
namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColorScheme = QStringLiteral("color-scheme");
// The portal answers at once or not at all; a start-up never waits longer.
constexpr int kPortalTimeoutMs = 200;

// The setting's value: an unsigned 32-bit number, which Read (the older
// call) wraps in one variant more than ReadOne.
std::optional<int> PortalNumber(QVariant value) {
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    bool ok = false;
    const uint number = value.toUInt(&ok);
    if (!ok) return std::nullopt;
    return static_cast<int>(number);
}

std::optional<int> ReadPortal() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kPortalService).value()) return std::nullopt;
    for (const QString& method : {QStringLiteral("ReadOne"), QStringLiteral("Read")}) {
        QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kSettingsInterface, method);
        call << kAppearance << kColorScheme;
        const QDBusMessage reply = bus.call(call, QDBus::Block, kPortalTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            return PortalNumber(reply.arguments().front());
        }
    }
    return std::nullopt;
}

Rgb WindowColour() {
    const QColor c = QApplication::palette().color(QPalette::Active, QPalette::Window);
    return Rgb{c.red(), c.green(), c.blue()};
}

}  // namespace

DesktopColours::DesktopColours(bool usePortal, QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
    if (!usePortal) return;
    portal_ = ReadPortal();
    QDBusConnection::sessionBus().connect(kPortalService, kPortalPath, kSettingsInterface,
                                          QStringLiteral("SettingChanged"), this,
                                          SLOT(OnSettingChanged(QString, QString, QDBusVariant)));
}

bool DesktopColours::prefersDark() const { return DesktopPrefersDark(portal_, WindowColour()); }

bool DesktopColours::eventFilter(QObject* watched, QEvent* event) {
    // Another palette (a theme switched, qt6ct's scheme changed) may turn
    // the desktop dark or light where no portal says so.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) emit changed();
    return QObject::eventFilter(watched, event);
}

void DesktopColours::OnSettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value) {
    if (nameSpace != kAppearance || key != kColorScheme) return;
    portal_ = PortalNumber(value.variant());
    emit changed();
}

}  // namespace kalendo
