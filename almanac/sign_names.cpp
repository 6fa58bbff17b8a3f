#include "almanac/sign_names.h"

#include <iterator>

#include "almanac/sign_texts.h"
#include "almanac/signs.h"

namespace kalendo {
namespace {

static_assert(std::size(kWeekdayNames) == kWeekdayNameCount);
static_assert(std::size(kMonthNames) == kMonthNameCount);
static_assert(std::size(kMonthNameReadings) == kMonthNameCount);
static_assert(std::size(kRokuyoNames) == kRokuyoNameCount);
static_assert(std::size(kRokuyoReadings) == kRokuyoNameCount);
static_assert(std::size(kStemNames) == kStemNameCount);
static_assert(std::size(kStemReadings) == kStemNameCount);
static_assert(std::size(kBranchNames) == kBranchNameCount);
static_assert(std::size(kBranchReadings) == kBranchNameCount);
static_assert(std::size(kOfficerNames) == kOfficerNameCount);
static_assert(std::size(kOfficerReadings) == kOfficerNameCount);
static_assert(std::size(kOfficerDescriptions) == kOfficerNameCount);
static_assert(std::size(kMansionNames) == kMansionNameCount);
static_assert(std::size(kMansionReadings) == kMansionNameCount);
static_assert(std::size(kMansionDescriptions) == kMansionNameCount);

template <std::size_t N>
const char* Row(const char* const (&table)[N], int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return "";
    return table[index];
}

}  // namespace

const char* WeekdayName(int weekday) { return Row(kWeekdayNames, weekday); }
const char* MonthName(int m) { return Row(kMonthNames, m - 1); }
const char* MonthNameReading(int m) { return Row(kMonthNameReadings, m - 1); }
const char* RokuyoName(int k) { return Row(kRokuyoNames, k); }
const char* RokuyoReading(int k) { return Row(kRokuyoReadings, k); }
const char* StemName(int k) { return Row(kStemNames, k); }
const char* StemReading(int k) { return Row(kStemReadings, k); }
const char* BranchName(int k) { return Row(kBranchNames, k); }
const char* BranchReading(int k) { return Row(kBranchReadings, k); }
const char* OfficerName(int k) { return Row(kOfficerNames, k); }
const char* OfficerReading(int k) { return Row(kOfficerReadings, k); }
const char* OfficerDescription(int k) { return Row(kOfficerDescriptions, k); }
const char* MansionName(int k) { return Row(kMansionNames, k); }
const char* MansionReading(int k) { return Row(kMansionReadings, k); }
const char* MansionDescription(int k) { return Row(kMansionDescriptions, k); }

const char* MansionNameOfDay(int y, int m, int d) {
    return MansionName(MansionIndex(y, m, d));
}

const char* MansionReadingOfDay(int y, int m, int d) {
    return MansionReading(MansionIndex(y, m, d));
}

const char* MansionDescriptionOfDay(int y, int m, int d) {
    return MansionDescription(MansionIndex(y, m, d));
}

}  // namespace kalendo
