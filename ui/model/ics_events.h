// The almanac as calendar events: which entries fall on which days of a
// range, for an export to iCalendar. Every day of the range is computed
// by the same ComputeMonth as the day texts and the CLI's "day" objects,
// so an event exists exactly where those show the entry. No toolkit and no
// file here; the serialisation is ics_calendar.h.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
};

// Which kinds an export holds; the words of the comma list, in this order:
// "holidays" (both holiday kinds), "notes", "users", "schedules", "rokuyo",
// "lunar", "moon". The default is the first four.
struct IcsInclude {
    bool holidays = true;
    bool notes = true;
    bool users = true;
    bool schedules = true;
    bool rokuyo = false;
    bool lunar = false;
    bool moon = false;
    bool Any() const { return holidays || notes || users || schedules || rokuyo || lunar || moon; }
    friend bool operator==(const IcsInclude&, const IcsInclude&) = default;
};

// The flags of an IcsInclude in the words' order, to walk them in a loop.
inline constexpr int kIcsIncludeCount = 7;
inline std::array<bool*, kIcsIncludeCount> IcsIncludeFlags(IcsInclude& in) {
    return {&in.holidays, &in.notes, &in.users, &in.schedules, &in.rokuyo, &in.lunar, &in.moon};
}

// A comma list of the words above, each at most once, none empty;
// nullopt for anything else (an unknown or repeated word, "", "a,,b").
std::optional<IcsInclude> ParseIcsInclude(std::string_view list);

// The comma list of an IcsInclude, in the words' order ("" for none).
std::string IcsIncludeList(const IcsInclude& include);

// One all-day event. Texts are CP932 as the almanac holds them.
struct IcsEvent {
    CalendarDate date;
    IcsKind kind;
    // The entry's index in its table (holidays, generatedHolidays, notes,
    // userEntries, schedules); for the signs the value they show: the
    // rokuyo index 0-5, the lunisolar month (negative in a leap month),
    // the phase in degrees 0/90/180/270.
    int index;
    std::string name;         // SUMMARY
    std::string description;  // DESCRIPTION: what the memo dialog shows; "" for none
    friend bool operator==(const IcsEvent&, const IcsEvent&) = default;
};

// The ASCII word of a kind in UIDs ("holiday", "generated", "note",
// "user", "schedule", "rokuyo", "lunar", "moon"). Part of every UID:
// never to be changed.
const char* IcsKindWord(IcsKind kind);

// The CATEGORIES text of a kind (CP932): 祝日, 休日, 暦日, 行事, 予定,
// 六曜, 旧暦, 月相.
const char* IcsKindCategory(IcsKind kind);

// Both dates are real dates of 1600-2999 and first is not after last.
bool IcsRangeAccepted(CalendarDate first, CalendarDate last);

// Every event of the range, by day and within a day in the kind order
// above (each table in index order). Precondition: IcsRangeAccepted.
//
// Moves `rec` through every day of the range with ComputeMonth in the
// almanac mode `almanac`, in the full display whatever the window shows;
// the record is left at `last`. A holiday hides a generated holiday of the
// same day, as in the event list. Schedules are taken as the table holds
// them: the caller sweeps the past ones first, as the window does.
std::vector<IcsEvent> CollectIcsEvents(MonthRecord& rec, CalendarDate first, CalendarDate last,
                                       const IcsInclude& include, AlmanacMode almanac);

}  // namespace kalendo
