#include "ui/qt/window_hints.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace kalendo {

void AskForFixedFrame(QWidget* window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return;
    xcb_connection_t* connection = x11->connection();
    static const char kAtomName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kAtomName)),
                        kAtomName),
        nullptr);
    if (reply == nullptr) return;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32,
                        static_cast<std::uint32_t>(kFixedFrameMotifHints.size()),
                        kFixedFrameMotifHints.data());
    xcb_flush(connection);
}

bool PlatformReportsWindowPosition() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace kalendo
