#include "ui/model/rekichu_view.h"

#include "almanac/kyusei.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

constexpr char kLineEnd[] = "\r\n";

}  // namespace

std::string RekichuDetailText(const MonthRecord& rec, RekichuReadings readings) {
    const LowerRegister day = LowerRegisterOfTarget(rec, readings);
    std::string text = FormatText(kDetailKyuseiFormat, KyuseiName(day.kyusei.year),
                                  KyuseiName(day.kyusei.month), KyuseiName(day.kyusei.day));
    text += kLineEnd;
    for (int k = 0; k < kRekichuCount; ++k) {
        if (!Contains(day.rekichu, static_cast<RekichuName>(k))) continue;
        text += FormatText(kDetailRekichuFormat, RekichuNameText(k), RekichuMeaning(k));
        text += kLineEnd;
    }
    return text;
}

std::string RekichuNames(RekichuSet notes) {
    std::string names;
    for (int k = 0; k < kRekichuCount; ++k) {
        if (!Contains(notes, static_cast<RekichuName>(k))) continue;
        if (!names.empty()) names += kRekichuNameSeparator;
        names += RekichuNameText(k);
    }
    return names;
}

PickedRekichu::PickedRekichu(const MonthRecord& rec, RekichuReadings readings, RekichuSet picks)
    : reader_(rec), readings_(readings), picks_(picks) {}

RekichuSet PickedRekichu::Of(const CalendarDate& date) {
    return reader_.Of(date, readings_).rekichu & picks_;
}

std::string PickedRekichu::NamesOf(const CalendarDate& date) { return RekichuNames(Of(date)); }

}  // namespace kalendo
