#include "astro/longitude_memo.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "astro/longitude.h"
#include "astro/lunisolar_detail.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

// The days that may be remembered: every day a month computation of
// 1600-2999 searches (1 January of the year before to the end of the year
// after) with room for date expressions that reach a year further.
// 1598-01-01 is JD 2304717.5.
constexpr double kFirstMemoJd = 2304717.5;
constexpr int kMemoDays = 1405 * 366;  // to the end of 3002

// The days are remembered in blocks of consecutive days, and only the
// blocks used last are kept: a month computation searches three or four
// blocks, a navigation step and the close calls of the kept years a few
// more, while a range of 1400 years read day after day would otherwise keep
// 8 MB of longitudes it never asks for again. The pool holds some 180 years
// (1 MB once full), so stepping back and forth through a lifetime's years
// in the window finds them again.
constexpr int kBlockDays = 512;
constexpr int kBlockCount = (kMemoDays + kBlockDays - 1) / kBlockDays;
constexpr int kPoolBlocks = 128;

constexpr int kBitsPerWord = 64;
constexpr int kBlockWords = kBlockDays / kBitsPerWord;

// One block's values of both series, and which of them are known. Static
// and zero-initialised: only the pages of the blocks ever used are touched.
struct MemoBlock {
    double sunDeg[kBlockDays];
    double moonDeg[kBlockDays];
    std::uint64_t sunKnown[kBlockWords];
    std::uint64_t moonKnown[kBlockWords];
};

MemoBlock pool[kPoolBlocks];
// Which block of days each slot holds and when it was last asked (0: never
// since the start or the last ForgetAstroMemo), apart from the blocks: the
// search for the slot to give up reads these alone, not a page of each
// block.
int blockInSlot[kPoolBlocks];
std::uint64_t lastUse[kPoolBlocks];
// The pool slot holding each block of days, plus one; 0: not held.
std::int16_t slotOfBlock[kBlockCount];
std::uint64_t useCounter = 0;
// The block asked last and its slot: a month's search walks its days in
// order, so most questions fall in the block of the one before.
int lastBlock = -1;
int lastSlot = 0;
bool cachingOn = true;

// The slot holding `block`, made to hold it when none does: the slot used
// least recently gives up its days.
MemoBlock& BlockHolding(int block) {
    if (block == lastBlock) return pool[lastSlot];
    if (slotOfBlock[block] == 0) {
        int victim = 0;
        for (int s = 1; s < kPoolBlocks; ++s) {
            if (lastUse[s] < lastUse[victim]) victim = s;
        }
        if (lastUse[victim] != 0) slotOfBlock[blockInSlot[victim]] = 0;
        MemoBlock& b = pool[victim];
        std::memset(b.sunKnown, 0, sizeof b.sunKnown);
        std::memset(b.moonKnown, 0, sizeof b.moonKnown);
        blockInSlot[victim] = block;
        slotOfBlock[block] = static_cast<std::int16_t>(victim + 1);
    }
    const int slot = slotOfBlock[block] - 1;
    lastUse[slot] = ++useCounter;
    lastBlock = block;
    lastSlot = slot;
    return pool[slot];
}

template <double (*Series)(int, int, int, int, int, int)>
double AtMidnight(double jd) {
    const CalendarDate date = DateOfJulianDate(jd);
    return Series(date.year, date.month, date.day, 0, 0, 0);
}

template <double (*Series)(int, int, int, int, int, int), double (MemoBlock::*Values)[kBlockDays],
          std::uint64_t (MemoBlock::*Known)[kBlockWords]>
double Remembered(double jd) {
    const double offsetDays = jd - kFirstMemoJd;  // a whole number
    if (!cachingOn || !(offsetDays >= 0 && offsetDays < kMemoDays)) return AtMidnight<Series>(jd);
    const int i = static_cast<int>(offsetDays);
    MemoBlock& b = BlockHolding(i / kBlockDays);
    const int k = i % kBlockDays;
    const std::uint64_t bit = std::uint64_t{1} << (k % kBitsPerWord);
    std::uint64_t& word = (b.*Known)[k / kBitsPerWord];
    if ((word & bit) == 0) {
        (b.*Values)[k] = AtMidnight<Series>(jd);
        word |= bit;
    }
    return (b.*Values)[k];
}

}  // namespace

double SunLongitudeAtJulianMidnight(double jd) {
    return Remembered<SunLongitude, &MemoBlock::sunDeg, &MemoBlock::sunKnown>(jd);
}

double SunLongitudeAtMidnight(int y, int m, int d) {
    return SunLongitudeAtJulianMidnight(JulianDate(y, m, d));
}

double MoonLongitudeAtMidnight(int y, int m, int d) {
    return Remembered<MoonLongitude, &MemoBlock::moonDeg, &MemoBlock::moonKnown>(JulianDate(y, m, d));
}

void SetAlmanacCaching(bool on) { cachingOn = on; }
bool AlmanacCaching() { return cachingOn; }

void ForgetAstroMemo() {
    for (int s = 0; s < kPoolBlocks; ++s) {
        if (lastUse[s] != 0) slotOfBlock[blockInSlot[s]] = 0;
        lastUse[s] = 0;
    }
    lastBlock = -1;
    ForgetNewMoonMinutes();
}

}  // namespace kalendo
