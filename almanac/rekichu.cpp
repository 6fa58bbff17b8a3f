#include "almanac/rekichu.h"

#include <array>
#include <initializer_list>
#include <iterator>

#include "almanac/rekichu_texts.h"
#include "core/calendar_constants.h"

namespace kalendo {
namespace {

static_assert(std::size(kRekichuNames) == kRekichuCount);
static_assert(std::size(kRekichuMeanings) == kRekichuCount);
static_assert(kRekichuCount <= 64, "a RekichuSet holds every name");

// The shapes a note's rule can take. Every "by month" rule has one entry
// per solar month (row 0 = month 1, 寅), except LunarDaysByMonth, whose
// rows are lunar months.
enum class Shape {
    SignSet,           // `signs`: a set of the sixty day signs
    BranchesByMonth,   // perMonth: a set of day branches (bit 0 子)
    StemsByMonth,      // perMonth: a set of day stems (bit 0 甲)
    SignByMonth,       // perMonth: one day sign 0-59
    DayOfSolarMonth,   // perMonth: the day n of the solar month
    LunarDaysByMonth,  // perMonth: a set of lunar days (bit 1 = day 1)
    Mansion,           // `signs`: the mansion index
};

// Which reading a rule belongs to; Always for the notes all almanacs agree on.
enum class ForReading { Always, IchiryuCombined, IchiryuOneBranch, DaimyoTwentyFive, DaimyoTwentyOne };

using PerMonth = std::array<std::uint32_t, kMonthsPerYear>;

struct Rule {
    RekichuName name;
    Shape shape;
    std::uint64_t signs = 0;
    PerMonth perMonth{};
    ForReading reading = ForReading::Always;
};

constexpr std::uint64_t Signs(std::initializer_list<int> indices) {
    std::uint64_t mask = 0;
    for (int i : indices) mask |= std::uint64_t{1} << i;
    return mask;
}

// The run first ... last of the sixty, both included.
constexpr std::uint64_t SignRun(int first, int last) {
    std::uint64_t mask = 0;
    for (int i = first; i <= last; ++i) mask |= std::uint64_t{1} << i;
    return mask;
}

// The day signs whose branch is `branch`.
constexpr std::uint64_t SignsOfBranch(int branch) {
    std::uint64_t mask = 0;
    for (int i = branch; i < kSexagenaryCycle; i += kBranchCount) mask |= std::uint64_t{1} << i;
    return mask;
}

constexpr std::uint32_t Bits(std::initializer_list<int> indices) {
    std::uint32_t mask = 0;
    for (int i : indices) mask |= std::uint32_t{1} << i;
    return mask;
}

// A column whose first `period` months repeat through the year.
constexpr PerMonth Repeating(std::initializer_list<std::uint32_t> first) {
    PerMonth months{};
    const int period = static_cast<int>(first.size());
    for (int k = 0; k < kMonthsPerYear; ++k) months[k] = first.begin()[k % period];
    return months;
}

// Day branches: 子 0, 丑 1, 寅 2, 卯 3, 辰 4, 巳 5, 午 6, 未 7, 申 8, 酉 9, 戌 10, 亥 11.
// Day stems: 甲 0, 乙 1, 丙 2, 丁 3, 戊 4, 己 5, 庚 6, 辛 7, 壬 8, 癸 9.
constexpr int kKi = 22;  // the mansion 鬼

// 一支: 酉 in the 寅 month, one branch less each month after it.
constexpr PerMonth OneBranchIchiryu() {
    PerMonth months{};
    for (int k = 0; k < kMonthsPerYear; ++k) months[k] = Bits({(9 - k + kBranchCount) % kBranchCount});
    return months;
}

// 不成就日: lunar months 1 and 7 from day 3, 2 and 8 from day 2, 3 and 9
// from day 1, 4 and 10 from day 4, 5 and 11 from day 5, 6 and 12 from day
// 6, every eighth day.
constexpr PerMonth FujojuDays() {
    constexpr int kFirstDay[] = {3, 2, 1, 4, 5, 6};
    PerMonth months{};
    for (int k = 0; k < kMonthsPerYear; ++k) {
        for (int day = kFirstDay[k % 6]; day <= 30; day += 8) months[k] |= std::uint32_t{1} << day;
    }
    return months;
}

using enum RekichuName;
using enum Shape;

constexpr Rule kRules[] = {
    {Tensha, SignByMonth, 0, Repeating({14, 14, 14, 30, 30, 30, 44, 44, 44, 0, 0, 0})},
    {Ichiryu, BranchesByMonth, 0,
     PerMonth{Bits({1, 6}), Bits({2, 9}), Bits({0, 3}), Bits({3, 4}), Bits({5, 6}), Bits({6, 9}),
              Bits({0, 7}), Bits({3, 8}), Bits({6, 9}), Bits({9, 10}), Bits({0, 11}), Bits({0, 3})},
     ForReading::IchiryuCombined},
    {Ichiryu, BranchesByMonth, 0, OneBranchIchiryu(), ForReading::IchiryuOneBranch},
    {Bosou, BranchesByMonth, 0,
     PerMonth{Bits({0, 11}), Bits({0, 11}), Bits({5, 6}), Bits({2, 3}), Bits({2, 3}), Bits({5, 6}),
              Bits({1, 4, 7, 10}), Bits({1, 4, 7, 10}), Bits({5, 6}), Bits({8, 9}), Bits({8, 9}),
              Bits({5, 6})}},
    {Gettoku, StemsByMonth, 0, Repeating({Bits({2}), Bits({0}), Bits({8}), Bits({6})})},
    {Tenon, SignSet, SignRun(0, 4) | SignRun(15, 19) | SignRun(45, 49)},
    {Daimyo, SignSet,
     Signs({5, 6, 7, 8, 9, 13, 15, 18, 20, 23, 28, 31, 38, 40, 41, 42, 43, 45, 46, 47, 52, 54, 55,
            56, 57}),
     {}, ForReading::DaimyoTwentyFive},
    {Daimyo, SignSet,
     Signs({7, 8, 9, 13, 15, 18, 20, 23, 28, 31, 38, 40, 41, 42, 45, 46, 47, 52, 55, 56, 57}), {},
     ForReading::DaimyoTwentyOne},
    {Kamiyoshi, SignSet,
     Signs({1, 3, 5, 6, 8, 9, 13, 15, 18, 20, 21, 24, 27, 30, 32, 33, 35, 36, 37, 39, 41, 42, 43,
            44, 45, 47, 48, 51, 54, 55, 56, 57, 59})},
    {Kishuku, Mansion, kKi},
    {Tora, SignSet, SignsOfBranch(2)},
    {Mi, SignSet, SignsOfBranch(5)},
    {Tsuchinotomi, SignSet, Signs({5})},
    {Kinoene, SignSet, Signs({0})},
    {Koushin, SignSet, Signs({56})},
    {Fujoju, LunarDaysByMonth, 0, FujojuDays()},
    {Sanrinbo, BranchesByMonth, 0, Repeating({Bits({11}), Bits({2}), Bits({6})})},
    {Jushi, BranchesByMonth, 0,
     PerMonth{Bits({10}), Bits({4}), Bits({11}), Bits({5}), Bits({0}), Bits({6}), Bits({1}),
              Bits({7}), Bits({2}), Bits({8}), Bits({3}), Bits({9})}},
    {Jisshi, BranchesByMonth, 0, Repeating({Bits({9}), Bits({5}), Bits({1})})},
    {Kiko, BranchesByMonth, 0, Repeating({Bits({1}), Bits({2}), Bits({0})})},
    {Chiimi, BranchesByMonth, 0,
     PerMonth{Bits({1}), Bits({7}), Bits({2}), Bits({8}), Bits({3}), Bits({9}), Bits({4}),
              Bits({10}), Bits({5}), Bits({11}), Bits({6}), Bits({0})}},
    {Oumou, DayOfSolarMonth, 0, PerMonth{7, 14, 21, 8, 16, 24, 9, 18, 27, 10, 20, 30}},
    {Taika, BranchesByMonth, 0,
     PerMonth{Bits({11}), Bits({6}), Bits({1}), Bits({8}), Bits({3}), Bits({10}), Bits({5}),
              Bits({0}), Bits({7}), Bits({2}), Bits({9}), Bits({4})}},
    {Rouzeki, BranchesByMonth, 0, Repeating({Bits({0}), Bits({3}), Bits({6}), Bits({9})})},
    {Metsumon, BranchesByMonth, 0,
     PerMonth{Bits({5}), Bits({0}), Bits({7}), Bits({2}), Bits({9}), Bits({4}), Bits({11}),
              Bits({6}), Bits({1}), Bits({8}), Bits({3}), Bits({10})}},
    {Tenka, BranchesByMonth, 0, Repeating({Bits({0}), Bits({3}), Bits({6}), Bits({9})})},
    {Chika, BranchesByMonth, 0,
     PerMonth{Bits({5}), Bits({6}), Bits({7}), Bits({8}), Bits({9}), Bits({10}), Bits({11}),
              Bits({0}), Bits({1}), Bits({2}), Bits({3}), Bits({4})}},
    {Juu, SignSet, SignsOfBranch(5) | SignsOfBranch(11)},
    {Fuku, StemsByMonth, 0,
     Repeating({Bits({0, 6}), Bits({1, 7}), Bits({4, 5}), Bits({2, 8}), Bits({3, 9}),
                Bits({4, 5})})},
    {Gomu, SignSet, Signs({1, 4, 7, 22, 28})},
    {Jippougure, SignSet, SignRun(20, 29)},
    {Tenichitenjo, SignSet, SignRun(29, 44)},
    // 八専: the twelve days from 壬子 whose stem and branch share an
    // element, less its four 間日 (癸丑, 丙辰, 戊午, 壬戌).
    {Hassen, SignSet, SignRun(48, 59) & ~Signs({49, 52, 54, 58})},
    {Ootsuchi, SignSet, SignRun(6, 12)},
    {Kotsuchi, SignSet, SignRun(14, 20)},
};

bool RuleApplies(const Rule& rule, const RekichuDay& day) {
    const int month = day.solarMonth - 1;
    switch (rule.shape) {
    case SignSet:
        return (rule.signs >> day.sexagenary) & 1;
    case BranchesByMonth:
        return (rule.perMonth[month] >> (day.sexagenary % kBranchCount)) & 1;
    case StemsByMonth:
        return (rule.perMonth[month] >> (day.sexagenary % kStemCount)) & 1;
    case SignByMonth:
        return rule.perMonth[month] == static_cast<std::uint32_t>(day.sexagenary);
    case DayOfSolarMonth:
        return rule.perMonth[month] == static_cast<std::uint32_t>(day.solarMonthDay);
    case LunarDaysByMonth:
        // A day whose lunar date is not known carries none of these.
        if (day.lunarMonth < 1 || day.lunarMonth > kMonthsPerYear || day.lunarDay < 1) return false;
        return (rule.perMonth[day.lunarMonth - 1] >> day.lunarDay) & 1;
    case Mansion:
        return rule.signs == static_cast<std::uint64_t>(day.mansion);
    }
    return false;
}

bool ReadingChosen(ForReading reading, RekichuReadings readings) {
    switch (reading) {
    case ForReading::Always: return true;
    case ForReading::IchiryuCombined: return readings.ichiryu == IchiryuReading::Combined;
    case ForReading::IchiryuOneBranch: return readings.ichiryu == IchiryuReading::OneBranch;
    case ForReading::DaimyoTwentyFive: return readings.daimyo == DaimyoReading::TwentyFive;
    case ForReading::DaimyoTwentyOne: return readings.daimyo == DaimyoReading::TwentyOne;
    }
    return false;
}

template <std::size_t N>
const char* Row(const char* const (&table)[N], int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return "";
    return table[index];
}

template <typename Enum, std::size_t N>
std::optional<Enum> ByName(const char* const (&table)[N], std::string_view cp932) {
    for (std::size_t k = 0; k < N; ++k) {
        if (cp932 == table[k]) return static_cast<Enum>(k);
    }
    return std::nullopt;
}

}  // namespace

RekichuSet RekichuOf(const RekichuDay& day, RekichuReadings readings) {
    return RekichuOf(day, readings, ~RekichuSet{0});
}

RekichuSet RekichuOf(const RekichuDay& day, RekichuReadings readings, RekichuSet only) {
    RekichuSet set = 0;
    for (const Rule& rule : kRules) {
        if (Contains(only, rule.name) && ReadingChosen(rule.reading, readings) &&
            RuleApplies(rule, day)) {
            set |= RekichuBit(rule.name);
        }
    }
    return set;
}

const char* RekichuNameText(int k) { return Row(kRekichuNames, k); }
const char* RekichuMeaning(int k) { return Row(kRekichuMeanings, k); }

std::optional<RekichuName> RekichuByName(std::string_view cp932) {
    return ByName<RekichuName>(kRekichuNames, cp932);
}

const char* IchiryuReadingName(IchiryuReading reading) {
    return Row(kIchiryuReadingNames, static_cast<int>(reading));
}

const char* DaimyoReadingName(DaimyoReading reading) {
    return Row(kDaimyoReadingNames, static_cast<int>(reading));
}

std::optional<IchiryuReading> IchiryuReadingByName(std::string_view cp932) {
    return ByName<IchiryuReading>(kIchiryuReadingNames, cp932);
}

std::optional<DaimyoReading> DaimyoReadingByName(std::string_view cp932) {
    return ByName<DaimyoReading>(kDaimyoReadingNames, cp932);
}

bool ApplyReading(std::string_view nameEqualsReading, RekichuReadings& readings) {
    const std::size_t eq = nameEqualsReading.find('=');
    if (eq == std::string_view::npos) return false;
    const std::optional<RekichuName> name = RekichuByName(nameEqualsReading.substr(0, eq));
    const std::string_view reading = nameEqualsReading.substr(eq + 1);
    if (name == Ichiryu) {
        const std::optional<IchiryuReading> r = IchiryuReadingByName(reading);
        if (!r) return false;
        readings.ichiryu = *r;
        return true;
    }
    if (name == Daimyo) {
        const std::optional<DaimyoReading> r = DaimyoReadingByName(reading);
        if (!r) return false;
        readings.daimyo = *r;
        return true;
    }
    return false;
}

}  // namespace kalendo
