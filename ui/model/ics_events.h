// The almanac as calendar events: which entries fall on which days of a
// range, for an export to iCalendar. Every day of the range is computed
// by the same ComputeMonth as the day texts and the CLI's "day" objects,
// so an event exists exactly where those show the entry. No toolkit and no
// file here; the serialisation is ics_calendar.h.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/rekichu.h"
#include "ui/model/ics_include.h"
#include "astro/geo_position.h"
#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"

namespace kalendo {

// The kinds of events, in the order they are listed within a day.
enum class IcsKind {
    Holiday,           // holidays: the day's holiday
    GeneratedHoliday,  // holidays: a substitute or citizens' holiday, on a day without a holiday
    Note,              // notes: a calendar note
    UserEvent,         // users: the user's yearly event
    Schedule,          // schedules
    Rokuyo,            // rokuyo: every day's rokuyo
    Lunar,             // lunar: every day's lunisolar date
    Moon,              // moon: a principal phase on its day
    Rekichu,           // rekichu: one event a day carrying the picked notes of the lower register
    Eclipse,           // eclipses: one seen from the place, timed, on the day of its maximum
};


// The JST span of a timed event, each end a civil day and its second.
struct IcsTimes {
    CalendarDate startDay;
    long long startSecond;
    CalendarDate endDay;
    long long endSecond;
    friend bool operator==(const IcsTimes&, const IcsTimes&) = default;
};

// One event, all-day unless `times` is given (an eclipse: from the first
// to the last moment it is seen). Texts are CP932 as the almanac holds them.
struct IcsEvent {
    CalendarDate date;
    IcsKind kind;
    // The entry's index in its table (holidays, generatedHolidays, notes,
    // userEntries, schedules); for the signs the value they show: the
    // rokuyo index 0-5, the lunisolar month (negative in a leap month),
    // the phase in degrees 0/90/180/270; the first note a rekichu event
    // names (RekichuName).
    int index;
    std::string name;         // SUMMARY
    std::string description;  // DESCRIPTION: what the memo dialog shows; "" for none
    std::optional<IcsTimes> times;
    friend bool operator==(const IcsEvent&, const IcsEvent&) = default;
};

// The ASCII word of a kind in UIDs ("holiday", "generated", "note",
// "user", "schedule", "rokuyo", "lunar", "moon", "rekichu", "eclipse"). Part of every UID:
// never to be changed.
const char* IcsKindWord(IcsKind kind);

// The CATEGORIES text of a kind (CP932): 祝日, 休日, 暦日, 行事, 予定,
// 六曜, 旧暦, 月相, 暦注, 日食・月食.
const char* IcsKindCategory(IcsKind kind);

// Both dates are real dates of 1600-2999 and first is not after last.
bool IcsRangeAccepted(CalendarDate first, CalendarDate last);

// Calls `visit` with every event of the range, by day and within a day in
// the kind order above (each table in index order), one day computed at a
// time, so that a range of any length takes the memory of one day's events.
// `visit` returns false to stop (a sink that cannot take more). The number
// of events visited. Precondition: IcsRangeAccepted.
//
// Each day is read (DayReader) in the almanac mode `almanac`, in the full
// display whatever the window shows, on the tables of `rec`, which is
// never written. A holiday hides a generated holiday of the same day, as in
// the event list. Schedules are taken as the table holds them: the caller
// sweeps the past ones first, as the window does.
//
// Eclipses are those seen from `place`, 東京 when it is null.
long long VisitIcsEvents(const MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                         AlmanacMode almanac, const std::function<bool(const IcsEvent&)>& visit,
                         const GeoPosition* place = nullptr);

// Every event of the range at once (VisitIcsEvents into a vector), for
// ranges whose events fit in memory.
std::vector<IcsEvent> CollectIcsEvents(const MonthRecord& rec, CalendarDate first, CalendarDate last,
                                       IcsInclude include, AlmanacMode almanac);

}  // namespace kalendo
