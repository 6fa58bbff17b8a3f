#include "ui/model/ics_events.h"

#include <array>
#include <memory>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/eclipses.h"
#include "astro/ephemeris.h"
#include "astro/places.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "month/read_day.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/day_entries.h"
#include "ui/model/ics_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {


const char* PhaseName(int degrees) {
    switch (degrees) {
        case kNewMoonPhase: return kIcsNewMoon;
        case kFirstQuarterPhase: return kIcsFirstQuarter;
        case kFullMoonPhase: return kIcsFullMoon;
        case kLastQuarterPhase: return kIcsLastQuarter;
        default: return nullptr;
    }
}

// The event kind of a day's entry (DayEntry::kind).
IcsKind IcsKindOfEntry(int entryKind) {
    switch (entryKind) {
        case kHolidayRow: return IcsKind::Holiday;
        case kGeneratedHolidayRow: return IcsKind::GeneratedHoliday;
        case kNoteRow: return IcsKind::Note;
        case kUserEventRow: return IcsKind::UserEvent;
        default: return IcsKind::Schedule;
    }
}

// The include word that chooses an entry's kind: "holidays" both holiday kinds.
IcsWord WordOfKind(IcsKind kind) {
    switch (kind) {
        case IcsKind::Holiday:
        case IcsKind::GeneratedHoliday: return IcsWord::Holidays;
        case IcsKind::Note: return IcsWord::Notes;
        case IcsKind::UserEvent: return IcsWord::Users;
        default: return IcsWord::Schedules;
    }
}

// The events of a day read on the record's tables, handed to `visit` one
// by one; false as soon as `visit` says stop.
bool VisitDay(const MonthRecord& rec, const DayOfAlmanac& day, IcsInclude include,
              const std::function<bool(const IcsEvent&)>& visit, long long& count, const GeoPosition& place) {
    const CalendarDate t = day.date;
    IcsEvent event{t, IcsKind::Holiday, 0, {}, {}, {}};
    bool goOn = true;
    auto add = [&](IcsKind kind, int index, std::string name, std::string description) {
        if (!goOn) return;
        event.kind = kind;
        event.index = index;
        event.name = std::move(name);
        event.description = std::move(description);
        ++count;
        goOn = visit(event);
    };
    // The day's entries as the event list shows them, each kind when its word is included.
    if (include.Has(IcsWord::Holidays) || include.Has(IcsWord::Notes) || include.Has(IcsWord::Users) ||
        include.Has(IcsWord::Schedules)) {
        for (DayEntry& e : EntriesOnDay(rec, day.entries)) {
            const IcsKind kind = IcsKindOfEntry(e.kind);
            if (include.Has(WordOfKind(kind))) add(kind, e.index, std::move(e.text), std::move(e.description));
        }
    }
    if (include.Has(IcsWord::Rokuyo)) {
        const int k = day.reading.rokuyo;
        if (k >= 0) {
            add(IcsKind::Rokuyo, k, RokuyoName(k),
                FormatText(kIcsRokuyoFormat, RokuyoName(k), RokuyoReading(k)));
        }
    }
    if (const LunisolarDate lunar = day.reading.lunisolar(); include.Has(IcsWord::Lunar) && lunar.day > 0) {
        const std::string name = FormatText(lunar.leap ? kIcsLunarLeapFormat : kIcsLunarFormat, lunar.month, lunar.day);
        add(IcsKind::Lunar, SignedMonthFromLunisolarDate(lunar), name, "");
    }
    if (include.Has(IcsWord::Moon)) {
        const int phase = AstronomyOf(day.almanac).moonPhaseOfDay(t.year, t.month, t.day);
        if (const char* name = PhaseName(phase)) add(IcsKind::Moon, phase, name, "");
    }
    if (include.Has(IcsWord::Rekichu)) {
        // The picked notes of the day in their fixed order: "天赦日・一粒万倍日",
        // each with its meaning on a line of the description.
        const RekichuSet notes = day.reading.rekichu & include.rekichuPicks;
        std::string name, description;
        int first = -1;
        for (int k = 0; k < kRekichuCount; ++k) {
            if (!Contains(notes, static_cast<RekichuName>(k))) continue;
            if (first < 0) {
                first = k;
            } else {
                name += kIcsRekichuSeparator;
                description += "\r\n";
            }
            name += RekichuNameText(k);
            description += FormatText(kIcsRekichuFormat, RekichuNameText(k), RekichuMeaning(k));
        }
        if (first >= 0) add(IcsKind::Rekichu, first, std::move(name), std::move(description));
    }
    if (include.Has(IcsWord::Eclipses)) {
        const double midnight = JstMidnightJd(t.year, t.month, t.day);
        if (const std::optional<Eclipse> e = FirstEclipseSeenFrom(place, midnight, midnight + 1)) {
            const SeenSpan seen = SeenSpanOf(*e);
            const JstSecond start = JstSecondOf(seen.firstJdUt), end = JstSecondOf(seen.lastJdUt);
            event.times = IcsTimes{start.day, start.secondOfDay, end.day, end.secondOfDay};
            add(IcsKind::Eclipse, static_cast<int>(e->kind), std::string(EclipseKindText(*e)),
                EclipseDescription(*e));
            event.times.reset();
        }
    }
    return goOn;
}

}  // namespace


const char* IcsKindWord(IcsKind kind) {
    switch (kind) {
        case IcsKind::Holiday: return "holiday";
        case IcsKind::GeneratedHoliday: return "generated";
        case IcsKind::Note: return "note";
        case IcsKind::UserEvent: return "user";
        case IcsKind::Schedule: return "schedule";
        case IcsKind::Rokuyo: return "rokuyo";
        case IcsKind::Lunar: return "lunar";
        case IcsKind::Moon: return "moon";
        case IcsKind::Rekichu: return "rekichu";
        case IcsKind::Eclipse: return "eclipse";
    }
    return "";
}

const char* IcsKindCategory(IcsKind kind) {
    switch (kind) {
        case IcsKind::Holiday: return kIcsCategoryHoliday;
        case IcsKind::GeneratedHoliday: return kIcsCategoryGeneratedHoliday;
        case IcsKind::Note: return kIcsCategoryNote;
        case IcsKind::UserEvent: return kIcsCategoryUserEvent;
        case IcsKind::Schedule: return kIcsCategorySchedule;
        case IcsKind::Rokuyo: return kIcsCategoryRokuyo;
        case IcsKind::Lunar: return kIcsCategoryLunar;
        case IcsKind::Moon: return kIcsCategoryMoon;
        case IcsKind::Rekichu: return kIcsCategoryRekichu;
        case IcsKind::Eclipse: return kIcsCategoryEclipse;
    }
    return "";
}

bool IcsRangeAccepted(CalendarDate first, CalendarDate last) {
    return ComputeMonthAccepts(first.year, first.month, first.day) &&
           ComputeMonthAccepts(last.year, last.month, last.day) &&
           CompareDates(first.year, first.month, first.day, last.year, last.month, last.day) >= 0;
}

long long VisitIcsEvents(const MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                         AlmanacMode almanac, const std::function<bool(const IcsEvent&)>& visit,
                         const GeoPosition* place) {
    const GeoPosition where = place ? *place : ListedPlaces()[kDefaultPlaceIndex].position;
    long long count = 0;
    if (!IcsRangeAccepted(first, last)) return count;
    // Every day as the full display computes it, whatever the window shows,
    // read on a record of the reader's own: the window's day stays as it is.
    const MonthOptions options{almanac, kViewFull};
    DayQuestions questions;
    questions.lowerRegister = include.Has(IcsWord::Rekichu);
    questions.readings = include.readings;
    const auto reader = std::make_unique<DayReader>(rec);
    int y = first.year, m = first.month, d = first.day;
    // Real dates of the accepted years: the reader reads every one.
    while (CompareDates(y, m, d, last.year, last.month, last.day) >= 0) {
        const std::optional<DayOfAlmanac> day = reader->Read({y, m, d}, options, questions);
        if (day && !VisitDay(rec, *day, include, visit, count, where)) break;
        ++d;
        NormalizeDate(y, m, d);
    }
    return count;
}

std::vector<IcsEvent> CollectIcsEvents(const MonthRecord& rec, CalendarDate first, CalendarDate last,
                                       IcsInclude include, AlmanacMode almanac) {
    std::vector<IcsEvent> events;
    VisitIcsEvents(rec, first, last, include, almanac, [&](const IcsEvent& e) {
        events.push_back(e);
        return true;
    });
    return events;
}

}  // namespace kalendo
