// The settings file: where the frame window stands and which display modes
// are on. Four integers, kept in "<executable>.Ini" (beside a portable
// program, in the user's folder for an installed one: FileLocations) and
// read before any window exists. The help page lies beside the program.
//
// The settings file is plain ASCII text; it is read and written whole, so
// the functions here take and return its bytes and the file itself is only
// touched by ReadSettings and WriteSettings.
#pragma once

#include <string>
#include <string_view>

#include "almanac/rekichu.h"
#include "astro/places.h"
#include "core/month_record.h"
#include "month/compute_month.h"
#include "ui/model/colour_scheme.h"
#include "ui/model/ics_include.h"
#include "platform/platform.h"
#include "ui/model/week_start.h"

namespace kalendo {

// The program version shown in the settings-file header and the about box.
inline constexpr char kProgramVersion[] = "1.18";

// The about box's version line: "Kalendo2 Version 1.18".
std::string AboutVersionText();

// Size mode: frame and cell size.
inline constexpr int kSizeNormal = 0;    // "通常"
inline constexpr int kSizeEnlarged = 1;  // "拡大"
// View mode: what the frame shows, kViewFull or kViewMonthly
// (core/month_record.h).
// Almanac mode: which astronomy the calendar is computed from.
inline constexpr int kAlmanacStandard = 0;  // "標準": the almanac's own series
inline constexpr int kAlmanacPrecise = 1;   // "精密": the ERFA ephemeris

// 「毎日のお知らせ」's daily time by default, 8:00, in minutes after midnight.
inline constexpr int kDefaultReminderMinutes = 8 * 60;

// The user's settings as one value, read from and written to the settings
// file; the window keeps one, and hands its modes to each question as
// values (MonthOptionsOf). The defaults here are those before a file is
// read.
struct AppSettings {
    int windowLeft = 0;  // screen x of the frame's top-left corner, pixels
    int windowTop = 0;   // screen y, pixels
    int sizeMode = kSizeNormal;
    int viewMode = kViewFull;
    int almanacMode = kAlmanacStandard;
    bool lunarLine = false;  // each grid cell shows its lunisolar day and 六曜 under its number
    // 「場所」, the place whose sky is shown: a listed place (astro/places.h),
    // or with ownPlace the user's own latitude and longitude.
    int placeIndex = kDefaultPlaceIndex;
    bool ownPlace = false;
    GeoPosition ownPosition{0, 0};
    // The week as the user counts it ("週の始まり", "週番号").
    WeekStart weekStart = WeekStart::Sunday;
    bool weekNumbers = false;  // the ISO 8601 week column left of the grid
    // The lower register: the readings where almanacs differ and the notes
    // the window marks ("設定").
    RekichuReadings rekichuReadings{};
    RekichuSet rekichuPicks = kDefaultRekichuPicks;
    // 「カレンダーアプリ用のファイルを更新する」: the window keeps the feed
    // (ui/ics/window_feed.h) in feedPath (UTF-8; "" for the user folder's
    // Kalendo2.ics) with the kinds feedKinds.
    bool feedOn = false;
    std::string feedPath{};
    IcsInclude feedKinds = IcsInclude::All();
    // 「毎日のお知らせ」 (ui/model/reminders.h): on or off, the daily time in
    // minutes after local midnight, and the day last announced (year 0:
    // none yet).
    bool reminderOn = true;
    int reminderMinutes = kDefaultReminderMinutes;
    CalendarDate reminderLastDay{0, 0, 0};
    // 「配色」: the window's colour set, or the desktop's choice.
    SchemeChoice colourScheme = SchemeChoice::Auto;
};

// The paths the program derives from its own location (UTF-8).
struct AppPaths {
    std::string executable;
    std::string settingsFile;  // "<executable without extension>.Ini"
    std::string helpPage;      // "<folder>/Help/index.html"
    std::string folder;        // the executable's folder with its trailing "/"
};

// The settings file of an executable: the file name's extension (from its
// last ".") is replaced by ".Ini", or ".Ini" is appended when the name has
// none ("/opt/k/Kalendo2" -> "/opt/k/Kalendo2.Ini"). The folder part is
// never cut, whatever dots it holds.
std::string SettingsPathFromExecutable(std::string_view executablePath);

// "<folder>/Help/index.html" for the executable's folder.
std::string HelpPagePathFromExecutable(std::string_view executablePath);

// All paths from the platform's executable path. An unknown path, or one
// that is not a full path with a folder, is fatal: "ERROR : 実行ファイルパスが
// 取得できません, Kalendo2 を終了します." and exit status 3.
AppPaths LocateAppPaths();

// Reads the settings text into `s`, line by line (a line ends after LF;
// CR LF counts as LF; at most 1023 bytes make one line). Headers are
// compared byte for byte with their line end: "[Position]\n" takes the next
// line as "%d : %d" (left, top), "[Size]\n" and "[View]\n" the next line as
// "%d". A field that does not parse keeps its value. A value line is also
// tested against the later headers, so a header right after a header is
// still one. false when "[Size]" or "[View]" is the last line; `s` may then
// be partly changed (the caller resets it). A size or view mode other than
// 0 and 1 is read as 0. After the eleven lines, "[Almanac]\n" takes the next
// line as "%d", the almanac mode (other values read as 0); a file without
// it, or ending after the header, means the standard almanac. "[Grid]\n"
// likewise takes "%d": 1 shows the grid's second line, anything else not.
// "[Place]\n" takes the next line as a listed place's index or as the
// user's own "LAT,LON" (ReadPlaceCoordinates); anything else keeps the
// default place.
// "[WeekStart]\n" "%d": 1 begins the week on Monday, anything else on
// Sunday; "[WeekNumber]\n" "%d": 1 shows the ISO week column.
// "[Rekichu]\n" takes "%d %d", the readings of 一粒万倍日 and 大明日 (0 the
// default, 1 the other; anything else keeps the default), and
// "[RekichuPicks]\n" a line of 33 digits 0/1, one per note in RekichuName
// order (a line of another length or other characters keeps the picks).
// "[Feed]\n" takes three lines: "%d" (1 keeps the feed), the kinds as
// ParseIcsInclude reads them (all kinds for anything else) and the file
// (an empty line for the default); a block cut short keeps what it read.
// "[Reminder]\n" takes three lines: "%d" (1 on, anything else off), the
// daily time "H:MM" (ParseDailyTime; else 8:00) and the day last announced
// "YYYY-MM-DD" (else none).
// "[ColourScheme]\n" takes "%d": 1 the light colours, 2 the dark ones,
// anything else follows the desktop.
bool ParseSettings(std::string_view text, AppSettings& s);

// ParseSettings on the file's bytes; false when the file cannot be read.
bool ReadSettings(const std::string& path, AppSettings& s);

// The eleven lines of the settings file, LF line ends:
// ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;", "", "[Position]",
// "<left> : <top>", "", "[Size]", "<size>", "", "[View]", "<view>", "".
// In the precise almanac two lines follow: "[Almanac]", "1"; the standard
// almanac writes the eleven lines alone, so that a reader of those is never
// disturbed and an older file is read unchanged. With the grid's second line
// on, "[Grid]", "1" follow those, again only then. A place other than the
// default adds "[Place]" and its index, or its own "LAT,LON" (decimal
// degrees, up to nine decimals); then "[WeekStart]", "1" for a Monday-first
// week and "[WeekNumber]", "1" for the week column: each only when set.
// Readings other than the defaults add "[Rekichu]", "<ichiryu> <daimyo>",
// and picks other than the defaults "[RekichuPicks]" and their digits,
// each only then.
// When the feed is not all defaults (off, every kind, the default file),
// "[Feed]", "0" or "1", the kinds (IcsIncludeList) and the file follow
// last.
// When 「毎日のお知らせ」 is not all defaults (on, 8:00, no day announced),
// "[Reminder]", "0" or "1", the time "H:MM" and the day last announced
// ("YYYY-MM-DD", or an empty line) come after everything else.
// A fixed colour set then adds "[ColourScheme]" and 1 or 2.
std::string SettingsText(const AppSettings& s);

// A place of one's own as the settings file and the screen write it:
// "LAT,LON", nine decimals at most, trailing zeros dropped.
std::string OwnPlaceText(GeoPosition where);

// Replaces the settings file (atomically: the old file survives a failed
// write). When it cannot be written: kSettingsWriteErrorFormat with the
// reason and the path ("設定ファイルを書き込めません（書き込みの権限がありません）.")
// and false.
bool WriteSettings(const std::string& path, const AppSettings& s);

// The defaults: normal size, full view, the 365 x 352 frame centred on the
// screen ((width - 365) / 2, (height - 352) / 2, truncated toward zero).
void ResetSettings(AppSettings& s, ScreenSize screen);

// Start-up: ReadSettings, and ResetSettings when it fails (also overwriting
// what a partial read set).
AppSettings LoadSettingsAtStartUp(const std::string& path, ScreenSize screen);

// What the settings ask of every month computation: the almanac mode and
// the display mode they hold.
MonthOptions MonthOptionsOf(const AppSettings& s);

}  // namespace kalendo
