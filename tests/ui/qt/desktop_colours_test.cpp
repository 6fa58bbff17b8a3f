// The window in the desktop's colours: a dark palette or the settings
// portal turns the grid, panes and lists dark at once, 「配色」 overrides the
// desktop, and the dark window's screenshot is dark as a whole.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <numeric>

#include "gui_fixture.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/desktop_colours.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

const QPalette kDarkDesktop(QColor(53, 53, 53));  // as qt6ct's dark schemes give it
const QPalette kLightDesktop(QColor(239, 239, 239));

double MeanGrey(const QImage& shot) {  // 0 black to 1 white
    const QImage grey = shot.convertToFormat(QImage::Format_Grayscale8);
    double sum = 0;
    for (int y = 0; y < grey.height(); ++y) sum += std::accumulate(grey.constScanLine(y), grey.constScanLine(y) + grey.width(), 0.0);
    return sum / (255.0 * grey.width() * grey.height());
}

class DesktopColoursTest : public GuiTest {
protected:
    void TearDown() override {
        QApplication::setPalette(original_);  // the other tests' palette
        GuiTest::TearDown();
    }
    const QPalette original_ = QApplication::palette();
    // Every cell, a heading, a list and a pane in `scheme` for what each shows.
    void ExpectDrawnIn(ColourScheme scheme) {
        const auto colour = [scheme](ColourRole role) { return ToQColor(SchemeColour(role, scheme)); };
        for (int k = 0; k < kGridCells; ++k) {
            const DayCell& c = view().state().grid[static_cast<std::size_t>(k)];
            ASSERT_EQ(std::tie(view().cell(k)->textColour(), view().cell(k)->background()),
                      std::make_tuple(colour(c.ink), colour(c.ground))) << k;
        }
        EXPECT_EQ(view().heading(0)->textColour(), colour(ColourRole::SundayText));
        EXPECT_EQ(view().eventList()->palette().color(QPalette::Base), colour(ColourRole::ListBackground));
        EXPECT_TRUE(view().yearSignPane()->styleSheet().contains(colour(ColourRole::PaneBackground).name()));
    }
};

// 自動: the palette turns dark and back while the window runs; the switch
// is timed with the repaint it causes, and both screenshots measured.
TEST_F(DesktopColoursTest, AutoFollowsThePaletteLiveAndTheDarkWindowIsDark) {
    QApplication::setPalette(kLightDesktop);
    Start({2024, 6, 15});
    frame().show();
    ExpectDrawnIn(ColourScheme::Light);
    const double lightGrey = MeanGrey(frame().grab().toImage());
    QElapsedTimer clock;
    clock.start();
    QApplication::setPalette(kDarkDesktop);
    QApplication::processEvents();
    const double darkGrey = MeanGrey(frame().grab().toImage());
    const double switchMs = clock.nsecsElapsed() / 1e6;
    std::printf("mean grey: light %.2f, dark %.2f; switch and repaint %.1f ms\n", lightGrey, darkGrey, switchMs);
    ExpectDrawnIn(ColourScheme::Dark);
    EXPECT_LT(darkGrey, 0.35);
    EXPECT_GT(lightGrey, 0.6);
    // The target is 50 ms (README); this bound only catches a switch that
    // does far more than recolour, under any build and load.
    EXPECT_LT(switchMs, 250.0);
    view().RunCommand(kCmdNextMonth);  // navigation keeps the set
    ExpectDrawnIn(ColourScheme::Dark);
    QApplication::setPalette(kLightDesktop);
    QApplication::processEvents();
    ExpectDrawnIn(ColourScheme::Light);
}

// A settings portal of our own on the session bus of the test
// k2_desktop_portal (dbus-run-session), answering from a thread of its own
// as the real one answers from its process; `readOnly`: an older portal with
// Read alone, whose value comes wrapped in one variant more.
class FakePortal : public QDBusVirtualObject {
public:
    std::atomic<uint> value{kPortalPrefersDark};
    std::atomic<bool> readOnly{false};
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        const QVariant v = QVariant::fromValue(QDBusVariant(value.load()));
        if (m.member() == QLatin1String("ReadOne") && !readOnly) return bus.send(m.createReply(v));
        if (m.member() == QLatin1String("Read")) return bus.send(m.createReply(QVariant::fromValue(QDBusVariant(v))));
        return bus.send(m.createErrorReply(QDBusError::UnknownMethod, m.member()));
    }
};

TEST(DesktopColoursPortal, ThePortalIsReadAtStartAndFollowed) {
    TestApplication();
    if (!QDBusConnection::sessionBus().isConnected()) GTEST_SKIP() << "no session bus";
    const QString path = QStringLiteral("/org/freedesktop/portal/desktop"), name = QStringLiteral("k2-portal");
    QThread thread;
    thread.start();
    FakePortal portal;
    portal.moveToThread(&thread);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    ASSERT_TRUE(bus.registerVirtualObject(path, &portal));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    QApplication::setPalette(kLightDesktop);  // the portal decides over it
    for (const bool readOnly : {false, true}) {
        portal.readOnly = readOnly;
        DesktopColours colours(true, nullptr);
        EXPECT_TRUE(colours.prefersDark()) << readOnly;
        int changes = 0;
        QObject::connect(&colours, &DesktopColours::changed, [&changes] { ++changes; });
        for (const uint next : {0u, uint(kPortalPrefersDark), uint(kPortalPrefersLight)}) {
            QDBusMessage signal = QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Settings"),
                                                             QStringLiteral("SettingChanged"));
            signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
                   << QVariant::fromValue(QDBusVariant(next));
            const int before = changes;
            bus.send(signal);
            EXPECT_TRUE(QTest::qWaitFor([&] { return changes != before; }, 5000)) << next;
            EXPECT_EQ(changes, before + 1) << next;
            EXPECT_EQ(colours.prefersDark(), next == uint(kPortalPrefersDark)) << next;
        }
    }
    bus.unregisterObject(path);
    QDBusConnection::disconnectFromBus(name);
    thread.quit();
    thread.wait();
}

}  // namespace
}  // namespace kalendo
