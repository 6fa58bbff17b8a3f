// The window's colours by meaning, in a light and a dark set.
//
// Every colour the window draws has a meaning (Sunday's text, today's
// background, the eclipse mark …) and one value in each set; the window
// asks for (meaning, set) and never names an RGB itself. The dark set keeps
// the meanings recognisable: Sundays and holidays stay red, Saturdays blue,
// today yellowish, the selected day cyan-ish, the neighbouring months
// green on a darker ground; only the lightness is turned round, so that a
// window inside a dark desktop does not glare.
//
// Each text is at least 4.5 : 1 on every background it is drawn on, in
// both sets; marks that are no text (the eclipse triangle, the cells'
// frames) at least 3 : 1. DrawnPairs lists those pairs, so that a colour
// changed here is measured against every ground it meets.
//
// The light set is the window's; the printed page always uses it. The
// CLI's "fg"/"bg" keep the fixed colours of month_view.h (kSundayText …),
// which scripts read: the light set differs from them only where those
// fall short of 4.5 : 1 (the Sunday red, the lists' red and teal).
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace kalendo {

struct Rgb {
    int r, g, b;  // 0-255 each
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The contrast ratio of two colours as WCAG 2 defines it: (L1 + 0.05) /
// (L2 + 0.05) of the relative luminances of sRGB, lighter over darker;
// 1 for equal colours, 21 for black on white. Text wants 4.5 or more.
double ContrastRatio(const Rgb& a, const Rgb& b);

// The relative luminance of sRGB, 0 (black) to 1 (white).
double RelativeLuminance(const Rgb& c);

enum class ColourScheme : std::uint8_t { Light, Dark };

// 「配色」 in the settings: 自動 follows the desktop, 明るい and 暗い fix the set.
// The values are those of the settings file's line.
enum class SchemeChoice : std::uint8_t { Auto = 0, Light = 1, Dark = 2 };

enum class ColourRole : std::uint8_t {
    // The grid: day numbers and the lunisolar line under them (one colour
    // per cell), the weekday headings and the week column.
    SundayText,  // Sundays and holidays
    SaturdayText,
    WeekdayText,
    OtherMonthText,
    HeadingBackground,
    MonthDayBackground,
    OtherMonthBackground,
    SelectedDayBackground,
    TodayBackground,
    CellFrame,
    EclipseMark,
    RekichuMark,  // the lower register's mark in a day cell
    // The panes and the close-call mark "※" over the old-calendar pane.
    PaneText,
    PaneBackground,
    PaneFrame,
    FocusedPaneBackground,
    FocusMark,
    CloseCallMark,
    // The lists: their ground and headers, each row kind's text on the
    // rows' ground, and the selected row.
    ListText,
    ListBackground,
    ListHeaderBackground,
    ListRowBackground,
    NoteRowText,
    HolidayRowText,
    UserEventRowText,
    ScheduleRowText,
    SelectedRowText,
    SelectedRowBackground,
    // Around the pages of the print preview (the pages stay paper white).
    PreviewBackground,
};
inline constexpr int kColourRoleCount = static_cast<int>(ColourRole::PreviewBackground) + 1;

Rgb SchemeColour(ColourRole role, ColourScheme scheme);

// A text or mark and a ground it is drawn on, with the least contrast it
// must keep there.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kMarkContrast = 3.0;
struct DrawnPair {
    ColourRole ink;
    ColourRole ground;
    double minContrast;
    const char* where;
};
std::span<const DrawnPair> DrawnPairs();

// The text colour of a list row of `kind` (ListRow's kinds 0-4); nullopt
// for another kind, which keeps the list's own text colour.
std::optional<ColourRole> RowTextRole(int kind);

// What the desktop says it prefers, through the freedesktop settings
// portal's org.freedesktop.appearance color-scheme: 0 no preference, 1 dark,
// 2 light (anything else counts as no preference).
inline constexpr int kPortalPrefersDark = 1;
inline constexpr int kPortalPrefersLight = 2;
// Whether the desktop is dark: the portal's preference when it states one,
// else the palette's window colour, dark when its luminance lies below that
// of a mid grey (qt6ct's and the dark styles' palettes set this without a
// portal). `portalValue` nullopt: no portal answered.
bool DesktopPrefersDark(std::optional<int> portalValue, Rgb paletteWindow);

// The set the window uses.
ColourScheme SchemeOf(SchemeChoice choice, bool desktopPrefersDark);

}  // namespace kalendo
