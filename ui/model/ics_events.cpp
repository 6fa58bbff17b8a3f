#include "ui/model/ics_events.h"

#include <array>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/eclipses.h"
#include "astro/ephemeris.h"
#include "astro/places.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/day_off.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "ui/model/eclipse_texts.h"
#include "month/lower_register.h"
#include "platform/text_codec.h"
#include "ui/model/ics_texts.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"
#include "ui/model/settings.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// In the order of IcsWord.
constexpr std::array<const char*, kIcsWordCount> kIncludeWords = {
    "holidays", "notes", "users", "schedules", "rokuyo", "lunar", "moon", "rekichu", "eclipses"};

constexpr IcsWord WordAt(std::size_t k) { return static_cast<IcsWord>(k); }

const char* PhaseName(int degrees) {
    switch (degrees) {
        case kNewMoonPhase: return kIcsNewMoon;
        case kFirstQuarterPhase: return kIcsFirstQuarter;
        case kFullMoonPhase: return kIcsFullMoon;
        case kLastQuarterPhase: return kIcsLastQuarter;
        default: return nullptr;
    }
}

// The events of the record's target day, handed to `visit` one by one;
// false as soon as `visit` says stop.
bool VisitDay(const MonthRecord& rec, IcsInclude include, const std::function<bool(const IcsEvent&)>& visit,
              long long& count, const GeoPosition& place) {
    const CalendarDate t = TargetDate(rec);
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
    if (include.Has(IcsWord::Holidays)) {
        // As the event list: the holiday, or else the generated holiday.
        if (const int h = FindHoliday(rec, t.month, t.day); h >= 0) {
            add(IcsKind::Holiday, h, rec.tables.holidays[h].name, rec.tables.holidays[h].description);
        } else if (const int g = FindGeneratedHoliday(rec, t.month, t.day); g >= 0) {
            // The memo dialog shows no text for a generated holiday.
            add(IcsKind::GeneratedHoliday, g, GeneratedHolidayName(rec.evaluated.generated[g]), "");
        }
    }
    if (include.Has(IcsWord::Notes)) {
        for (int i = 0; i < rec.noteCount; ++i) {
            if (NoteFallsOnTarget(rec, i) >= 0) {
                add(IcsKind::Note, i, rec.tables.notes[i].name, rec.tables.notes[i].description);
            }
        }
    }
    if (include.Has(IcsWord::Users)) {
        for (int i = 0; i < rec.userEntryCount; ++i) {
            if (UserEntryFallsOn(rec, i, t.year, t.month, t.day) >= 0) {
                add(IcsKind::UserEvent, i, rec.tables.userEntries[i].name, rec.tables.userEntries[i].description);
            }
        }
    }
    if (include.Has(IcsWord::Schedules)) {
        for (int i = 0; i < rec.scheduleCount; ++i) {
            if (ScheduleFallsOn(rec, i, t.year, t.month, t.day) >= 0) {
                add(IcsKind::Schedule, i, rec.tables.schedules[i].name, rec.tables.schedules[i].text);
            }
        }
    }
    if (include.Has(IcsWord::Rokuyo)) {
        const int k = RokuyoIndex(rec);
        if (k >= 0) {
            add(IcsKind::Rokuyo, k, RokuyoName(k),
                FormatText(kIcsRokuyoFormat, RokuyoName(k), RokuyoReading(k)));
        }
    }
    if (const LunisolarDate lunar = TargetLunisolarDate(rec); include.Has(IcsWord::Lunar) && lunar.day > 0) {
        const std::string name = FormatText(lunar.leap ? kIcsLunarLeapFormat : kIcsLunarFormat, lunar.month, lunar.day);
        add(IcsKind::Lunar, SignedMonthFromLunisolarDate(lunar), name, "");
    }
    if (include.Has(IcsWord::Moon)) {
        const int phase = AstronomyOf(rec.almanacMode).moonPhaseOfDay(t.year, t.month, t.day);
        if (const char* name = PhaseName(phase)) add(IcsKind::Moon, phase, name, "");
    }
    if (include.Has(IcsWord::Rekichu)) {
        // The picked notes of the day in their fixed order: "天赦日・一粒万倍日",
        // each with its meaning on a line of the description.
        const RekichuSet notes = LowerRegisterOfTarget(rec, include.readings).rekichu & include.rekichuPicks;
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

const char* IcsWordText(IcsWord w) { return kIncludeWords[static_cast<std::size_t>(w)]; }

std::optional<IcsInclude> ParseIcsInclude(std::string_view list) {
    IcsInclude include = IcsInclude::None();
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = list.find(',', from);
        const std::string_view word =
            list.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
        bool known = false;
        for (std::size_t k = 0; k < kIncludeWords.size(); ++k) {
            if (word != kIncludeWords[k]) continue;
            if (include.Has(WordAt(k))) return std::nullopt;  // repeated
            include = include.With(WordAt(k));
            known = true;
        }
        if (!known) return std::nullopt;
        if (comma == std::string_view::npos) return include;
        from = comma + 1;
    }
}

std::string IcsIncludeList(IcsInclude include) {
    std::string list;
    for (std::size_t k = 0; k < kIncludeWords.size(); ++k) {
        if (!include.Has(WordAt(k))) continue;
        if (!list.empty()) list += ',';
        list += kIncludeWords[k];
    }
    return list;
}

std::optional<RekichuSet> ParseRekichuPicks(std::string_view utf8List) {
    RekichuSet picks = 0;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = utf8List.find(',', from);
        const std::string_view word =
            utf8List.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
        const std::optional<RekichuName> name = RekichuByName(Cp932FromUtf8(word));
        if (!name || Contains(picks, *name)) return std::nullopt;  // unknown or repeated
        picks |= RekichuBit(*name);
        if (comma == std::string_view::npos) return picks;
        from = comma + 1;
    }
}

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

long long VisitIcsEvents(MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                         AlmanacMode almanac, const std::function<bool(const IcsEvent&)>& visit,
                         const GeoPosition* place) {
    const GeoPosition where = place ? *place : ListedPlaces()[kDefaultPlaceIndex].position;
    long long count = 0;
    if (!IcsRangeAccepted(first, last)) return count;
    // Every day as the full display computes it, whatever the window shows.
    const MonthOptions options{almanac, kViewFull};
    int y = first.year, m = first.month, d = first.day;
    // Real dates of the accepted years: ComputeMonth accepts every one.
    while (CompareDates(y, m, d, last.year, last.month, last.day) >= 0) {
        ComputeMonth(rec, y, m, d, options);
        if (!VisitDay(rec, include, visit, count, where)) break;
        ++d;
        NormalizeDate(y, m, d);
    }
    return count;
}

std::vector<IcsEvent> CollectIcsEvents(MonthRecord& rec, CalendarDate first, CalendarDate last,
                                       IcsInclude include, AlmanacMode almanac) {
    std::vector<IcsEvent> events;
    VisitIcsEvents(rec, first, last, include, almanac, [&](const IcsEvent& e) {
        events.push_back(e);
        return true;
    });
    return events;
}

}  // namespace kalendo
