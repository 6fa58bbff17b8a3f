#include "ui/model/ics_calendar.h"

#include <libical/ical.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/day_arith.h"
#include "platform/fnv1a.h"
#include "platform/text_codec.h"
#include "ui/model/settings.h"  // kProgramVersion

namespace kalendo {
namespace {

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

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

icalcomponent* NewEvent(const IcsEvent& e, const icaltimetype& stamp) {
    icalcomponent* ev = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(ev, icalproperty_new_uid(IcsUid(e).c_str()));
    icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(ev, icalproperty_new_dtstart(DateValue(e.date.year, e.date.month, e.date.day)));
    icalcomponent_add_property(ev,
                               icalproperty_new_dtend(DateValue(e.date.year, e.date.month, e.date.day + 1)));
    icalcomponent_add_property(ev, icalproperty_new_summary(IcsText(e.name).c_str()));
    const std::string description = IcsText(e.description);
    if (!description.empty()) {
        icalcomponent_add_property(ev, icalproperty_new_description(description.c_str()));
    }
    icalcomponent_add_property(ev, icalproperty_new_categories(Utf8FromCp932(IcsKindCategory(e.kind)).c_str()));
    icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    return ev;
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

std::string IcsCalendarText(const std::vector<IcsEvent>& events, std::time_t stamp) {
    std::unique_ptr<icalcomponent, ComponentDeleter> cal(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    const std::string prodid = std::string("-//Kalendo2//Kalendo2 ") + kProgramVersion + "//JA";
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(cal.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
    icalproperty* name = icalproperty_new_x("Kalendo2");
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(cal.get(), name);

    const icaltimetype stampUtc =
        icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone());
    for (const IcsEvent& e : events) icalcomponent_add_component(cal.get(), NewEvent(e, stampUtc));

    char* text = icalcomponent_as_ical_string_r(cal.get());
    std::string bytes = text != nullptr ? text : "";
    icalmemory_free_buffer(text);
    return bytes;
}

std::string ExportIcs(MonthRecord& rec, CalendarDate first, CalendarDate last,
                      const IcsInclude& include, AlmanacMode almanac, std::time_t stamp) {
    return IcsCalendarText(CollectIcsEvents(rec, first, last, include, almanac), stamp);
}

}  // namespace kalendo
