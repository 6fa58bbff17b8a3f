#include "month/close_calls.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "almanac/signs.h"
#include "astro/longitude_memo.h"
#include "astro/lunisolar.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "month/compute_month.h"
#include "month/year_tables.h"

namespace kalendo {
namespace {

constexpr int kFirstTermOfTargetYear = 24;  // entry 24 of the term table: 小寒 of Y
// An event of January to April can change the numbering of the months that
// end the year before (its tables hold the principal terms up to the next
// March equinox); one of October to December those that begin the next.
constexpr int kLastMonthReachingBack = 4;
constexpr int kFirstMonthReachingOn = 10;

CalendarDate TargetOf(const MonthRecord& rec) {
    return {rec.year[kTarget], rec.month[kTarget], rec.day[kTarget]};
}

// A close call, where its event stands in the year's tables, and the
// year's tables with it moved across its midnight.
struct TableCloseCall {
    CloseCall call;
    bool term = false;  // in rec.terms, else in rec.newMoons
    int index = 0;
    bool numberable = true;  // false: with the event moved no anchor can be placed
    DateList<kTermCount> terms;
    DateList<kNewMoonCount> newMoons;
    int lunarMonthNumber[kNewMoonCount] = {};
    DateList<kAnchorCapacity> anchorStart;
    DateList<kAnchorCapacity> anchorFirst;
    // The days of the year whose holidays or calendar notes the move
    // changes, from the dates they get for the year.
    std::vector<CalendarDate> definitionDays;
    // The days a holiday or note may move to or from (DaysEntriesMayMove),
    // found the first time a day of the year asks and kept with the call.
    mutable std::optional<std::vector<CalendarDate>> entryDays;
};

// The year's tables (a record's, or a close call's with its event moved)
// into a record: both name them alike.
template <typename From>
void LoadTables(MonthRecord& to, const From& from) {
    to.terms = from.terms;
    to.newMoons = from.newMoons;
    std::memcpy(to.lunarMonthNumber, from.lunarMonthNumber, sizeof to.lunarMonthNumber);
    to.anchorStart = from.anchorStart;
    to.anchorFirst = from.anchorFirst;
}

// A record of the close calls' own, made on the tables and files of `from`
// (kReadingSameFiles), moved to the target of `from` with its year's tables.
void StartAt(MonthRecord& to, const MonthRecord& from) {
    to.year[kTarget] = from.year[kTarget];
    to.month[kTarget] = from.month[kTarget];
    to.day[kTarget] = from.day[kTarget];
    to.weekday[kTarget] = from.weekday[kTarget];
    to.almanacMode = from.almanacMode;
    LoadTables(to, from);
}

// Such a record, started at `from`, on the heap: a record is some 40 KB,
// and the stack of a day's question would otherwise carry several, every
// page of them touched.
std::unique_ptr<MonthRecord> RecordAt(const MonthRecord& from) {
    auto to = std::make_unique<MonthRecord>(from, kReadingSameFiles);
    StartAt(*to, from);
    return to;
}

// The same with the year's tables of `c`, its event moved.
std::unique_ptr<MonthRecord> MovedRecordAt(const MonthRecord& from, const TableCloseCall& c) {
    auto to = RecordAt(from);
    LoadTables(*to, c);
    return to;
}

void EvaluateDefinitions(MonthRecord& scratch) {
    EvaluateHolidays(scratch);
    GenerateHolidays(scratch);
    EvaluateNotes(scratch);
}


// The Gregorian dates the holidays and notes got for the target year, in
// table order; a lunisolar note's date follows the lunisolar dates compared
// day by day, and stands here as no date.
struct DefinitionDates {
    std::vector<CalendarDate> listed;     // holidays, then notes
    std::vector<CalendarDate> generated;  // any order
};

DefinitionDates DatesOfDefinitions(const MonthRecord& rec) {
    DefinitionDates dates;
    const int y = rec.year[kTarget];
    for (int i = 0; i < rec.holidayCount; ++i) {
        const EvaluatedDate& e = rec.evaluated.holidays[i];
        dates.listed.push_back({y, e.month, e.day});
    }
    for (int i = 0; i < rec.noteCount; ++i) {
        const EvaluatedDate& e = rec.evaluated.notes[i];
        dates.listed.push_back({e.oldCalendar == 1 ? 0 : e.year, e.month, e.day});
    }
    for (int i = 0; i < rec.evaluated.generatedCount; ++i) {
        const GeneratedHoliday& g = rec.evaluated.generated[i];
        dates.generated.push_back({y, g.month, g.day});
    }
    return dates;
}

bool InYear(const CalendarDate& d, int year) { return d.year == year && d.month >= 1 && d.day >= 1; }

// The days of the target year whose holiday or note dates differ between
// two records evaluated for the same target.
std::vector<CalendarDate> ChangedDefinitionDays(const DefinitionDates& before,
                                                const DefinitionDates& after, int year) {
    std::vector<CalendarDate> days;
    const auto add = [&](const CalendarDate& d) {
        if (InYear(d, year)) days.push_back(d);
    };
    for (std::size_t i = 0; i < before.listed.size(); ++i) {
        if (!(before.listed[i] == after.listed[i])) {
            add(before.listed[i]);
            add(after.listed[i]);
        }
    }
    // The generated holidays may differ in number: every date of either
    // list that the other lacks.
    const auto lacks = [](const std::vector<CalendarDate>& list, const CalendarDate& d) {
        return std::find(list.begin(), list.end(), d) == list.end();
    };
    for (const CalendarDate& d : before.generated) {
        if (lacks(after.generated, d)) add(d);
    }
    for (const CalendarDate& d : after.generated) {
        if (lacks(before.generated, d)) add(d);
    }
    return days;
}

// The moved tables and definition days of `c`, for the tables of `rec`
// (which reads the definition files; it is left as it was).
void PrepareMove(const MonthRecord& rec, TableCloseCall& c) {
    const auto movedRecord = RecordAt(rec);
    MonthRecord& moved = *movedRecord;
    if (c.term) {
        StoreEntry(moved.terms, c.index, c.call.otherDay);
    } else {
        StoreEntry(moved.newMoons, c.index, c.call.otherDay);
    }
    c.numberable = TryNumberLunarMonths(moved);
    if (!c.numberable) return;
    ComputeOfficerAnchors(moved);
    c.terms = moved.terms;
    c.newMoons = moved.newMoons;
    std::memcpy(c.lunarMonthNumber, moved.lunarMonthNumber, sizeof c.lunarMonthNumber);
    c.anchorStart = moved.anchorStart;
    c.anchorFirst = moved.anchorFirst;

    const auto baseRecord = RecordAt(rec);
    MonthRecord& base = *baseRecord;
    // Evaluated for 1 January: a definition's date for the year.
    const int y = rec.year[kTarget];
    for (MonthRecord* r : {&base, &moved}) {
        r->month[kTarget] = 1;
        r->day[kTarget] = 1;
        r->weekday[kTarget] = Weekday(y, 1, 1);
    }
    EvaluateDefinitions(base);
    const DefinitionDates before = DatesOfDefinitions(base);
    EvaluateDefinitions(moved);
    c.definitionDays = ChangedDefinitionDays(before, DatesOfDefinitions(moved), y);
}

// 夏至 and 冬至 in the numbering of the terms from 小寒.
constexpr int kSummerSolsticeTerm = 11;
constexpr int kWinterSolsticeTerm = 23;
bool IsSolstice(const EventSides& e) {
    return e.kind == EventKind::SolarTerm && (e.term == kSummerSolsticeTerm || e.term == kWinterSolsticeTerm);
}
// The 節, 小寒 (0) and every second term from it, open the solar months.
bool OpensSolarMonth(const EventSides& e) { return e.kind == EventKind::SolarTerm && e.term % 2 == 0; }

// Whether the day can read otherwise with `c` moved: its lunisolar date or
// 十二直 differs with the moved tables, or its holidays or notes do.
// `moved`: a record of the same year with the tables of `c` loaded.
bool MayChange(const MonthRecord& base, const MonthRecord& moved, const TableCloseCall& c, int y, int m,
               int d) {
    const LunisolarDate baseDate = LunisolarDateOf(base, y, m, d);
    const LunisolarDate movedDate = LunisolarDateOf(moved, y, m, d);
    if (baseDate != movedDate ||
        OfficerIndex(base, y, m, d) != OfficerIndex(moved, y, m, d)) {
        return true;
    }
    const CalendarDate day{y, m, d};
    if (std::find(c.definitionDays.begin(), c.definitionDays.end(), day) != c.definitionDays.end()) {
        return true;
    }
    // A moved 節 moves the solar month and its day count (往亡日 falls on
    // the nth day of its month, weeks after the 節), and the day stars turn
    // on the 甲子 nearest a solstice: a solstice moved across the 30th sign
    // of its cycle moves the turn by sixty days. The lunisolar date is the
    // same on both sides here, and the readings only choose among notes of
    // the solar month's opening, which the 十二直 above already catches.
    if (!OpensSolarMonth(c.call.event) && !IsSolstice(c.call.event)) return false;
    const LowerRegister a = ReadLowerRegister(base, day, baseDate, {});
    const LowerRegister b = ReadLowerRegister(moved, day, movedDate, {});
    return a.rekichu != b.rekichu || !(a.kyusei == b.kyusei);
}

// The close calls among the events of the record's tables, in the order of
// their instants.
std::vector<TableCloseCall> CloseCallsOfTables(const MonthRecord& rec) {
    std::vector<TableCloseCall> out;
    const auto consider = [&](EventKind kind, int term, bool inTerms, int index,
                              const CalendarDate& day) {
        const std::optional<CloseCall> c = CloseCallOf(EventNear(kind, term, day), rec.almanacMode);
        // The event the tables hold is the one whose day they give.
        if (!c || !(c->day == day)) return;
        TableCloseCall& t = out.emplace_back();
        t.call = *c;
        t.term = inTerms;
        t.index = index;
        PrepareMove(rec, t);
    };
    for (int n = 0; n < kNewMoonCount; ++n) {
        consider(EventKind::NewMoon, -1, false, n, EntryAt(rec.newMoons, n));
    }
    for (int k = 0; k < kTermCount; ++k) {
        consider(EventKind::SolarTerm, k % kSolarTermsPerYear, true, k, EntryAt(rec.terms, k));
    }
    std::sort(out.begin(), out.end(), [](const TableCloseCall& a, const TableCloseCall& b) {
        return a.call.instantJdUt < b.call.instantJdUt;
    });
    return out;
}

// The close calls of the last years' tables, keyed as the tables are and by
// the holiday and note files they were moved against: which tables, and
// which reading of the files the tables hold (every load stamps them anew).
struct CloseCallsKey {
    YearKey year;
    const SlotTables* tables = nullptr;
    unsigned long long definitions = 0;
    friend bool operator==(const CloseCallsKey&, const CloseCallsKey&) = default;
};
// A year's close calls, and the record the days' questions load each
// call's moved tables into (made at the first question): one record for
// every call and every day asked, since a record is some 40 KB to make.
struct YearCloseCalls {
    std::vector<TableCloseCall> calls;
    std::unique_ptr<MonthRecord> moved;
};
struct KeptYear {
    bool used = false;
    CloseCallsKey key;
    unsigned lastUse = 0;
    YearCloseCalls year;
};
constexpr int kKeptYears = 4;
KeptYear keptYears[kKeptYears];
unsigned keptClock = 0;

// The close calls of the record's tables, kept; or, while nothing is
// remembered, computed into `uncached`, which the caller holds.
YearCloseCalls& CloseCallsOfYearTables(const MonthRecord& rec, YearCloseCalls& uncached) {
    const CloseCallsKey key{{rec.year[kTarget], rec.almanacMode}, &rec.tables, rec.tables.definitionsStamp};
    if (!AlmanacCaching()) {
        uncached.calls = CloseCallsOfTables(rec);
        return uncached;
    }
    ++keptClock;
    KeptYear* oldest = &keptYears[0];
    for (KeptYear& kept : keptYears) {
        if (kept.used && kept.key == key) {
            kept.lastUse = keptClock;
            return kept.year;
        }
        if (!kept.used || (oldest->used && kept.lastUse < oldest->lastUse)) oldest = &kept;
    }
    *oldest = KeptYear{true, key, keptClock, YearCloseCalls{CloseCallsOfTables(rec), nullptr}};
    return oldest->year;
}

// The entry of `call`'s event in a record's tables, or -1.
int TableIndexOf(const MonthRecord& rec, const CloseCall& call) {
    if (call.event.kind == EventKind::SolarTerm) {
        for (int k = call.event.term; k < kTermCount; k += kSolarTermsPerYear) {
            if (EntryAt(rec.terms, k) == call.day) return k;
        }
        return -1;
    }
    for (int n = 0; n < kNewMoonCount; ++n) {
        if (EntryAt(rec.newMoons, n) == call.day) return n;
    }
    return -1;
}


// The days of year `z` that `call` changes, added to `days`.
void AddDaysOfYear(const MonthRecord& rec, const CloseCall& call, int z, AlmanacMode mode,
                   std::vector<CalendarDate>& days) {
    const auto baseRecord = std::make_unique<MonthRecord>(rec, kReadingSameFiles);
    MonthRecord& base = *baseRecord;
    base.year[kTarget] = z;
    base.month[kTarget] = rec.month[kTarget];
    base.day[kTarget] = rec.day[kTarget];
    base.weekday[kTarget] = rec.weekday[kTarget];
    base.almanacMode = mode;
    UseYearTables(base, YearKey{z, mode});
    TableCloseCall c;
    c.call = call;
    c.term = call.event.kind == EventKind::SolarTerm;
    c.index = TableIndexOf(base, call);
    if (c.index < 0) return;
    PrepareMove(base, c);
    if (!c.numberable) return;
    const auto moved = MovedRecordAt(base, c);
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= DaysInMonth(z, m); ++d) {
            if (MayChange(base, *moved, c, z, m, d)) days.push_back({z, m, d});
        }
    }
}

// The name of the generated holiday a reading of `r` has, or empty.
std::string GeneratedName(const MonthRecord& r, const DayReading& reading) {
    return reading.generatedHoliday >= 0
               ? std::string(GeneratedHolidayName(r.evaluated.generated[reading.generatedHoliday]))
               : std::string();
}

// Whether a day reads alike on both sides. The generated holidays are
// compared by name: their indices count the year's generated holidays
// before the day, which a move earlier in the year shifts.
bool ReadsAlike(const DayChange& c) {
    DayReading here = c.here;
    DayReading other = c.other;
    if (c.hereGenerated == c.otherGenerated) here.generatedHoliday = other.generatedHoliday;
    return here == other;
}

// How the day `date` of the record's year reads in `r` (the record's own
// tables or a close call's moved ones): the definitions evaluated for it,
// as the month computation evaluates them for its target, into `r`'s own
// evaluated part.
DayReading ReadingOn(MonthRecord& r, const CalendarDate& date, RekichuReadings readings,
                     std::string& generatedName) {
    r.month[kTarget] = date.month;
    r.day[kTarget] = date.day;
    r.weekday[kTarget] = Weekday(date.year, date.month, date.day);
    EvaluateDefinitions(r);
    StoreTargetLunisolarDate(r, LunisolarDateOf(r, date.year, date.month, date.day));
    const DayReading reading = ReadingOfTarget(r, readings);
    generatedName = GeneratedName(r, reading);
    return reading;
}

// Whether a day's holidays or notes differ between the two sides.
bool EntriesMove(const DayChange& c) {
    return c.here.holiday != c.other.holiday || c.hereGenerated != c.otherGenerated ||
           c.here.notes != c.other.notes;
}

// The days of the target year a holiday or note may move to or from with
// `c`: those whose dates for the year differ, and those whose lunisolar
// date differs and is, on either side, one a lunisolar note names (by its
// month and day as evaluated; a leap month is matched too, a superset).
std::vector<CalendarDate> DaysEntriesMayMove(const MonthRecord& rec, const TableCloseCall& c) {
    std::vector<CalendarDate> dates = c.definitionDays;
    std::vector<std::pair<int, int>> lunarDays;
    for (int i = 0; i < rec.noteCount; ++i) {
        const EvaluatedDate& e = rec.evaluated.notes[i];
        if (e.oldCalendar == 1) lunarDays.emplace_back(e.month, e.day);
    }
    const auto named = [&lunarDays](const LunisolarDate& date) {
        return std::find(lunarDays.begin(), lunarDays.end(), std::make_pair(date.month, date.day)) !=
               lunarDays.end();
    };
    if (!lunarDays.empty()) {
        const auto moved = MovedRecordAt(rec, c);
        const int y = rec.year[kTarget];
        for (int m = 1; m <= kMonthsPerYear; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const LunisolarDate unmovedDate = LunisolarDateOf(rec, y, m, d);
                const LunisolarDate movedDate = LunisolarDateOf(*moved, y, m, d);
                if (unmovedDate != movedDate && (named(unmovedDate) || named(movedDate))) {
                    dates.push_back({y, m, d});
                }
            }
        }
    }
    std::sort(dates.begin(), dates.end(), [](const CalendarDate& a, const CalendarDate& b) {
        return CompareDates(a.year, a.month, a.day, b.year, b.month, b.day) > 0;
    });
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

// The target's change (the caller read it) and the change of every other
// day of the target year whose holidays or notes the move changes, each
// read on both sides, in date order.
std::vector<DayChange> ChangesOf(const MonthRecord& rec, const TableCloseCall& c, DayChange target,
                                 RekichuReadings readings) {
    std::vector<DayChange> changes;
    bool targetPlaced = false;
    if (!c.entryDays) c.entryDays = DaysEntriesMayMove(rec, c);
    for (const CalendarDate& date : *c.entryDays) {
        if (!targetPlaced && CompareDates(target.date.year, target.date.month, target.date.day,
                                          date.year, date.month, date.day) >= 0) {
            changes.push_back(target);
            targetPlaced = true;
        }
        if (date == target.date) continue;
        const auto unmoved = RecordAt(rec);
        const auto moved = MovedRecordAt(rec, c);
        DayChange change{date, {}, {}, {}, {}};
        change.here = ReadingOn(*unmoved, date, readings, change.hereGenerated);
        change.other = ReadingOn(*moved, date, readings, change.otherGenerated);
        if (EntriesMove(change)) changes.push_back(std::move(change));
    }
    if (!targetPlaced) changes.push_back(std::move(target));
    return changes;
}

}  // namespace

DayReading ReadingOfTarget(const MonthRecord& rec, RekichuReadings readings, bool lowerRegister) {
    const CalendarDate t = TargetOf(rec);
    DayReading r;
    r.lunarMonth = rec.lunarMonth;
    r.lunarDay = rec.lunarDay;
    r.leapMonth = rec.leapMonth;
    r.rokuyo = RokuyoIndex(rec);
    r.officer = OfficerIndex(rec, t.year, t.month, t.day);
    r.holiday = FindHoliday(rec, t.month, t.day);
    r.generatedHoliday = FindGeneratedHoliday(rec, t.month, t.day);
    for (int i = 0; i < rec.noteCount; ++i) {
        if (NoteFallsOnTarget(rec, i) >= 0) r.notes.set(i);
    }
    if (lowerRegister) {
        const LowerRegister lower = LowerRegisterOfTarget(rec, readings);
        r.rekichu = lower.rekichu;
        r.kyusei = lower.kyusei;
    }
    return r;
}

std::vector<DayCloseCall> CloseCallsOfTarget(const MonthRecord& rec, RekichuReadings readings) {
    std::vector<DayCloseCall> out;
    YearCloseCalls uncached;
    YearCloseCalls& year = CloseCallsOfYearTables(rec, uncached);
    if (year.calls.empty()) return out;
    const CalendarDate t = TargetOf(rec);
    std::optional<DayReading> base;
    std::string baseGenerated;
    if (year.moved) {
        StartAt(*year.moved, rec);
    } else {
        year.moved = RecordAt(rec);
    }
    for (const TableCloseCall& c : year.calls) {
        if (!c.numberable) continue;
        // Most days of a year read alike with the event moved; only the
        // others are computed whole, on a record of their own.
        LoadTables(*year.moved, c);
        if (!MayChange(rec, *year.moved, c, t.year, t.month, t.day)) continue;
        const auto movedRecord = MovedRecordAt(rec, c);
        MonthRecord& moved = *movedRecord;
        if (!base) {
            base = ReadingOfTarget(rec, readings);
            baseGenerated = GeneratedName(rec, *base);
        }
        EvaluateDefinitions(moved);
        StoreTargetLunisolarDate(moved, LunisolarDateOf(moved, t.year, t.month, t.day));
        const DayReading other = ReadingOfTarget(moved, readings);
        DayChange target{t, *base, other, baseGenerated, GeneratedName(moved, other)};
        if (ReadsAlike(target)) continue;
        out.push_back({c.call, other, ChangesOf(rec, c, std::move(target), readings)});
    }
    return out;
}

std::vector<CloseCallDays> CloseCallsOfYear(const MonthRecord& rec, int year, AlmanacMode mode) {
    // The standard almanac's tables, cheap to compute, find every event of
    // the year within a day; EventNear gives each as both almanacs place it.
    const auto standardRecord = std::make_unique<MonthRecord>(rec.tables);
    MonthRecord& standard = *standardRecord;
    standard.year[kTarget] = year;
    ComputeSolarTerms(standard);
    ComputeNewMoons(standard);
    std::vector<CloseCall> calls;
    const auto consider = [&](EventKind kind, int term, const CalendarDate& day) {
        if (const std::optional<CloseCall> c = CloseCallOf(EventNear(kind, term, day), mode)) {
            if (c->day.year == year) calls.push_back(*c);
        }
    };
    for (int n = 0; n < kNewMoonCount; ++n) {
        const CalendarDate day = EntryAt(standard.newMoons, n);
        // A new moon on 31 December or 1 January may lie in the year in the
        // other mode.
        if (day.year == year || DayAfter(day, 1).year == year || DayAfter(day, -1).year == year) {
            consider(EventKind::NewMoon, -1, day);
        }
    }
    for (int k = kFirstTermOfTargetYear; k < kFirstTermOfTargetYear + kSolarTermsPerYear; ++k) {
        consider(EventKind::SolarTerm, k % kSolarTermsPerYear, EntryAt(standard.terms, k));
    }
    std::sort(calls.begin(), calls.end(),
              [](const CloseCall& a, const CloseCall& b) { return a.instantJdUt < b.instantJdUt; });

    std::vector<CloseCallDays> out;
    for (const CloseCall& c : calls) {
        CloseCallDays entry{c, {}};
        if (c.day.month <= kLastMonthReachingBack && year > kFirstComputedYear) {
            AddDaysOfYear(rec, c, year - 1, mode, entry.days);
        }
        AddDaysOfYear(rec, c, year, mode, entry.days);
        if (c.day.month >= kFirstMonthReachingOn && year < kLastComputedYear) {
            AddDaysOfYear(rec, c, year + 1, mode, entry.days);
        }
        const auto earlier = [](const CalendarDate& a, const CalendarDate& b) {
            return CompareDates(a.year, a.month, a.day, b.year, b.month, b.day) > 0;
        };
        std::sort(entry.days.begin(), entry.days.end(), earlier);
        entry.days.erase(std::unique(entry.days.begin(), entry.days.end()), entry.days.end());
        out.push_back(std::move(entry));
    }
    return out;
}

void ForgetCloseCalls() {
    for (KeptYear& kept : keptYears) kept = KeptYear{};
}

}  // namespace kalendo
