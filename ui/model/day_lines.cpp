#include "ui/model/day_lines.h"

#include "month/lower_register.h"
#include "ui/model/day_lines_texts.h"
#include "ui/model/model_texts.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/sky_texts.h"
#include "ui/model/sky_words.h"

namespace kalendo {
namespace {

// The note of the lower register a calendar note of that name shows.
RekichuSet ShownByNote(const std::string& noteCp932) {
    if (noteCp932 == kNoteKinoene) return RekichuBit(RekichuName::Kinoene);
    if (noteCp932 == kNoteTsuchinotomi) return RekichuBit(RekichuName::Tsuchinotomi);
    if (noteCp932 == kNoteKoushin) return RekichuBit(RekichuName::Koushin);
    const std::optional<RekichuName> same = RekichuByName(noteCp932);
    return same ? RekichuBit(*same) : 0;
}

std::string RiseSetText(const char* riseLabel, const SkyEvents& rise, const char* setLabel,
                        const SkyEvents& set) {
    return std::string(riseLabel) + ' ' + SkyTimesText(rise) + ' ' + setLabel + ' ' +
           SkyTimesText(set);
}

}  // namespace

RekichuSet RekichuLineNotes(const MonthRecord& rec, const std::vector<ListRow>& eventList,
                            RekichuReadings readings, RekichuSet picks) {
    RekichuSet notes = LowerRegisterOfTarget(rec, readings).rekichu & picks;
    for (const ListRow& row : eventList) {
        if (row.kind == kNoteRow) notes &= ~ShownByNote(row.text);
    }
    return notes;
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
