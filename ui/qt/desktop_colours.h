// Whether the desktop is dark, and news when that changes: the freedesktop
// settings portal's org.freedesktop.appearance color-scheme (read at start
// and followed through its SettingChanged signal), and, where no portal
// states a preference, the application palette's window colour (qt6ct's
// and the dark styles' palettes, changed while the program runs).
#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QDBusVariant;

namespace kalendo {

class DesktopColours : public QObject {
    Q_OBJECT

public:
    // `usePortal` false: the palette alone (the tests, which must not
    // depend on the machine's desktop).
    DesktopColours(bool usePortal, QObject* parent);

    // DesktopPrefersDark of what was last heard.
    bool prefersDark() const;

signals:
    // The answer of prefersDark() may have changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void OnSettingChanged(const QString& nameSpace, const QString& key, const QDBusVariant& value);

private:
    std::optional<int> portal_;  // the portal's color-scheme; nullopt without one
};

}  // namespace kalendo
