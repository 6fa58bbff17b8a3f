// The almanac's events as one RFC 5545 calendar: each component built and
// serialised by libical (escaping, line ends), its lines folded here, the
// whole written piece by piece as the days are computed. The one place
// both the CLI and the window produce the exported file, so the two give
// the same bytes for the same record, range and include list.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/month_record.h"
#include "ui/model/ics_events.h"

namespace kalendo {

// "YYYYMMDD-<kind word>-<index>-<16 hex digits>@kalendo2": the date, the
// kind, the entry index and the 64-bit FNV-1a hash of the UTF-8 name.
// Nothing else goes in, so a later export of the same entry on the same
// day carries the same UID and a client updates the event instead of
// adding a second one.
std::string IcsUid(const IcsEvent& event);

// The time an export is stamped with (DTSTAMP): SOURCE_DATE_EPOCH when it
// is set (seconds since 1970 in decimal digits, at most the end of 9999),
// so that two exports of the same data are byte-identical; else the
// clock. nullopt when SOURCE_DATE_EPOCH is set but is not such a number.
std::optional<std::time_t> IcsExportTime();

// Receives a calendar's bytes in order, piece by piece; false when it
// cannot take them (the export then stops).
using IcsSink = std::function<bool(std::string_view bytes)>;

// What surrounds the events and what their DTSTAMP says.
enum class IcsFlavour {
    // A one-off export: the header below, DTSTAMP the time of the export.
    Export,
    // A file calendar programs subscribe to (ics_feed.h): the export's
    // header and NAME, REFRESH-INTERVAL and X-PUBLISHED-TTL of one day;
    // DTSTAMP is 0 h UTC of the event's own day, so that no byte depends on
    // when the feed was written and an unchanged almanac is an unchanged file.
    Feed,
    // One event of a vdir (a calendar item): VERSION and PRODID only,
    // DTSTAMP as in Feed.
    FeedItem,
};

// Writes one RFC 5545 calendar to a sink as it is made: the VCALENDAR
// header (VERSION, PRODID, CALSCALE, METHOD PUBLISH, X-WR-CALNAME) when it
// is constructed, one VEVENT for each Event call, END:VCALENDAR at Finish.
// Each VEVENT is an all-day event: UID, DTSTAMP (UTC), DTSTART and DTEND
// (the day after) as dates (a timed one: JST times of the zone Asia/Tokyo,
// whose VTIMEZONE precedes the first of them), SUMMARY, DESCRIPTION (left out when empty),
// CATEGORIES, TRANSP TRANSPARENT (an almanac day never makes anyone busy).
// CP932 texts become UTF-8, CR LF line breaks in notes become the text's
// line breaks, and control characters iCalendar text cannot hold are left
// out. libical builds and serialises each component; the lines are then
// folded here (FoldIcsLines), so every line ends in CR LF and holds at most
// 75 octets. Nothing but the event being written is kept.
class IcsWriter {
public:
    IcsWriter(std::time_t stamp, IcsSink sink, IcsFlavour flavour = IcsFlavour::Export);
    IcsWriter(const IcsWriter&) = delete;
    IcsWriter& operator=(const IcsWriter&) = delete;

    // false once the sink has refused anything (and from then on).
    bool Event(const IcsEvent& event);
    // The same with the UID given (the feed's, FeedUids).
    bool Event(const IcsEvent& event, const std::string& uid);
    bool Finish();

    bool ok() const { return ok_; }
    long long events() const { return events_; }

private:
    bool Put(std::string_view bytes);

    std::time_t stamp_;  // DTSTAMP, the same for every event of an Export
    IcsFlavour flavour_;
    IcsSink sink_;
    std::string folded_;  // reused for each component
    bool ok_ = true;
    bool zoneWritten_ = false;  // the VTIMEZONE of timed events
    long long events_ = 0;
};

// The calendar text of `events` in the given order (IcsWriter into a string).
std::string IcsCalendarText(const std::vector<IcsEvent>& events, std::time_t stamp);

// Serialised content lines, folded or not (a fold is CR LF and one blank),
// folded again the way RFC 5545 asks, into `out`: each logical line is cut
// into lines of at most 75 octets before their CR LF, never inside a UTF-8
// character and never between a line's CR and its LF. The cuts fall where
// libical 3.0 puts them (after the last ';', ':' or blank that leaves the
// line short enough, else before the last character that fits), so an
// export keeps the bytes of the releases before; libical's one wrong cut,
// which counted the closing CR as the 75th octet and split the line end
// in two, becomes a 73-octet line with its CR LF whole. `serialised` ends
// in CR LF.
void FoldIcsLines(std::string_view serialised, std::string& out);

// The calendar of the range in the almanac mode `almanac`, written to
// `sink` as it is computed: the memory of one day's events whatever the
// length of the range.
// VisitIcsEvents and IcsWriter. The number of events written; the writer
// stops at the first refusal of the sink (the caller knows why).
// Precondition: IcsRangeAccepted. `rec` is not written: the days are
// read on its tables (VisitIcsEvents).
// Eclipses are those seen from `place` (東京 when null).
long long ExportIcs(const MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                    AlmanacMode almanac, std::time_t stamp, const IcsSink& sink,
                    const GeoPosition* place = nullptr);

}  // namespace kalendo
