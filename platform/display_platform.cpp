#include "platform/display_platform.h"

#include <QLibraryInfo>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/display_platform_texts.h"
#include "platform/terminal_text.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The non-empty pieces of a list such as "a;b" or "a:b".
std::vector<std::string> NonEmptyPieces(const std::string& list, char separator) {
    std::vector<std::string> pieces;
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(separator, start), list.size());
        if (end > start) pieces.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

bool IsWayland(std::string_view name) { return name.substr(0, 7) == "wayland"; }

// A reason with a plugin's or display's name in it, UTF-8.
std::string Named(const char* formatCp932, std::string_view name) {
    const std::string format = Utf8FromCp932(formatCp932);
    const std::string named(name);
    const int n = std::snprintf(nullptr, 0, format.c_str(), named.c_str());
    if (n <= 0) return std::string();
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format.c_str(), named.c_str());
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// What keeps one platform from starting, UTF-8; "" when nothing does.
std::string WhyPlatformCannotStart(std::string_view name, const DisplayFacts& facts) {
    if (!facts.hasPlugin(name)) {
        if (IsWayland(name)) return Utf8FromCp932(kWaylandPluginMissingText);
        return Named(kPlatformPluginMissingFormat, name);
    }
    if (name == "xcb") {
        if (facts.x11Display.empty()) return Utf8FromCp932(kX11DisplayNotSetText);
        if (!facts.x11Answers()) {
            return Named(kX11DisplayNoAnswerFormat, facts.x11Display);
        }
    } else if (IsWayland(name) && !facts.waylandAnswers()) {
        // libwayland's own default when WAYLAND_DISPLAY is not set.
        const std::string display = facts.waylandDisplay.empty() ? "wayland-0" : facts.waylandDisplay;
        return Named(kWaylandDisplayNoAnswerFormat, display);
    }
    return "";
}

// The plugin's file name: "libq" + name + ".so", but the generic Wayland
// platform is "libqwayland-generic.so".
std::string PluginFileName(std::string_view name) {
    if (name == "wayland") return "libqwayland-generic.so";
    return "libq" + std::string(name) + ".so";
}

std::vector<std::string> PlatformPluginFolders() {
    std::vector<std::string> folders;
    if (IsSet("QT_QPA_PLATFORM_PLUGIN_PATH")) folders.push_back(EnvOrEmpty("QT_QPA_PLATFORM_PLUGIN_PATH"));
    for (const std::string& folder : NonEmptyPieces(EnvOrEmpty("QT_PLUGIN_PATH"), ':')) {
        folders.push_back(folder + "/platforms");
    }
    folders.push_back(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms");
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) folders.push_back((exe.parent_path() / "platforms").string());
    return folders;
}

bool X11Answers(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool answered = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);  // also frees a connection in error
    return answered;
}

// The socket libwayland would connect to: WAYLAND_DISPLAY itself when it is
// a path, else in XDG_RUNTIME_DIR; "wayland-0" when it is not set. A socket
// handed over in WAYLAND_SOCKET is taken as answering.
bool WaylandAnswers(const std::string& display) {
    if (IsSet("WAYLAND_SOCKET")) return true;
    const std::string name = display.empty() ? "wayland-0" : display;
    std::string path = name;
    if (name[0] != '/') {
        if (!IsSet("XDG_RUNTIME_DIR")) return false;
        path = EnvOrEmpty("XDG_RUNTIME_DIR") + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answered = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answered;
}

}  // namespace

bool HasGraphicalSession() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

bool CheckGraphicalSession() {
    if (HasGraphicalSession()) return true;
    PrintTerminalLine(Utf8FromCp932(kNoGraphicalSessionMessage));
    return false;
}

std::string DisplayPlatformRefusal(const DisplayFacts& facts) {
    std::vector<std::string> names;
    if (!facts.chosen.empty()) {
        for (std::string name : NonEmptyPieces(facts.chosen, ';')) {
            name = name.substr(0, name.find(':'));  // the options follow a colon
            // Qt matches the names without regard to case.
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (!name.empty()) names.push_back(name);
        }
    } else {
        if (!facts.waylandDisplay.empty()) names.push_back("wayland");
        names.push_back("xcb");
    }
    std::string line = Utf8FromCp932(kNoDisplayPlatformHeading);
    for (const std::string& name : names) {
        const std::string why = WhyPlatformCannotStart(name, facts);
        if (why.empty()) return "";
        line += " " + why;
    }
    return line;
}

DisplayFacts ReadDisplayFacts() {
    DisplayFacts facts;
    facts.chosen = EnvOrEmpty("QT_QPA_PLATFORM");
    facts.x11Display = EnvOrEmpty("DISPLAY");
    facts.waylandDisplay = EnvOrEmpty("WAYLAND_DISPLAY");
    facts.hasPlugin = [folders = PlatformPluginFolders()](std::string_view name) {
        if (name.empty() || name.find('/') != std::string_view::npos) return false;
        std::error_code error;
        for (const std::string& folder : folders) {
            if (std::filesystem::exists(folder + "/" + PluginFileName(name), error)) return true;
        }
        return false;
    };
    facts.x11Answers = [display = facts.x11Display] { return X11Answers(display); };
    facts.waylandAnswers = [display = facts.waylandDisplay] { return WaylandAnswers(display); };
    return facts;
}

bool CheckDisplayPlatform() {
    const std::string refusal = DisplayPlatformRefusal(ReadDisplayFacts());
    if (refusal.empty()) return true;
    PrintTerminalLine(refusal);
    return false;
}

}  // namespace kalendo
