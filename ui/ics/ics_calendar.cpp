#include "ui/ics/ics_calendar.h"

#include <libical/ical.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>

#include "core/day_arith.h"
#include "platform/fnv1a.h"
#include "platform/text_codec.h"
#include "ui/model/settings.h"  // kProgramVersion

namespace kalendo {
namespace {

// RFC 5545's longest line, in octets before its CR LF.
constexpr std::size_t kFoldOctets = 75;

constexpr std::string_view kCalendarEnd = "END:VCALENDAR\r\n";

// The calendar's name in X-WR-CALNAME and NAME.
constexpr char kIcsCalendarName[] = "Kalendo2";

// The latest second icaltime can still write as a four-digit year.
constexpr std::time_t kLastStampSecond = 253402300799;  // 9999-12-31 23:59:59 UTC

// UTF-8 text for a TEXT value: CR LF and lone CR become LF (libical
// escapes LF as "\n"); other C0 controls and DEL are not allowed in
// iCalendar text and are dropped; tabs stay.
std::string IcsText(const std::string& cp932) {
    const std::string utf8 = Utf8FromCp932(cp932);
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r') {
            text += '\n';
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        } else if (c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7f)) {
            text += static_cast<char>(c);
        }
    }
    return text;
}

icaltimetype DateValue(int y, int m, int d) {
    NormalizeDate(y, m, d);
    icaltimetype t = icaltime_null_date();
    t.year = y;
    t.month = m;
    t.day = d;
    return t;
}

// Japan Standard Time, which has had no daylight saving since 1951: one
// STANDARD rule. Timed events name it by its TZID.
constexpr char kJstZoneId[] = "Asia/Tokyo";
constexpr std::string_view kJstZone =
    "BEGIN:VTIMEZONE\r\n"
    "TZID:Asia/Tokyo\r\n"
    "BEGIN:STANDARD\r\n"
    "DTSTART:19700101T000000\r\n"
    "TZOFFSETFROM:+0900\r\n"
    "TZOFFSETTO:+0900\r\n"
    "TZNAME:JST\r\n"
    "END:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

// A JST clock time of a civil day, as a local time of kJstZoneId.
icalproperty* WithJstZone(icalproperty* p) {
    icalproperty_add_parameter(p, icalparameter_new_tzid(kJstZoneId));
    return p;
}
icaltimetype JstTimeValue(const CalendarDate& day, long long second) {
    icaltimetype t = icaltime_null_time();
    t.year = day.year;
    t.month = day.month;
    t.day = day.day;
    t.hour = static_cast<int>(second / 3600);
    t.minute = static_cast<int>(second / 60 % 60);
    t.second = static_cast<int>(second % 60);
    return t;
}

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

icalcomponent* NewEvent(const IcsEvent& e, const std::string& uid, const icaltimetype& stamp) {
    icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(ev, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    if (const std::optional<IcsTimes>& t = e.times) {
        icalcomponent_add_property(
            ev, WithJstZone(icalproperty_new_dtstart(JstTimeValue(t->startDay, t->startSecond))));
        icalcomponent_add_property(
            ev, WithJstZone(icalproperty_new_dtend(JstTimeValue(t->endDay, t->endSecond))));
    } else {
        icalcomponent_add_property(ev, icalproperty_new_dtstart(DateValue(e.date.year, e.date.month, e.date.day)));
        icalcomponent_add_property(ev,
                                   icalproperty_new_dtend(DateValue(e.date.year, e.date.month, e.date.day + 1)));
    }
    icalcomponent_add_property(ev, icalproperty_new_summary(IcsText(e.name).c_str()));
    const std::string description = IcsText(e.description);
    if (!description.empty()) {
        icalcomponent_add_property(ev, icalproperty_new_description(description.c_str()));
    }
    icalcomponent_add_property(ev, icalproperty_new_categories(Utf8FromCp932(IcsKindCategory(e.kind)).c_str()));
    icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return ev;
}

// Serialised component as libical writes it (folded by its own rule).
std::string Serialised(icalcomponent* c) {
    char* text = icalcomponent_as_ical_string_r(c);
    std::string bytes = text != nullptr ? text : "";
    icalmemory_free_buffer(text);
    return bytes;
}

// Where the piece of `line` (a logical line ending in CR LF) that starts at
// `start` ends, counted as libical 3.0 counts: the closing CR LF with the
// text, so a rest of 74 octets or more (CR LF included) is cut.
std::size_t FoldEnd(std::string_view line, std::size_t start) {
    if (line.size() - start < kFoldOctets) return line.size();
    // After the last separator within the first 74 octets, not the first.
    for (std::size_t p = start + kFoldOctets - 2; p > start; --p) {
        if (line[p] == ';' || line[p] == ':' || line[p] == ' ') return p + 1;
    }
    // Before the last character start within the first 75 octets. The
    // line's own LF is none: a rest of 73 octets and CR LF stays whole
    // (73 octets fit a line, with or without the fold's blank).
    for (std::size_t p = start + kFoldOctets - 1; p > start; --p) {
        if (p == line.size() - 1) return line.size();
        if ((static_cast<unsigned char>(line[p]) & 0xC0) != 0x80) return p;
    }
    // 74 octets without a character start: no UTF-8 text.
    return start + kFoldOctets - 1;
}

// One logical line, CR LF at its end, folded into `out`. Every piece after
// the first is a continuation line: CR LF and a blank before it.
void AppendFolded(std::string_view line, std::string& out) {
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = FoldEnd(line, start);
        if (start > 0) out += "\r\n ";
        out.append(line.substr(start, end - start));
        start = end;
    }
}

}  // namespace

std::string IcsUid(const IcsEvent& e) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%s-%d-%016llx@kalendo2", e.date.year, e.date.month,
                  e.date.day, IcsKindWord(e.kind), e.index,
                  static_cast<unsigned long long>(Fnv1a64(Utf8FromCp932(e.name))));
    return buf;
}

std::optional<std::time_t> IcsExportTime() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr) return std::time(nullptr);
    if (*epoch == '\0') return std::nullopt;
    std::time_t seconds = 0;
    for (const char* p = epoch; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return std::nullopt;
        seconds = seconds * 10 + (*p - '0');
        if (seconds > kLastStampSecond) return std::nullopt;
    }
    return seconds;
}

IcsWriter::IcsWriter(std::time_t stamp, IcsSink sink, IcsFlavour flavour)
    : stamp_(stamp), flavour_(flavour), sink_(std::move(sink)) {
    std::unique_ptr<icalcomponent, ComponentDeleter> cal(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    const std::string prodid = std::string("-//Kalendo2//Kalendo2 ") + kProgramVersion + "//JA";
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(prodid.c_str()));
    // A calendar item of a vdir is stored as a CalDAV resource would be:
    // without METHOD, and the collection's name is not the item's.
    if (flavour != IcsFlavour::FeedItem) {
        icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
        icalcomponent_add_property(cal.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
        icalproperty* name = icalproperty_new_x(kIcsCalendarName);
        icalproperty_set_x_name(name, "X-WR-CALNAME");
        icalcomponent_add_property(cal.get(), name);
    }
    if (flavour == IcsFlavour::Feed) {
        // A subscription is read again once a day: the almanac's days
        // change no faster, and the window rewrites the file at midnight.
        icalcomponent_add_property(cal.get(), icalproperty_new_name(kIcsCalendarName));
        struct icaldurationtype day = icaldurationtype_null_duration();
        day.days = 1;
        icalproperty* refresh = icalproperty_new_refreshinterval(day);
        icalproperty_add_parameter(refresh, icalparameter_new_value(ICAL_VALUE_DURATION));
        icalcomponent_add_property(cal.get(), refresh);
        icalproperty* ttl = icalproperty_new_x("P1D");
        icalproperty_set_x_name(ttl, "X-PUBLISHED-TTL");
        icalcomponent_add_property(cal.get(), ttl);
    }
    // The calendar without its events is the header and the last line;
    // the events go between the two.
    std::string text = Serialised(cal.get());
    if (text.size() >= kCalendarEnd.size() && text.compare(text.size() - kCalendarEnd.size(), std::string::npos,
                                                           kCalendarEnd) == 0) {
        text.resize(text.size() - kCalendarEnd.size());
    }
    FoldIcsLines(text, folded_);
    Put(folded_);
}

bool IcsWriter::Event(const IcsEvent& event) { return Event(event, IcsUid(event)); }

bool IcsWriter::Event(const IcsEvent& event, const std::string& uid) {
    if (!ok_) return false;
    icaltimetype stampUtc;
    if (flavour_ == IcsFlavour::Export) {
        stampUtc = icaltime_from_timet_with_zone(stamp_, 0, icaltimezone_get_utc_timezone());
    } else {
        stampUtc = DateValue(event.date.year, event.date.month, event.date.day);
        stampUtc.is_date = 0;
        stampUtc.hour = stampUtc.minute = stampUtc.second = 0;
        stampUtc.zone = icaltimezone_get_utc_timezone();
    }
    std::unique_ptr<icalcomponent, ComponentDeleter> ev(NewEvent(event, uid, stampUtc));
    // The zone its times name stands once, before the first timed event;
    // an export without one keeps the bytes it always had.
    if (event.times && !zoneWritten_) {
        if (!Put(kJstZone)) return false;
        zoneWritten_ = true;
    }
    folded_.clear();
    FoldIcsLines(Serialised(ev.get()), folded_);
    if (!Put(folded_)) return false;
    ++events_;
    return true;
}

bool IcsWriter::Finish() { return ok_ && Put(kCalendarEnd); }

bool IcsWriter::Put(std::string_view bytes) {
    if (ok_ && !sink_(bytes)) ok_ = false;
    return ok_;
}

void FoldIcsLines(std::string_view serialised, std::string& out) {
    // Unfolded first: every fold of the serialiser's is CR LF and a blank
    // (no text holds a CR or an LF of its own), and its wrong cut between a
    // CR and its LF unfolds to the whole line end again.
    std::string unfolded;
    unfolded.reserve(serialised.size());
    std::size_t from = 0;
    for (std::size_t fold; (fold = serialised.find("\r\n ", from)) != std::string_view::npos; from = fold + 3) {
        unfolded.append(serialised.substr(from, fold - from));
    }
    unfolded.append(serialised.substr(from));

    const std::string_view lines = unfolded;
    from = 0;
    for (std::size_t end; (end = lines.find("\r\n", from)) != std::string_view::npos; from = end + 2) {
        AppendFolded(lines.substr(from, end + 2 - from), out);
    }
    // No text of ours ends without its CR LF; should one, it is not lost.
    if (from < lines.size()) AppendFolded(std::string(lines.substr(from)) + "\r\n", out);
}

std::string IcsCalendarText(const std::vector<IcsEvent>& events, std::time_t stamp) {
    std::string text;
    IcsWriter writer(stamp, [&](std::string_view bytes) {
        text.append(bytes);
        return true;
    });
    for (const IcsEvent& e : events) writer.Event(e);
    writer.Finish();
    return text;
}

long long ExportIcs(const MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                    AlmanacMode almanac, std::time_t stamp, const IcsSink& sink,
                    const GeoPosition* place) {
    IcsWriter writer(stamp, sink);
    if (!writer.ok()) return 0;
    VisitIcsEvents(
        rec, first, last, include, almanac, [&](const IcsEvent& e) { return writer.Event(e); }, place);
    writer.Finish();
    return writer.events();
}

}  // namespace kalendo
