// The almanac's events as one RFC 5545 calendar, built and serialised by
// libical (folding, escaping, line ends). The one place both the CLI and
// the window produce the exported file, so the two give the same bytes
// for the same record, range and include list.
#pragma once

#include <ctime>
#include <optional>
#include <string>
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

// The calendar text: VCALENDAR (VERSION, PRODID, CALSCALE, METHOD
// PUBLISH, X-WR-CALNAME) and one all-day VEVENT per event in the given
// order: UID, DTSTAMP (UTC), DTSTART and DTEND (the day after) as dates,
// SUMMARY, DESCRIPTION (left out when empty), CATEGORIES, TRANSP
// TRANSPARENT (an almanac day never makes anyone busy). CP932 texts become
// UTF-8, CR LF line breaks in notes become the text's line breaks, and
// control characters iCalendar text cannot hold are left out. Lines end in
// CR LF.
std::string IcsCalendarText(const std::vector<IcsEvent>& events, std::time_t stamp);

// CollectIcsEvents and IcsCalendarText. Precondition: IcsRangeAccepted.
std::string ExportIcs(MonthRecord& rec, CalendarDate first, CalendarDate last,
                      const IcsInclude& include, AlmanacMode almanac, std::time_t stamp);

}  // namespace kalendo
