// The notes of the lower register (暦注) and the selected days (選日): which
// of them fall on a day, from the day's facts alone. Some thirty notes have
// only a handful of shapes (a set of the sixty day signs, a day branch or
// stem per solar month, a day count from the month's opening term, lunar
// days per lunar month, one mansion); each note is one row of a table of
// such rules and one evaluator reads them all, so the solar month is
// decided in one place. Where almanacs differ, each reading is a value the
// caller hands in. Pure: no astronomy, no record.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kalendo {

// In the order every list of a day's notes follows (not the rules' order).
enum class RekichuName : int {
    Tensha, Ichiryu, Bosou, Gettoku, Tenon, Daimyo, Kamiyoshi, Kishuku, Tora, Mi,
    Tsuchinotomi, Kinoene, Koushin, Fujoju, Sanrinbo, Jushi, Jisshi, Kiko, Chiimi,
    Oumou, Taika, Rouzeki, Metsumon, Tenka, Chika, Juu, Fuku, Gomu, Jippougure,
    Tenichitenjo, Hassen, Ootsuchi, Kotsuchi,
};
inline constexpr int kRekichuCount = 33;

// A set of names, bit k for RekichuName k.
using RekichuSet = std::uint64_t;
constexpr RekichuSet RekichuBit(RekichuName name) {
    return RekichuSet{1} << static_cast<int>(name);
}
constexpr bool Contains(RekichuSet set, RekichuName name) {
    return (set & RekichuBit(name)) != 0;
}

// 一粒万倍日: 「併用」 two branches a solar month (the default), or 「一支」
// one branch a month. 大明日: 「25日」 of the sixty (the default), or
// 「21日」 without 己巳, 庚午, 丁未 and 戊午.
enum class IchiryuReading : int { Combined, OneBranch };
enum class DaimyoReading : int { TwentyFive, TwentyOne };
struct RekichuReadings {
    IchiryuReading ichiryu = IchiryuReading::Combined;
    DaimyoReading daimyo = DaimyoReading::TwentyFive;
    friend bool operator==(const RekichuReadings&, const RekichuReadings&) = default;
};

// The notes the window marks and an export names unless others are picked.
inline constexpr RekichuSet kDefaultRekichuPicks =
    RekichuBit(RekichuName::Tensha) | RekichuBit(RekichuName::Ichiryu);

// What the notes are read from.
struct RekichuDay {
    int sexagenary = 0;     // 0 (甲子) ... 59 (癸亥)
    int solarMonth = 1;     // 1 (寅, from 立春's day) ... 12 (丑, from 小寒's)
    int solarMonthDay = 1;  // the month's opening term's day is 1
    int lunarMonth = 0;     // 1-12, a leap month the number it repeats; 0: unknown
    int lunarDay = 0;       // 1-30; 0: unknown
    int mansion = 0;        // 0 (角) ... 27 (軫); 鬼 is 22
};

// Every note that falls on the day under the readings.
RekichuSet RekichuOf(const RekichuDay& day, RekichuReadings readings);
// The notes of `only` that fall on the day: the rules of the others are
// not read (a month grid asks a few picked notes of every day).
RekichuSet RekichuOf(const RekichuDay& day, RekichuReadings readings, RekichuSet only);

// CP932 name ("天赦日") and one line of meaning; "" outside 0-32.
const char* RekichuNameText(int k);
const char* RekichuMeaning(int k);

// The name whose CP932 text is `cp932`, if any.
std::optional<RekichuName> RekichuByName(std::string_view cp932);

// The readings' CP932 names (「併用」, 「一支」, 「25日」, 「21日」) and
// back: "" / nullopt for anything else.
const char* IchiryuReadingName(IchiryuReading reading);
const char* DaimyoReadingName(DaimyoReading reading);
std::optional<IchiryuReading> IchiryuReadingByName(std::string_view cp932);
std::optional<DaimyoReading> DaimyoReadingByName(std::string_view cp932);

// Applies "NAME=READING" (CP932) to `readings`: false, leaving them as they
// were, when NAME is not 一粒万倍日 or 大明日 or READING not one of its own.
bool ApplyReading(std::string_view nameEqualsReading, RekichuReadings& readings);

}  // namespace kalendo
