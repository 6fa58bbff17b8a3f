#include "ui/model/settings.h"

#include <cstdio>
#include <optional>
#include <string>

#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "platform/file_io.h"
#include "ui/model/daily_time.h"
#include "ui/model/file_error.h"
#include "ui/model/file_error_texts.h"
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
constexpr char kPlaceHeader[] = "[Place]\n";
constexpr char kWeekStartHeader[] = "[WeekStart]\n";
constexpr char kWeekNumberHeader[] = "[WeekNumber]\n";
constexpr char kRekichuHeader[] = "[Rekichu]\n";
constexpr char kRekichuPicksHeader[] = "[RekichuPicks]\n";

// "[RekichuPicks]"'s digits: exactly kRekichuCount of 0 and 1 (the line's
// LF, or CR LF, after them).
std::optional<RekichuSet> ParsePicks(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (line.size() != static_cast<std::size_t>(kRekichuCount)) return std::nullopt;
    RekichuSet picks = 0;
    for (int k = 0; k < kRekichuCount; ++k) {
        if (line[k] == '1') {
            picks |= RekichuBit(static_cast<RekichuName>(k));
        } else if (line[k] != '0') {
            return std::nullopt;
        }
    }
    return picks;
}

constexpr char kFeedHeader[] = "[Feed]\n";
constexpr char kColourSchemeHeader[] = "[ColourScheme]\n";

constexpr char kReminderHeader[] = "[Reminder]\n";

// "YYYY-MM-DD" of the day last announced; nullopt for anything else.
std::optional<CalendarDate> ParseLastDay(std::string_view line) {
    CalendarDate day{0, 0, 0};
    char tail = 0;
    const std::string text(line);
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &day.year, &day.month, &day.day, &tail) != 3 ||
        day.year <= 0) {
        return std::nullopt;
    }
    return day;
}

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

// The line after a flag's header: "%d", true only for 1; false when the
// file ends after the header.
bool ReadFlag(SettingsLines& lines, std::string& line, bool& flag) {
    if (!lines.Next(line)) return false;
    std::size_t pos = 0;
    int value = 0;
    ScanDecimal(line, pos, value);
    flag = value == 1;
    return true;
}

int KnownModeOrZero(int mode) { return mode == 0 || mode == 1 ? mode : 0; }

std::string::size_type LastSlash(std::string_view path) { return path.rfind('/'); }

// The line after "[Place]": an index of a listed place or "LAT,LON"; a
// line that is neither, or coordinates out of bounds, keep the default.
void ReadPlaceLine(std::string line, AppSettings& s) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    const ReadPlace own = ReadPlaceCoordinates(line);
    if (own.problem == PlaceTextProblem::None) {
        s.ownPlace = true;
        s.ownPosition = own.position;
        return;
    }
    std::size_t pos = 0;
    int index = -1;
    if (ScanDecimal(line, pos, index) && pos == line.size() && index >= 0 &&
        index < kListedPlaceCount) {
        s.placeIndex = index;
    }
}

// A coordinate as the settings file keeps it: nine decimals (0.1 mm), the
// trailing zeros dropped ("35.5", "-139.741357").
std::string DegreesText(double deg) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9f", deg);
    std::string text = buf;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

std::string OwnPlaceText(GeoPosition where) {
    return DegreesText(where.latitudeDeg) + "," + DegreesText(where.longitudeDeg);
}

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
        if (line == kPlaceHeader) {
            if (!lines.Next(line)) break;
            ReadPlaceLine(line, s);
        }
        if (line == kWeekStartHeader) {
            bool monday = false;
            if (!ReadFlag(lines, line, monday)) break;
            s.weekStart = monday ? WeekStart::Monday : WeekStart::Sunday;
        }
        if (line == kWeekNumberHeader && !ReadFlag(lines, line, s.weekNumbers)) break;
        if (line == kRekichuHeader) {
            if (!lines.Next(line)) break;
            std::size_t pos = 0;
            int ichiryu = 0, daimyo = 0;
            ScanDecimal(line, pos, ichiryu);
            ScanDecimal(line, pos, daimyo);
            s.rekichuReadings.ichiryu = ichiryu == 1 ? IchiryuReading::OneBranch : IchiryuReading::Combined;
            s.rekichuReadings.daimyo = daimyo == 1 ? DaimyoReading::TwentyOne : DaimyoReading::TwentyFive;
        }
        if (line == kRekichuPicksHeader) {
            if (!lines.Next(line)) break;
            if (const std::optional<RekichuSet> picks = ParsePicks(line)) s.rekichuPicks = *picks;
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
        if (line == kReminderHeader) {
            if (!ReadFlag(lines, line, s.reminderOn)) break;
            if (!lines.Next(line)) break;
            s.reminderMinutes = ParseDailyTime(WithoutLineEnd(line)).value_or(kDefaultReminderMinutes);
            if (!lines.Next(line)) break;
            s.reminderLastDay = ParseLastDay(WithoutLineEnd(line)).value_or(CalendarDate{0, 0, 0});
        }
        if (line == kColourSchemeHeader) {
            if (!lines.Next(line)) break;
            std::size_t pos = 0;
            int choice = 0;
            ScanDecimal(line, pos, choice);
            s.colourScheme = choice == 1   ? SchemeChoice::Light
                             : choice == 2 ? SchemeChoice::Dark
                                           : SchemeChoice::Auto;
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
    if (s.ownPlace || s.placeIndex != kDefaultPlaceIndex) {
        text += kPlaceHeader;
        text += s.ownPlace ? OwnPlaceText(s.ownPosition) : std::to_string(s.placeIndex);
        text += "\n";
    }
    if (s.weekStart == WeekStart::Monday) {
        text += kWeekStartHeader;
        text += "1\n";
    }
    if (s.weekNumbers) {
        text += kWeekNumberHeader;
        text += "1\n";
    }
    if (s.rekichuReadings != RekichuReadings{}) {
        text += kRekichuHeader;
        text += std::to_string(static_cast<int>(s.rekichuReadings.ichiryu)) + ' ' +
                std::to_string(static_cast<int>(s.rekichuReadings.daimyo)) + '\n';
    }
    if (s.rekichuPicks != kDefaultRekichuPicks) {
        text += kRekichuPicksHeader;
        for (int k = 0; k < kRekichuCount; ++k) {
            text += Contains(s.rekichuPicks, static_cast<RekichuName>(k)) ? '1' : '0';
        }
        text += '\n';
    }
    if (s.feedOn || !s.feedPath.empty() || s.feedKinds != IcsInclude::All()) {
        text += kFeedHeader;
        text += s.feedOn ? "1\n" : "0\n";
        text += IcsIncludeList(s.feedKinds) + "\n";
        text += s.feedPath + "\n";
    }
    if (!s.reminderOn || s.reminderMinutes != kDefaultReminderMinutes || s.reminderLastDay.year != 0) {
        text += kReminderHeader;
        text += s.reminderOn ? "1\n" : "0\n";
        text += DailyTimeText(s.reminderMinutes) + "\n";
        if (s.reminderLastDay.year != 0) {
            char day[32];
            std::snprintf(day, sizeof day, "%04d-%02d-%02d", s.reminderLastDay.year, s.reminderLastDay.month,
                          s.reminderLastDay.day);
            text += day;
        }
        text += "\n";
    }
    if (s.colourScheme != SchemeChoice::Auto) {
        text += kColourSchemeHeader;
        text += std::to_string(static_cast<int>(s.colourScheme)) + "\n";
    }
    return text;
}

bool WriteSettings(const std::string& path, const AppSettings& s) {
    int error = 0;
    if (!WriteFileAtomically(path, SettingsText(s), error)) {
        ThePlatform().ShowMessageUtf8(WriteErrorMessage(kSettingsWriteErrorFormat, path, error));
        return false;
    }
    return true;
}

void ResetSettings(AppSettings& s, ScreenSize screen) {
    s.sizeMode = kSizeNormal;
    s.viewMode = kViewFull;
    s.almanacMode = kAlmanacStandard;
    s.lunarLine = false;
    s.placeIndex = kDefaultPlaceIndex;
    s.ownPlace = false;
    s.weekStart = WeekStart::Sunday;
    s.weekNumbers = false;
    s.rekichuReadings = {};
    s.rekichuPicks = kDefaultRekichuPicks;
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
