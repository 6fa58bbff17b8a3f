#include "ui/model/close_call_texts.h"

#include <cmath>
#include <map>
#include <tuple>

#include "almanac/kyusei.h"
#include "almanac/rekichu.h"
#include "almanac/sign_names.h"
#include "astro/ephemeris.h"
#include "core/day_arith.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kSecondsPerHour = 3600;

// "1分15秒" or "35秒".
std::string Duration(double seconds) {
    const long long s = std::llround(std::fabs(seconds));
    if (s < kSecondsPerMinute) return FormatUnbounded(kCloseCallSecondsFormat, static_cast<int>(s));
    return FormatUnbounded(kCloseCallMinutesFormat, static_cast<int>(s / kSecondsPerMinute),
                           static_cast<int>(s % kSecondsPerMinute));
}

const char* Side(double seconds) { return seconds < 0 ? kCloseCallBefore : kCloseCallAfter; }

// "2月3日 23時58分45秒": an instant (JD, UT) as JST to the second.
std::string Clock(double jdUt) {
    const JstSecond at = JstSecondOf(jdUt);
    const int s = static_cast<int>(at.secondOfDay);
    return FormatUnbounded(kCloseCallClockFormat, at.day.month, at.day.day, s / kSecondsPerHour,
                           s / kSecondsPerMinute % kSecondsPerMinute, s % kSecondsPerMinute);
}

// "午前0時の2分40秒後", or "2月4日 午前0時の1分15秒前" when the clock time
// lies on the day before the midnight: a midnight is named by the day it
// begins, so that a time on the 3rd is never read as the 3rd's first hour.
std::string FromMidnight(double instantJdUt, double midnightJdUt, double distanceSeconds) {
    const CalendarDate midnight = JstSecondOf(midnightJdUt).day;
    const std::string d = Duration(distanceSeconds);
    if (JstSecondOf(instantJdUt).day == midnight) {
        return FormatUnbounded(kCloseCallMidnightFormat, d.c_str(), Side(distanceSeconds));
    }
    return FormatUnbounded(kCloseCallDatedMidnightFormat, midnight.month, midnight.day, d.c_str(),
                           Side(distanceSeconds));
}

std::string DayName(const CalendarDate& day, const CalendarDate& target) {
    return day == target ? std::string(kCloseCallThisDay)
                         : FormatUnbounded(kCloseCallDateFormat, day.month, day.day);
}

// A holiday, generated holiday or note, known by its table and index (a
// generated holiday by its name: the other side's table is not kept).
using EntryKey = std::tuple<int, int, std::string>;
enum EntryTable { kHolidayEntry, kGeneratedEntry, kNoteEntry };

struct EntryMove {
    std::string name;
    std::vector<CalendarDate> gained, lost;
};

// The entries one day has on one side.
std::vector<std::pair<EntryKey, std::string>> EntriesOf(const MonthRecord& rec, const DayReading& r,
                                                        const std::string& generated) {
    std::vector<std::pair<EntryKey, std::string>> out;
    if (r.holiday >= 0) out.push_back({{kHolidayEntry, r.holiday, {}}, rec.tables.holidays[r.holiday].name});
    if (!generated.empty()) out.push_back({{kGeneratedEntry, 0, generated}, generated});
    for (int i = 0; i < rec.noteCount; ++i) {
        if (r.notes.test(i)) out.push_back({{kNoteEntry, i, {}}, rec.tables.notes[i].name});
    }
    return out;
}

// The holidays and notes that would move, in the order of their first day.
std::vector<EntryMove> MovesOf(const MonthRecord& rec, const std::vector<DayChange>& changes) {
    std::map<EntryKey, std::size_t> index;
    std::vector<EntryMove> moves;
    const auto note = [&](const EntryKey& key, const std::string& name) -> EntryMove& {
        const auto [it, added] = index.emplace(key, moves.size());
        if (added) moves.push_back({name, {}, {}});
        return moves[it->second];
    };
    for (const DayChange& c : changes) {
        const auto here = EntriesOf(rec, c.here, c.hereGenerated);
        const auto other = EntriesOf(rec, c.other, c.otherGenerated);
        const auto has = [](const auto& list, const EntryKey& key) {
            for (const auto& e : list) {
                if (e.first == key) return true;
            }
            return false;
        };
        for (const auto& [key, name] : other) {
            if (!has(here, key)) note(key, name).gained.push_back(c.date);
        }
        for (const auto& [key, name] : here) {
            if (!has(other, key)) note(key, name).lost.push_back(c.date);
        }
    }
    return moves;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::string s;
    for (const std::string& item : items) {
        if (!s.empty()) s += separator;
        s += item;
    }
    return s;
}

// "旧暦は11月30日、六曜は仏滅、十二直は定、暦注は天恩日、日の九星は一白水星": the day's
// own signs and lower register that differ.
std::vector<std::string> SignsChanged(const DayChange& c) {
    std::vector<std::string> items;
    const DayReading& h = c.here;
    const DayReading& o = c.other;
    if (const LunisolarDate lunar = o.lunisolar(); h.lunisolar() != lunar) {
        items.push_back(
            FormatUnbounded(lunar.leap ? kCloseCallLunarLeapFormat : kCloseCallLunarFormat, lunar.month, lunar.day));
    }
    if (h.rokuyo != o.rokuyo) items.push_back(FormatUnbounded(kCloseCallRokuyoFormat, RokuyoName(o.rokuyo)));
    if (h.officer != o.officer) {
        items.push_back(FormatUnbounded(kCloseCallOfficerFormat, OfficerName(o.officer)));
    }
    if (h.rekichu != o.rekichu) {
        std::vector<std::string> names;
        for (int k = 0; k < kRekichuCount; ++k) {
            if (Contains(o.rekichu, static_cast<RekichuName>(k))) names.push_back(RekichuNameText(k));
        }
        const std::string joined = names.empty() ? std::string(kCloseCallNoRekichu)
                                                 : Joined(names, kCloseCallNameSeparator);
        items.push_back(FormatUnbounded(kCloseCallRekichuFormat, joined.c_str()));
    }
    const std::pair<int KyuseiStars::*, const char*> stars[] = {
        {&KyuseiStars::year, kCloseCallYearStarFormat},
        {&KyuseiStars::month, kCloseCallMonthStarFormat},
        {&KyuseiStars::day, kCloseCallDayStarFormat}};
    for (const auto& [star, format] : stars) {
        if (h.kyusei.*star != o.kyusei.*star) items.push_back(FormatUnbounded(format, KyuseiName(o.kyusei.*star)));
    }
    return items;
}


std::string DayNames(const std::vector<CalendarDate>& days, const CalendarDate& target) {
    std::vector<std::string> names;
    for (const CalendarDate& d : days) names.push_back(DayName(d, target));
    return Joined(names, kCloseCallDateSeparator);
}

}  // namespace

std::string CloseCallSentence(const MonthRecord& rec, const DayCloseCall& c) {
    const CloseCall& call = c.call;
    const char* name = call.event.kind == EventKind::NewMoon ? kCloseCallNewMoonName
                                                             : kCloseCallTermNames[call.event.term];
    std::string s = FormatUnbounded(kCloseCallInstantFormat, name, Clock(call.instantJdUt).c_str());
    const std::string fromMidnight = FromMidnight(call.instantJdUt, call.midnightJdUt, call.distanceSeconds);
    const std::string bound = Duration(std::ceil(call.event.boundSeconds));
    if (rec.almanacMode == AlmanacMode::Standard) {
        s += FormatUnbounded(kCloseCallDistanceFormat, fromMidnight.c_str());
        s += FormatUnbounded(kCloseCallPreciseFormat, Clock(call.event.preciseJdUt).c_str(), bound.c_str());
    } else {
        s += FormatUnbounded(kCloseCallDistanceBoundFormat, fromMidnight.c_str(), bound.c_str());
    }
    s += FormatUnbounded(kCloseCallOtherSideFormat, call.otherDay.month, call.otherDay.day);
    s += CloseCallChangeWords(rec, c);
    s += kCloseCallEnd;
    return s;
}

std::string CloseCallChangeWords(const MonthRecord& rec, const DayCloseCall& c) {
    const CalendarDate target{rec.year[kTarget], rec.month[kTarget], rec.day[kTarget]};
    std::vector<std::string> items;
    for (const EntryMove& m : MovesOf(rec, c.changes)) {
        items.push_back(m.gained.empty()
                            ? FormatUnbounded(kCloseCallGoneFormat, DayNames(m.lost, target).c_str(), m.name.c_str())
                            : FormatUnbounded(kCloseCallMovedFormat, m.name.c_str(),
                                              DayNames(m.gained, target).c_str()));
    }
    // The day's own signs; another day's follow when that day is selected.
    for (const DayChange& change : c.changes) {
        std::vector<std::string> signs = SignsChanged(change);
        if (signs.empty() || !(change.date == target)) continue;
        signs.front() = kCloseCallThisDay + std::string(kCloseCallDayOf) + signs.front();
        items.push_back(Joined(signs, kCloseCallItemSeparator));
    }
    return Joined(items, kCloseCallItemSeparator);
}

CloseCallTexts BuildCloseCallTexts(const MonthRecord& rec, RekichuReadings readings) {
    CloseCallTexts texts;
    for (const DayCloseCall& c : CloseCallsOfTarget(rec, readings)) {
        const std::string sentence = CloseCallSentence(rec, c);
        texts.mark = kCloseCallMark;
        texts.detail += kCloseCallLinePrefix + sentence + kCloseCallLineEnd;
        texts.spoken += sentence;
        if (texts.first.empty()) texts.first = sentence;
    }
    return texts;
}

}  // namespace kalendo
