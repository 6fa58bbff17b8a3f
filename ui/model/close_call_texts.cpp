#include "ui/model/close_call_texts.h"

#include <cmath>

#include "almanac/sign_names.h"
#include "core/day_arith.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

constexpr int kSecondsPerMinute = 60;

// "1 分 15 秒" or "35 秒".
std::string Duration(double seconds) {
    const long long s = std::llround(std::fabs(seconds));
    if (s < kSecondsPerMinute) return FormatUnbounded(kCloseCallSecondsFormat, static_cast<int>(s));
    return FormatUnbounded(kCloseCallMinutesFormat, static_cast<int>(s / kSecondsPerMinute),
                           static_cast<int>(s % kSecondsPerMinute));
}

const char* Side(double seconds) { return seconds < 0 ? kCloseCallBefore : kCloseCallAfter; }

}  // namespace

std::string CloseCallSentence(const MonthRecord& rec, const DayCloseCall& c) {
    const CloseCall& call = c.call;
    const char* name = call.event.kind == EventKind::NewMoon ? kCloseCallNewMoonName
                                                             : kCloseCallTermNames[call.event.term];
    std::string s = FormatUnbounded(kCloseCallEventFormat, call.day.month, call.day.day, name);
    s += FormatUnbounded(kCloseCallDistanceFormat, Duration(call.distanceSeconds).c_str(),
                         Side(call.distanceSeconds));
    const std::string bound = Duration(std::ceil(call.event.boundSeconds));
    if (rec.almanacMode == AlmanacMode::Standard) {
        s += FormatUnbounded(kCloseCallPreciseBoundFormat,
                             Duration(call.preciseDistanceSeconds).c_str(),
                             Side(call.preciseDistanceSeconds), bound.c_str());
    } else {
        s += FormatUnbounded(kCloseCallBoundFormat, bound.c_str());
    }
    const bool later = CompareDates(call.day.year, call.day.month, call.day.day, call.otherDay.year,
                                    call.otherDay.month, call.otherDay.day) > 0;
    s += later ? kCloseCallNextDay : kCloseCallPreviousDay;
    const DayReading& o = c.other;
    const char* rokuyo = RokuyoName(o.rokuyo);
    s += o.lunarMonth < 0
             ? FormatUnbounded(kCloseCallOldCalendarLeapFormat, -o.lunarMonth, o.lunarDay, rokuyo)
             : FormatUnbounded(kCloseCallOldCalendarFormat, o.lunarMonth, o.lunarDay, rokuyo);
    s += FormatUnbounded(kCloseCallOfficerFormat, OfficerName(o.officer));
    const DayReading now = ReadingOfTarget(rec);
    if (o.holiday != now.holiday) {
        s += o.holiday >= 0 ? FormatUnbounded(kCloseCallHolidayFormat, rec.tables.holidays[o.holiday].name)
                            : std::string(kCloseCallNoHoliday);
    }
    s += kCloseCallEnd;
    return s;
}

CloseCallTexts BuildCloseCallTexts(MonthRecord& rec) {
    CloseCallTexts texts;
    for (const DayCloseCall& c : CloseCallsOfTarget(rec)) {
        const std::string sentence = CloseCallSentence(rec, c);
        texts.mark = kCloseCallMark;
        texts.detail += kCloseCallLinePrefix + sentence + kCloseCallLineEnd;
        texts.spoken += sentence;
    }
    return texts;
}

}  // namespace kalendo
