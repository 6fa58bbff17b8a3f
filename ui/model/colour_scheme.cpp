#include "ui/model/colour_scheme.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "ui/model/row_kinds.h"

namespace kalendo {
namespace {

struct SchemeColours {
    Rgb light;
    Rgb dark;
};

// Indexed by ColourRole. The dark set's grounds lie between 10 % and 25 %
// grey with a trace of each meaning's hue; its texts are light tints of the
// light set's hues, so that red still reads as Sunday and blue as Saturday.
constexpr std::array<SchemeColours, kColourRoleCount> kColours{{
    {{200, 0, 0}, {255, 135, 135}},      // SundayText
    {{20, 20, 250}, {140, 170, 255}},    // SaturdayText
    {{20, 20, 20}, {225, 228, 232}},     // WeekdayText
    {{20, 100, 20}, {140, 200, 140}},    // OtherMonthText
    {{245, 250, 250}, {52, 56, 62}},     // HeadingBackground
    {{235, 240, 245}, {40, 44, 50}},     // MonthDayBackground
    {{220, 225, 230}, {26, 28, 32}},     // OtherMonthBackground
    {{180, 255, 255}, {0, 62, 72}},      // SelectedDayBackground
    {{255, 255, 180}, {68, 60, 0}},      // TodayBackground
    {{100, 100, 100}, {130, 134, 140}},  // CellFrame
    {{210, 80, 0}, {255, 140, 40}},      // EclipseMark
    {{150, 60, 0}, {255, 190, 90}},      // RekichuMark
    {{0, 10, 20}, {225, 230, 235}},      // PaneText
    {{240, 250, 255}, {34, 40, 48}},     // PaneBackground
    {{100, 100, 100}, {130, 134, 140}},  // PaneFrame
    {{215, 235, 255}, {30, 52, 80}},     // FocusedPaneBackground
    {{0, 90, 180}, {110, 175, 255}},     // FocusMark
    {{0, 10, 20}, {225, 230, 235}},      // CloseCallMark
    {{0, 0, 0}, {225, 228, 232}},        // ListText
    {{240, 255, 245}, {30, 40, 34}},     // ListBackground
    {{240, 240, 240}, {52, 56, 62}},     // ListHeaderBackground
    {{255, 245, 245}, {42, 34, 36}},     // ListRowBackground
    {{0, 0, 0}, {230, 230, 230}},        // NoteRowText
    {{200, 0, 0}, {255, 135, 135}},      // HolidayRowText
    {{0, 0, 255}, {140, 170, 255}},      // UserEventRowText
    {{0, 110, 110}, {90, 210, 200}},     // ScheduleRowText
    {{255, 255, 255}, {255, 255, 255}},  // SelectedRowText
    {{0, 90, 180}, {0, 90, 180}},        // SelectedRowBackground
    {{128, 128, 128}, {24, 26, 30}},     // PreviewBackground
}};

using R = ColourRole;
constexpr DrawnPair kDrawnPairs[] = {
    {R::SundayText, R::HeadingBackground, kTextContrast, "Sunday heading"},
    {R::SaturdayText, R::HeadingBackground, kTextContrast, "Saturday heading"},
    {R::WeekdayText, R::HeadingBackground, kTextContrast, "weekday heading, week column"},
    {R::SundayText, R::MonthDayBackground, kTextContrast, "Sunday or holiday"},
    {R::SaturdayText, R::MonthDayBackground, kTextContrast, "Saturday"},
    {R::WeekdayText, R::MonthDayBackground, kTextContrast, "working day"},
    {R::SundayText, R::SelectedDayBackground, kTextContrast, "selected Sunday"},
    {R::SaturdayText, R::SelectedDayBackground, kTextContrast, "selected Saturday"},
    {R::WeekdayText, R::SelectedDayBackground, kTextContrast, "selected working day"},
    {R::SundayText, R::TodayBackground, kTextContrast, "today a Sunday"},
    {R::SaturdayText, R::TodayBackground, kTextContrast, "today a Saturday"},
    {R::WeekdayText, R::TodayBackground, kTextContrast, "today a working day"},
    {R::OtherMonthText, R::OtherMonthBackground, kTextContrast, "neighbouring month"},
    {R::FocusMark, R::SelectedDayBackground, kTextContrast, "grid's focus on the selected day"},
    {R::FocusMark, R::TodayBackground, kTextContrast, "grid's focus on today"},
    {R::RekichuMark, R::MonthDayBackground, kTextContrast, "lower register's mark"},
    {R::RekichuMark, R::SelectedDayBackground, kTextContrast, "its mark, selected"},
    {R::RekichuMark, R::TodayBackground, kTextContrast, "its mark, today"},
    {R::RekichuMark, R::OtherMonthBackground, kTextContrast, "its mark, neighbouring month"},
    {R::EclipseMark, R::MonthDayBackground, kMarkContrast, "eclipse"},
    {R::EclipseMark, R::SelectedDayBackground, kMarkContrast, "eclipse, selected"},
    {R::EclipseMark, R::TodayBackground, kMarkContrast, "eclipse, today"},
    {R::EclipseMark, R::OtherMonthBackground, kMarkContrast, "eclipse, neighbouring month"},
    {R::CellFrame, R::HeadingBackground, kMarkContrast, "heading's frame"},
    {R::CellFrame, R::MonthDayBackground, kMarkContrast, "cell's frame"},
    {R::CellFrame, R::OtherMonthBackground, kMarkContrast, "neighbouring cell's frame"},
    {R::PaneText, R::PaneBackground, kTextContrast, "pane"},
    {R::PaneText, R::FocusedPaneBackground, kTextContrast, "focused pane"},
    {R::CloseCallMark, R::PaneBackground, kTextContrast, "close-call mark"},
    {R::CloseCallMark, R::FocusedPaneBackground, kTextContrast, "close-call mark, pane focused"},
    {R::FocusMark, R::FocusedPaneBackground, kTextContrast, "focused pane's frame"},
    {R::PaneFrame, R::PaneBackground, kMarkContrast, "pane's frame"},
    {R::ListText, R::ListBackground, kTextContrast, "list"},
    {R::ListText, R::ListHeaderBackground, kTextContrast, "list header"},
    {R::FocusMark, R::ListBackground, kTextContrast, "list's focus"},
    {R::NoteRowText, R::ListRowBackground, kTextContrast, "note row"},
    {R::HolidayRowText, R::ListRowBackground, kTextContrast, "holiday row"},
    {R::UserEventRowText, R::ListRowBackground, kTextContrast, "user event row"},
    {R::ScheduleRowText, R::ListRowBackground, kTextContrast, "schedule row"},
    {R::SelectedRowText, R::SelectedRowBackground, kTextContrast, "selected row"},
};

// sRGB component 0-255 to linear light 0-1.
double LinearComponent(int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

// A palette's window colour darker than this mid grey is a dark desktop.
constexpr Rgb kMidGrey{128, 128, 128};

}  // namespace

double RelativeLuminance(const Rgb& c) {
    return 0.2126 * LinearComponent(c.r) + 0.7152 * LinearComponent(c.g) + 0.0722 * LinearComponent(c.b);
}

double ContrastRatio(const Rgb& a, const Rgb& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb SchemeColour(ColourRole role, ColourScheme scheme) {
    const SchemeColours& c = kColours[static_cast<std::size_t>(role)];
    return scheme == ColourScheme::Dark ? c.dark : c.light;
}

std::span<const DrawnPair> DrawnPairs() { return kDrawnPairs; }

std::optional<ColourRole> RowTextRole(int kind) {
    switch (kind) {
        case kNoteRow: return R::NoteRowText;
        case kHolidayRow:
        case kGeneratedHolidayRow: return R::HolidayRowText;
        case kUserEventRow: return R::UserEventRowText;
        case kScheduleRow: return R::ScheduleRowText;
        default: return std::nullopt;
    }
}

bool DesktopPrefersDark(std::optional<int> portalValue, Rgb paletteWindow) {
    if (portalValue == kPortalPrefersDark) return true;
    if (portalValue == kPortalPrefersLight) return false;
    return RelativeLuminance(paletteWindow) < RelativeLuminance(kMidGrey);
}

ColourScheme SchemeOf(SchemeChoice choice, bool desktopPrefersDark) {
    switch (choice) {
        case SchemeChoice::Light: return ColourScheme::Light;
        case SchemeChoice::Dark: return ColourScheme::Dark;
        case SchemeChoice::Auto: break;
    }
    return desktopPrefersDark ? ColourScheme::Dark : ColourScheme::Light;
}

}  // namespace kalendo
