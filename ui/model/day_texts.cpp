#include "ui/model/day_texts.h"

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/lunisolar.h"
#include "core/almanac_mode.h"
#include "defs/day_off.h"
#include "defs/notes.h"
#include "ui/model/model_texts.h"
#include "ui/model/target_date.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {


// Row of the phase-mark tables for a principal phase, or -1 for none.
int PhaseRow(int phase) {
    switch (phase) {
        case kNewMoonPhase: return 0;
        case kFirstQuarterPhase: return 1;
        case kFullMoonPhase: return 2;
        case kLastQuarterPhase: return 3;
        default: return -1;
    }
}

// Widths of the printed decimals: "%2.1f" for the moon's age, "%3.1f" for
// the sun's longitude.
constexpr int kMoonAgeWidth = 2;
constexpr int kSunLongitudeWidth = 3;

}  // namespace

std::string DatePaneText(const MonthRecord& rec) {
    const CalendarDate t = TargetDate(rec);
    return FormatText(kDatePaneFormat, t.year, rec.currentEraName, rec.eraYear, t.month, t.day);
}

std::string OldCalendarPaneText(const MonthRecord& rec) {
    const char* rokuyo = RokuyoName(RokuyoIndex(rec));
    const LunisolarDate lunar = TargetLunisolarDate(rec);
    return FormatText(lunar.leap ? kOldCalendarLeapPaneFormat : kOldCalendarPaneFormat, lunar.month, lunar.day,
                      rokuyo);
}

std::string YearSignPaneText(const MonthRecord& rec) {
    const CalendarDate t = TargetDate(rec);
    return FormatText(kYearSignPaneFormat, StemName(YearStemIndex(t.year)),
                      BranchName(YearBranchIndex(t.year)), MonthName(t.month));
}

std::string MoonPaneText(const MonthRecord& rec) {
    const CalendarDate t = TargetDate(rec);
    return MoonPaneText(rec, MoonAgeAtNoon(rec, t.year, t.month, t.day));
}

std::string MoonPaneText(const MonthRecord& rec, double ageDays) {
    const CalendarDate t = TargetDate(rec);
    std::string text = kMoonPanePrefix;
    text += FixedOneDecimal(ageDays, kMoonAgeWidth);
    if (const int row = PhaseRow(AstronomyOf(rec.almanacMode).moonPhaseOfDay(t.year, t.month, t.day));
        row >= 0) {
        text += kPanePhaseMarks[row];
    }
    return FitText(std::move(text));
}

DetailPane OfficerPane(const MonthRecord& rec) {
    const CalendarDate t = TargetDate(rec);
    const int k = OfficerIndex(rec, t.year, t.month, t.day);  // -1: every text empty
    return DetailPane{FormatText("%s", OfficerName(k)),
                      FormatText(kOfficerDetailTitleFormat, OfficerName(k), OfficerReading(k)),
                      FormatText("%s", OfficerDescription(k))};
}

DetailPane MansionPane(const MonthRecord& rec) {
    const CalendarDate t = TargetDate(rec);
    return DetailPane{
        FormatText("%s", MansionNameOfDay(t.year, t.month, t.day)),
        FormatText(kMansionDetailTitleFormat, MansionNameOfDay(t.year, t.month, t.day),
                   MansionReadingOfDay(t.year, t.month, t.day)),
        FormatText("%s", MansionDescriptionOfDay(t.year, t.month, t.day))};
}

std::string FrameTitle(const MonthRecord& rec) {
    std::string title = FormatText(kFrameTitleFormat, rec.year[kToday], rec.month[kToday],
                                   rec.day[kToday], WeekdayName(rec.weekday[kToday]));
    if (rec.almanacMode == AlmanacMode::Precise) title += kFrameTitlePreciseMark;
    return title;
}

DetailTexts BuildDetailTexts(const MonthRecord& rec) {
    const CalendarDate t = TargetDate(rec);
    BoundedText almanac;
    almanac.Append(FormatUnbounded(kDetailDateFormat, t.year, rec.currentEraName, rec.eraYear,
                                   t.month, t.day));
    almanac.Append(FormatUnbounded(kDetailMonthNameFormat, MonthName(t.month), MonthNameReading(t.month)));
    const LunisolarDate lunar = TargetLunisolarDate(rec);
    almanac.Append(FormatUnbounded(lunar.leap ? kDetailOldCalendarLeapFormat : kDetailOldCalendarFormat,
                                   lunar.month, lunar.day));
    const int rokuyo = RokuyoIndex(rec);
    almanac.Append(FormatUnbounded(kDetailRokuyoFormat, RokuyoName(rokuyo), RokuyoReading(rokuyo)));
    const int officer = OfficerIndex(rec, t.year, t.month, t.day);
    almanac.Append(
        FormatUnbounded(kDetailOfficerFormat, OfficerName(officer), OfficerReading(officer)));
    almanac.Append(FormatUnbounded(kDetailMansionFormat, MansionNameOfDay(t.year, t.month, t.day),
                                   MansionReadingOfDay(t.year, t.month, t.day)));

    const int yearStem = YearStemIndex(t.year), yearBranch = YearBranchIndex(t.year);
    const int monthStem = MonthStemIndex(t.year, t.month), monthBranch = MonthBranchIndex(t.month);
    const int dayStem = DayStemIndex(t.year, t.month, t.day), dayBranch = DayBranchIndex(t.year, t.month, t.day);
    almanac.Append(FormatUnbounded(
        kDetailSignsFormat, StemName(yearStem), BranchName(yearBranch), StemReading(yearStem),
        BranchReading(yearBranch), StemName(monthStem), BranchName(monthBranch),
        StemReading(monthStem), BranchReading(monthBranch), StemName(dayStem),
        BranchName(dayBranch), StemReading(dayStem), BranchReading(dayBranch)));

    // The moon line ends with its phase mark and that mark's line end. On a
    // day without a principal phase it has none, and the longitude piece's
    // own leading CR LF starts the next line; after a phase mark the same
    // CR LF leaves an empty line between the two.
    const Astronomy& sky = AstronomyOf(rec.almanacMode);
    std::string moon = kDetailMoonPrefix;
    moon += FixedOneDecimal(MoonAgeAtNoon(rec, t.year, t.month, t.day), kMoonAgeWidth);
    if (const int row = PhaseRow(sky.moonPhaseOfDay(t.year, t.month, t.day)); row >= 0) {
        moon += kDetailPhaseMarks[row];
    }
    almanac.Append(moon);

    std::string sun = kDetailSunLongitudePrefix;
    // The longitude shown is the one the tables were built from.
    sun += FixedOneDecimal(sky.sunLongitudeShownDeg(t.year, t.month, t.day), kSunLongitudeWidth);
    almanac.Append(sun);
    if (rec.almanacMode == AlmanacMode::Precise) almanac.Append(kDetailPreciseLine);

    BoundedText events;
    if (const int h = FindHoliday(rec, t.month, t.day); h >= 0) {
        events.Append(std::string(rec.tables.holidays[h].name) + kDetailEventLineEnd);
    }
    for (int i = 0; i < rec.noteCount; ++i) {
        if (NoteFallsOnTarget(rec, i) >= 0) {
            events.Append(std::string(rec.tables.notes[i].name) + kDetailEventLineEnd);
        }
    }
    return DetailTexts{almanac.str(), events.str()};
}

}  // namespace kalendo
