// Holidays of the target year and the two kinds generated from them.
#include "defs/holidays.h"

#include <algorithm>
#include <cstdio>

#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/defs_texts.h"
#include "defs/expression.h"
#include "defs/line_reader.h"

namespace kalendo {
namespace {

// The citizens' holiday (a single working day between two holidays) exists
// from 1986; substitute holidays for a Sunday holiday from 1973, and from
// 2008 on the substitute moves past any holidays that follow the Sunday.
constexpr int kFirstCitizensHolidayYear = 1986;
constexpr int kFirstSubstituteYear = 1973;
constexpr int kFirstConsecutiveSubstituteYear = 2008;
// Generated entries are valid until the end of the supported range.
constexpr int kGeneratedToYear = 3000;

class HolidaySink : public DefinitionSink {
public:
    explicit HolidaySink(DefinitionEntry* table) : table_(table) {}
    int Capacity() const override { return kHolidayCapacity; }
    void ParseEntry(int index, const char* line) override {
        DefinitionEntry& e = table_[index];
        e = kFreshDefinitionEntry;  // a field the line leaves unmatched is not given: -1
        // A line is at most 1023 bytes, so no word can overflow its field.
        std::sscanf(line, "%1023s ( %d - %d ) / %1023s %1023s", e.name, &e.fromYear, &e.toYear,
                    e.expression, e.description);
        ReadExpression(e);
    }
    void StoreText(int, const char*) override {}  // the holiday file has no blocks

private:
    DefinitionEntry* table_;
};

void Append(MonthRecord& rec, bool substitute, int month, int day, int fromYear) {
    int& count = rec.evaluated.generatedCount;
    if (count >= kGeneratedHolidayCapacity) return;
    rec.evaluated.generated[count++] = {substitute, month, day, fromYear, kGeneratedToYear};
}

}  // namespace

std::optional<LoadProblem> LoadHolidays(MonthRecord& rec, std::string_view fileBytes) {
    SlotTables& tables = rec.TablesToChange();
    HolidaySink sink(tables.holidays);
    auto problem = ReadDefinitionFile(fileBytes, TextBlockMode::None, kHolidayFileName, sink,
                                      rec.holidayCount);
    StampDefinitions(tables);
    return problem;
}

const char* GeneratedHolidayName(const GeneratedHoliday& g) {
    return g.substitute ? kSubstituteHolidayName : kCitizensHolidayName;
}

void EvaluateHolidays(MonthRecord& rec) {
    const int y = rec.year[kTarget];
    EvaluatedDate* dates = rec.evaluated.holidays;
    for (int i = 0; i < rec.holidayCount; ++i) {
        dates[i].month = -1;
        dates[i].day = -1;
    }
    for (int i = 0; i < rec.holidayCount; ++i) {
        if (HolidayValidIn(rec.tables.holidays[i], y)) EvaluateExpression(rec, rec.tables.holidays[i], dates[i]);
    }
}

void GenerateHolidays(MonthRecord& rec) {
    const int y = rec.year[kTarget];
    const DefinitionEntry* listed = rec.tables.holidays;
    const EvaluatedDate* h = rec.evaluated.holidays;
    rec.evaluated.generatedCount = 0;

    // Both rules look only at the holidays that fall on a day this year, in
    // file order; a year has a few dozen of the table's entries.
    int onADay[kHolidayCapacity];
    int n = 0;
    for (int i = 0; i < rec.holidayCount && i < kHolidayCapacity; ++i) {
        if (HolidayFallsOnADay(listed[i], h[i], y)) onADay[n++] = i;
    }

    // Citizens' holidays: a day between two holidays of the same month, the
    // earlier one listed first. The day between is generated whatever it is.
    if (y >= kFirstCitizensHolidayYear) {
        for (int p = 0; p < n; ++p) {
            const EvaluatedDate& a = h[onADay[p]];
            for (int q = p + 1; q < n; ++q) {
                const EvaluatedDate& b = h[onADay[q]];
                if (a.month != b.month || b.day != a.day + 2) continue;
                Append(rec, false, a.month, a.day + 1,
                       std::max({kFirstCitizensHolidayYear, listed[onADay[p]].fromYear,
                                 listed[onADay[q]].fromYear}));
            }
        }
    }

    // Substitute holidays for Sunday holidays, in file order. Only the
    // holiday table is consulted, never the generated days.
    if (y < kFirstSubstituteYear) return;
    // Whether some holiday falls on month/day (the substitute rule of 2008).
    auto holidayOn = [&](int month, int day) {
        for (int p = 0; p < n; ++p) {
            if (h[onADay[p]].month == month && h[onADay[p]].day == day) return true;
        }
        return false;
    };
    for (int p = 0; p < n; ++p) {
        const int i = onADay[p];
        int sy = y;
        int sm = h[i].month;
        int sd = h[i].day;
        NormalizeDate(sy, sm, sd);
        if (Weekday(sy, sm, sd) != 0) continue;
        sy = y;
        sm = h[i].month;
        sd = h[i].day + 1;
        int fromYear = std::max(kFirstSubstituteYear, listed[i].fromYear);
        if (y >= kFirstConsecutiveSubstituteYear) {
            // The first day after the Sunday that holds no holiday; every
            // step rescans the holidays of the year.
            while (holidayOn(sm, sd)) ++sd;
            fromYear = std::max(kFirstConsecutiveSubstituteYear, listed[i].fromYear);
        }
        // A substitute past the end of the month is the next month's day;
        // one that leaves the year belongs to no day of it.
        NormalizeDate(sy, sm, sd);
        if (sy != y) continue;
        Append(rec, true, sm, sd, fromYear);
    }
}

}  // namespace kalendo
