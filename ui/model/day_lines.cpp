#include "ui/model/day_lines.h"

#include "month/lower_register.h"
#include "ui/model/day_lines_texts.h"
#include "ui/model/model_texts.h"
#include "ui/model/rekichu_notes.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/sky_texts.h"
#include "ui/model/sky_words.h"

namespace kalendo {
namespace {

std::string RiseSetText(const char* riseLabel, const SkyEvents& rise, const char* setLabel,
                        const SkyEvents& set) {
    return std::string(riseLabel) + ' ' + SkyTimesText(rise) + ' ' + setLabel + ' ' +
           SkyTimesText(set);
}

}  // namespace

RekichuSet RekichuLineNotes(const MonthRecord& rec, const std::vector<ListRow>& eventList,
                            RekichuReadings readings, RekichuSet picks) {
    std::vector<std::string> noteNames;
    for (const ListRow& row : eventList) {
        if (row.kind == kNoteRow) noteNames.push_back(row.text);
    }
    return RekichuNotInNotes(LowerRegisterOfTarget(rec, readings).rekichu & picks, noteNames);
}

std::string RekichuLineText(RekichuSet notes) {
    return kDayLineRekichuPrefix + (notes != 0 ? RekichuNames(notes) : kDayLineRekichuNone);
}

std::string SunLineText(const DaySky& sky) {
    return RiseSetText(kSkySunrise, sky.sunrise, kSkySunset, sky.sunset);
}

std::string MoonLineText(const DaySky& sky) {
    return RiseSetText(kSkyMoonrise, sky.moonrise, kSkyMoonset, sky.moonset);
}

std::vector<std::string> DayLineSizingTexts() {
    // Two-digit hours on both sides: the widest a day of one rise and one
    // set shows.
    const std::string time = "12:00";
    return {RekichuLineText(kDefaultRekichuPicks),
            std::string(kSkySunrise) + ' ' + time + ' ' + kSkySunset + ' ' + time,
            std::string(kSkyMoonrise) + ' ' + time + ' ' + kSkyMoonset + ' ' + time};
}

}  // namespace kalendo
