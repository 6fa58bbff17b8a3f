#include "platform/autostart.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/file_io.h"
#include "platform/user_folders.h"

namespace kalendo {
namespace {

constexpr char kEntryName[] = "Kalendo2.desktop";

std::optional<std::string> AutostartFolder() {
    if (auto config = AbsoluteEnvironmentPath("XDG_CONFIG_HOME")) return *config + "/autostart";
    if (auto home = HomeFolder()) return *home + "/.config/autostart";
    return std::nullopt;
}

// One argument of an Exec key, in two layers. First the command line: the
// argument in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash inside them, and '%' doubled since it starts a field code.
// Then the key file's string escapes, which a reader undoes first: '\'
// becomes "\\" (so a backslash of the path ends up as four), and line
// breaks and tabs become \n, \r, \t.
std::string ExecArgument(std::string_view arg) {
    std::string quoted = "\"";
    for (const char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    quoted += '"';

    std::string value;
    for (const char c : quoted) {
        switch (c) {
            case '\\': value += "\\\\"; break;
            case '\n': value += "\\n"; break;
            case '\r': value += "\\r"; break;
            case '\t': value += "\\t"; break;
            default: value += c;
        }
    }
    return value;
}

}  // namespace

std::optional<std::string> AutostartEntryPath() {
    if (auto folder = AutostartFolder()) return *folder + "/" + kEntryName;
    return std::nullopt;
}

bool AutostartEntryExists() {
    const auto path = AutostartEntryPath();
    struct stat st;
    return path && stat(path->c_str(), &st) == 0;
}

std::string AutostartDesktopEntry(const std::string& executablePath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Version=1.5\n"
           "Name=Kalendo2\n"
           "Comment=Japanese almanac\n"
           "Exec=" + ExecArgument(executablePath) + "\n"
           "Terminal=false\n";
}

bool CreateAutostartEntry(const std::string& executablePath) {
    const auto folder = AutostartFolder();
    if (!folder || !MakeFolders(*folder)) return false;
    return WriteFileAtomically(*folder + "/" + kEntryName, AutostartDesktopEntry(executablePath));
}

bool RemoveAutostartEntry() {
    const auto path = AutostartEntryPath();
    if (!path) return true;
    return unlink(path->c_str()) == 0 || errno == ENOENT;
}

}  // namespace kalendo
