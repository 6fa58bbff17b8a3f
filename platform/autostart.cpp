#include "platform/autostart.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "platform/file_io.h"

namespace kalendo {
namespace {

constexpr char kEntryName[] = "Kalendo2.desktop";

std::optional<std::string> AbsoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return std::nullopt;
    return std::string(value);
}

std::optional<std::string> HomeFolder() {
    if (auto home = AbsoluteEnv("HOME")) return home;
    struct passwd entry;
    struct passwd* found = nullptr;
    char buf[4096];
    if (getpwuid_r(getuid(), &entry, buf, sizeof buf, &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr || found->pw_dir[0] != '/') {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

std::optional<std::string> AutostartFolder() {
    if (auto config = AbsoluteEnv("XDG_CONFIG_HOME")) return *config + "/autostart";
    if (auto home = HomeFolder()) return *home + "/.config/autostart";
    return std::nullopt;
}

// mkdir -p with mode 0700 for every folder it creates.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
