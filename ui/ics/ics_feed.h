// The almanac as a calendar other programs subscribe to: a rolling window
// of months around today, written as one iCalendar file or as a vdir (one
// file per event, for vdirsyncer and khal), each rewritten only where its
// bytes changed, so that a client reloads only when the almanac changed.
// The events and their text are the export's (ics_events.h,
// ics_calendar.h); the feed adds the window, UIDs that never depend on a
// table position, and the comparison with what is on disk.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"
#include "ui/model/ics_events.h"

namespace kalendo {

// The window by default: the month before today's, today's month and the
// 23 after it, 25 whole months. Whole months, so that a daily rewrite
// changes the file only on the first of a month (or when the definition
// files or the schedules changed).
inline constexpr int kFeedPastMonths = 1;
inline constexpr int kFeedMonths = 24;
// The most either count may be: a century.
inline constexpr int kFeedMaxMonths = 1200;

struct FeedWindow {
    CalendarDate first, last;
    friend bool operator==(const FeedWindow&, const FeedWindow&) = default;
};

// From the first day of the month `pastMonths` before today's month to the
// last day of the month `months` - 1 after it (today's month counts as the
// first of `months`), cut to the almanac's 1600-2999. nullopt when nothing
// of it lies there. Precondition: 0 <= pastMonths, 1 <= months.
std::optional<FeedWindow> FeedWindowAround(CalendarDate today, int pastMonths, int months);

// The feed's UIDs, "YYYYMMDD-<kind word>-<16 hex digits>@kalendo2": the
// day, the kind (IcsKindWord) and the FNV-1a hash of the UTF-8 name, and
// nothing else, so an event keeps its UID when a line is added to a
// definition file or a schedule before it is removed. The second and later
// event of one kind and name on one day get "-2", "-3", … before the "@":
// a calendar never holds one UID twice. Hand the events in the order they
// are visited (by day).
class FeedUids {
public:
    std::string Next(const IcsEvent& event);

private:
    CalendarDate day_{0, 0, 0};
    std::vector<std::string> dayUids_;  // the plain UIDs given on day_
};

// The ending of every file name of the feed's vdir items: only files so
// named are ever removed from the folder.
inline constexpr char kFeedItemSuffix[] = "@kalendo2.ics";

struct FeedResult {
    bool ok = false;            // everything is written
    int error = 0;              // errno value when not
    std::string failedPath;     // the file or folder that failed (UTF-8)
    long long events = 0;       // the events the feed holds
    int filesWritten = 0;       // files replaced or created
    int filesRemoved = 0;       // vdir items of events that left the window
};

// The eclipses of every feed are those seen from `place` (東京 when null).

// The feed's calendar text of the window (IcsFlavour::Feed) and the number
// of its events, its days read on the tables of `rec` (VisitIcsEvents);
// schedules as the table holds them (the caller sweeps the past ones).
// Precondition: IcsRangeAccepted(window.first, window.last).
std::string FeedCalendarText(const MonthRecord& rec, const FeedWindow& window, IcsInclude include,
                             AlmanacMode almanac, long long* events = nullptr,
                             const GeoPosition* place = nullptr);

// The feed into the file at `path` (UTF-8): replaced atomically when its
// bytes differ from the file's, else left alone, its time included.
FeedResult WriteFeedFile(const MonthRecord& rec, const FeedWindow& window, IcsInclude include,
                         AlmanacMode almanac, const std::string& path, const GeoPosition* place = nullptr);

// The feed as a vdir in `folder` (created with its parents when missing):
// one calendar per event, named after its UID and kFeedItemSuffix, each
// replaced atomically only when its bytes differ; the items of events no
// longer in the window (or no longer included) are removed. Other files
// are left alone. Stops at the first failure.
FeedResult WriteFeedFolder(const MonthRecord& rec, const FeedWindow& window, IcsInclude include,
                           AlmanacMode almanac, const std::string& folder,
                           const GeoPosition* place = nullptr);

}  // namespace kalendo
