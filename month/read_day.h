// What any day of 1600-2999 reads, asked as a question: the lunisolar date,
// signs, 十二直, mansion, holiday, notes, user entries and schedules that a
// month computation of that day would give, and on request its moon age and
// close calls. The day is computed on a record of the reader's own that
// reads the window's tables (no second copy of them), so the window's
// record is never moved: the grid's other days, the spoken names and any
// range of days are read without computing the window's day again.
#pragma once

#include <bitset>
#include <optional>
#include <vector>

#include "almanac/rekichu.h"
#include "core/month_record.h"
#include "month/close_calls.h"
#include "month/compute_month.h"
#include "platform/calendar_date.h"

namespace kalendo {

// What a reading asks for beyond the day's signs and entries: the moon's
// age and the close calls cost more than the rest of the day together, the
// lower register about a fifth of it.
struct DayQuestions {
    bool moonAge = false;     // the moon's age at noon
    bool closeCalls = false;  // the close calls the day depends on
    bool lowerRegister = true;  // the 暦注 and 九星 in `reading`, else empty
    RekichuReadings readings;
};

// What falls on a day, as the event list shows it: indices into the tables
// the day was read on.
struct DayEntries {
    int holiday = -1;
    // The generated holiday, as itself (its index counts the generated
    // holidays of the year of the record it was read on); a holiday hides
    // it in the event list.
    std::optional<GeneratedHoliday> generated;
    int generatedIndex = -1;
    std::bitset<kNoteCapacity> notes;
    std::bitset<kUserEntryCapacity> userEntries;
    std::bitset<kScheduleCapacity> schedules;
    bool operator==(const DayEntries&) const = default;
};

// The entries of the record's target as the month computation left them.
DayEntries EntriesOfTarget(const MonthRecord& rec);

struct DayOfAlmanac {
    CalendarDate date;
    int weekday = -1;  // 0 = Sunday
    AlmanacMode almanac = AlmanacMode::Standard;
    // The lunisolar date, 六曜, 十二直, holiday, notes and lower register
    // (the part a close call can change).
    DayReading reading;
    int yearStem = 0, yearBranch = 0, monthStem = 0, monthBranch = 0;
    int dayStem = 0, dayBranch = 0;
    int mansion = 0;  // 0 (角) ... 27 (軫)
    DayEntries entries;
    int solarMonth = 0;  // 1 (寅) ... 12 (丑) with the lower register, else 0
    std::optional<double> moonAge;                // when asked
    std::vector<DayCloseCall> closeCalls;         // when asked
};

// Reads days one by one on a record of its own made on the window's tables
// (the window's counts and today are taken when it is made); the window's
// record must outlive it and is never written.
class DayReader {
public:
    explicit DayReader(const MonthRecord& window);
    // The day `d` in the modes of `options` (in the monthly display, like
    // every month computation, today is read instead); nothing for a date
    // outside 1600-2999 or no real date, without the range message.
    std::optional<DayOfAlmanac> Read(const CalendarDate& d, MonthOptions options,
                                     const DayQuestions& questions = {});
    // The lunisolar date alone of `d` in `mode`, from its year's tables, no
    // definition evaluated: what the grid's second line shows of every day.
    // Month 0 for a date outside 1600-2999.
    LunisolarDate Lunisolar(const CalendarDate& d, AlmanacMode mode);
    // The reader's record as the last Read left it, computed for that day:
    // the month beyond the day (its grid, its era) for a caller that draws one.
    const MonthRecord& LastRead() const { return day_; }

private:
    // The year tables now in `day_` changed: the lunar month remembered goes.
    void TablesAre(int year, AlmanacMode mode);

    MonthRecord day_;
    int tablesYear_ = 0;  // 0: none yet
    AlmanacMode tablesMode_{};
    // The lunar month the last date fell in, as Julian dates at 0 h: a
    // grid's days lie in at most three, so most dates need no search.
    double monthFirstJd_ = 0;
    double monthEndJd_ = 0;  // the next new moon's day
    LunisolarDate first_;    // the month's first day
};

// One day read once (a reader made for it alone).
std::optional<DayOfAlmanac> ReadDay(const MonthRecord& window, const CalendarDate& d,
                                    MonthOptions options, const DayQuestions& questions = {});

}  // namespace kalendo
