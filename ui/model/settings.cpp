#include "ui/model/settings.h"

#include <cstdio>

#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "platform/file_io.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// The frame of the first start (normal size, full view), centred.
constexpr int kDefaultFrameWidth = 365;
constexpr int kDefaultFrameHeight = 352;

// fgets with a 1024-byte buffer: a line is at most 1023 bytes and keeps its
// "\n"; the rest of a longer line is the next line.
constexpr std::size_t kSettingsLineBytes = kTextBytes - 1;

constexpr char kPositionHeader[] = "[Position]\n";
constexpr char kSizeHeader[] = "[Size]\n";
constexpr char kViewHeader[] = "[View]\n";
constexpr char kAlmanacHeader[] = "[Almanac]\n";
constexpr char kGridHeader[] = "[Grid]\n";
constexpr char kFeedHeader[] = "[Feed]\n";

// A line without its LF (and a CR before it).
std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

// The settings file read as the text-mode stream it always was: CR LF
// arrives as "\n", a lone LF too.
class SettingsLines {
public:
    explicit SettingsLines(std::string_view text) : text_(text) {}
    bool Next(std::string& line) {
        if (pos_ >= text_.size()) return false;
        line.clear();
        while (pos_ < text_.size() && line.size() < kSettingsLineBytes) {
            char c = text_[pos_++];
            if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
                c = '\n';
                ++pos_;
            }
            line += c;
            if (c == '\n') break;
        }
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

int KnownModeOrZero(int mode) { return mode == 0 || mode == 1 ? mode : 0; }

std::string::size_type LastSlash(std::string_view path) { return path.rfind('/'); }

}  // namespace

std::string AboutVersionText() { return std::string("Kalendo2 Version ") + kProgramVersion; }

std::string SettingsPathFromExecutable(std::string_view executablePath) {
    const auto slash = LastSlash(executablePath);
    const auto nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const auto dot = executablePath.rfind('.');
    std::string stem(executablePath);
    // A dot that starts the name (".Kalendo2") hides the file, it is not an
    // extension.
    if (dot != std::string_view::npos && dot > nameStart) stem.resize(dot);
    return stem + ".Ini";
}

std::string HelpPagePathFromExecutable(std::string_view executablePath) {
    const auto slash = LastSlash(executablePath);
    const std::string folder(executablePath.substr(0, slash == std::string_view::npos ? 0 : slash));
    return folder + "/Help/index.html";
}

AppPaths LocateAppPaths() {
    const std::optional<std::string> exe = ThePlatform().ExecutablePath();
    if (!exe || exe->empty() || LastSlash(*exe) == std::string::npos) {
        ThePlatform().Fatal(kExecutablePathError);
    }
    AppPaths paths;
    paths.executable = *exe;
    paths.settingsFile = SettingsPathFromExecutable(*exe);
    paths.helpPage = HelpPagePathFromExecutable(*exe);
    paths.folder = exe->substr(0, LastSlash(*exe) + 1);
    return paths;
}

bool ParseSettings(std::string_view text, AppSettings& s) {
    SettingsLines lines(text);
    std::string line;
    if (!lines.Next(line)) return true;  // an empty file counts as read
    while (true) {
        if (line == kPositionHeader && lines.Next(line)) {
            std::size_t pos = 0;
            if (ScanDecimal(line, pos, s.windowLeft)) {
                // " : " in the format: any white space, a colon, any white space
                // (ScanDecimal skips the latter itself).
                while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t' ||
                                             line[pos] == '\n' || line[pos] == '\r' ||
                                             line[pos] == '\v' || line[pos] == '\f')) {
                    ++pos;
                }
                if (pos < line.size() && line[pos] == ':') {
                    ++pos;
                    ScanDecimal(line, pos, s.windowTop);
                }
            }
        }
        if (line == kSizeHeader) {
            if (!lines.Next(line)) return false;
            std::size_t pos = 0;
            ScanDecimal(line, pos, s.sizeMode);
        }
        if (line == kViewHeader) {
            if (!lines.Next(line)) return false;
            std::size_t pos = 0;
            ScanDecimal(line, pos, s.viewMode);
        }
        if (line == kAlmanacHeader) {
            if (!lines.Next(line)) break;  // a cut-off extension: the standard almanac
            std::size_t pos = 0;
            ScanDecimal(line, pos, s.almanacMode);
        }
        if (line == kGridHeader) {
            if (!lines.Next(line)) break;
            std::size_t pos = 0;
            int shown = 0;
            ScanDecimal(line, pos, shown);
            s.lunarLine = shown == 1;
        }
        if (line == kFeedHeader) {
            if (!lines.Next(line)) break;
            std::size_t pos = 0;
            int on = 0;
            ScanDecimal(line, pos, on);
            s.feedOn = on == 1;
            if (!lines.Next(line)) break;
            s.feedKinds = ParseIcsInclude(WithoutLineEnd(line)).value_or(IcsInclude::All());
            if (!lines.Next(line)) break;
            s.feedPath = WithoutLineEnd(line);
        }
        if (!lines.Next(line)) break;
    }
    // Only 0 and 1 have a frame size and a layout.
    s.sizeMode = KnownModeOrZero(s.sizeMode);
    s.viewMode = KnownModeOrZero(s.viewMode);
    s.almanacMode = KnownModeOrZero(s.almanacMode);
    return true;
}

bool ReadSettings(const std::string& path, AppSettings& s) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return false;
    return ParseSettings(*bytes, s);
}

std::string SettingsText(const AppSettings& s) {
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  ";;;;;;;;;;;;; Kalendo2.Ini For Ver. %s ;;;;;;;;;;;;;\n"
                  "\n"
                  "[Position]\n"
                  "%d : %d\n"
                  "\n"
                  "[Size]\n"
                  "%d\n"
                  "\n"
                  "[View]\n"
                  "%d\n"
                  "\n",
                  kProgramVersion, s.windowLeft, s.windowTop, s.sizeMode, s.viewMode);
    std::string text = buf;
    if (s.almanacMode == kAlmanacPrecise) {
        text += kAlmanacHeader;
        text += "1\n";
    }
    if (s.lunarLine) {
        text += kGridHeader;
        text += "1\n";
    }
    if (s.feedOn || !s.feedPath.empty() || s.feedKinds != IcsInclude::All()) {
        text += kFeedHeader;
        text += s.feedOn ? "1\n" : "0\n";
        text += IcsIncludeList(s.feedKinds) + "\n";
        text += s.feedPath + "\n";
    }
    return text;
}

bool WriteSettings(const std::string& path, const AppSettings& s) {
    if (!WriteFileAtomically(path, SettingsText(s))) {
        ThePlatform().ShowMessage(kSettingsOpenError);
        return false;
    }
    return true;
}

void ResetSettings(AppSettings& s, ScreenSize screen) {
    s.sizeMode = kSizeNormal;
    s.viewMode = kViewFull;
    s.almanacMode = kAlmanacStandard;
    s.lunarLine = false;
    s.windowLeft = (screen.width - kDefaultFrameWidth) / 2;
    s.windowTop = (screen.height - kDefaultFrameHeight) / 2;
}

AppSettings LoadSettingsAtStartUp(const std::string& path, ScreenSize screen) {
    AppSettings s;
    if (!ReadSettings(path, s)) ResetSettings(s, screen);
    return s;
}

MonthOptions MonthOptionsOf(const AppSettings& s) {
    return {s.almanacMode == kAlmanacPrecise ? AlmanacMode::Precise : AlmanacMode::Standard,
            s.viewMode == kViewMonthly ? kViewMonthly : kViewFull};
}

}  // namespace kalendo
