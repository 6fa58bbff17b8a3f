#include "ui/model/rekichu_notes.h"

#include <algorithm>

#include "almanac/sign_names.h"
#include "core/calendar_constants.h"

namespace kalendo {
namespace {

// The notes of the lower register that are one day of the sixty, by its
// index (0 甲子 ... 59 癸亥).
struct SignDay {
    RekichuName name;
    int sexagenary;
};
constexpr SignDay kSignDays[] = {
    {RekichuName::Kinoene, 0}, {RekichuName::Tsuchinotomi, 5}, {RekichuName::Koushin, 56}};

std::string SignText(int sexagenary) {
    return std::string(StemName(sexagenary % kStemCount)) + BranchName(sexagenary % kBranchCount);
}

bool SaidBy(RekichuName name, const std::string& note) {
    if (note == RekichuNameText(static_cast<int>(name))) return true;
    return std::any_of(std::begin(kSignDays), std::end(kSignDays), [&](const SignDay& s) {
        return s.name == name && note == SignText(s.sexagenary);
    });
}

}  // namespace

RekichuSet RekichuNotInNotes(RekichuSet notes, const std::vector<std::string>& noteNames) {
    for (int k = 0; k < kRekichuCount; ++k) {
        const RekichuName name = static_cast<RekichuName>(k);
        if (!Contains(notes, name)) continue;
        for (const std::string& note : noteNames) {
            if (SaidBy(name, note)) notes &= ~RekichuBit(name);
        }
    }
    return notes;
}

}  // namespace kalendo
