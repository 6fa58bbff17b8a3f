#include "ui/model/spoken_names.h"

#include <algorithm>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "month/read_day.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

void AppendWord(std::string& name, const std::string& word) {
    if (word.empty()) return;
    name += ' ';
    name += word;
}

}  // namespace

std::string SpokenWeekday(int weekday) { return FormatText(kSpokenWeekdayFormat, WeekdayName(weekday)); }

std::string SpokenDate(const CalendarDate& date, int weekday) {
    return FormatText(kSpokenDateFormat, date.year, date.month, date.day,
                      SpokenWeekday(weekday).c_str());
}

std::string DatePaneName(const MonthRecord& rec) {
    return SpokenDate(TargetDate(rec), rec.weekday[kTarget]);
}

std::string GridName(const MonthRecord& rec) {
    if (rec.year[kTarget] < 1 || rec.month[kTarget] < 1) return {};
    return FormatText(kSpokenMonthFormat, rec.year[kTarget], rec.month[kTarget]);
}

std::string SpokenRekichu(RekichuSet picked) {
    std::string text;
    for (int k = 0; k < kRekichuCount; ++k) {
        if (!Contains(picked, static_cast<RekichuName>(k))) continue;
        text += kSpokenRowSeparator;
        text += RekichuNameText(k);
    }
    return text;
}

std::string SpokenRows(const std::vector<ListRow>& rows) {
    if (rows.empty()) return kSpokenNoRows;
    std::string spoken;
    for (const ListRow& row : rows) {
        if (!spoken.empty()) spoken += kSpokenRowSeparator;
        // The schedule list's day column is the day of the month.
        if (!row.dayText.empty()) spoken += row.dayText + kScheduleListDayHeading + ' ';
        spoken += row.text;
    }
    return spoken;
}

GridDayNames::GridDayNames() = default;
GridDayNames::~GridDayNames() = default;

std::array<std::string, kGridCells> GridDayNames::Of(const MonthRecord& rec, WeekStart start) {
    std::array<std::string, kGridCells> names;
    const MonthGrid grid = FillMonthGrid(rec, start);
    if (grid[0].day == 0) return names;  // no month computed yet
    // One reader for the grid: a record of its own on the window's tables
    // (the counts and the last evaluation copied, some 40 KB, no table), so
    // `rec` is not moved.
    const auto reader = std::make_unique<DayReader>(rec);
    // In the full display: the monthly one would read today instead.
    const MonthOptions options{rec.almanacMode, kViewFull};
    DayQuestions questions;
    questions.lowerRegister = false;  // a name says no 暦注
    for (int k = 0; k < kGridCells; ++k) {
        const int number = grid[static_cast<std::size_t>(k)].day;
        const CalendarDate date = CellClickTarget(rec, number);
        std::string& name = names[static_cast<std::size_t>(k)];
        name = SpokenDate(date, WeekdayOfColumn(k % kGridColumns, start));
        if (date == CalendarDate{rec.year[kToday], rec.month[kToday], rec.day[kToday]}) {
            AppendWord(name, kSpokenToday);
        }
        // The month before shows only in the first row.
        if (number < 0) {
            AppendWord(name, k < kGridColumns ? kSpokenPreviousMonthDay : kSpokenNextMonthDay);
        }
        // Nothing for a date outside the years the almanac computes.
        const std::optional<DayOfAlmanac> day = reader->Read(date, options, questions);
        if (!day) continue;
        for (const ListRow& row : EventListOf(rec, day->entries)) AppendWord(name, row.text);
        AppendWord(name, RokuyoName(day->reading.rokuyo));
        const LunisolarDate lunar = day->reading.lunisolar();
        AppendWord(name, FormatText(lunar.leap ? kSpokenLunarLeapFormat : kSpokenLunarFormat, lunar.month, lunar.day));
    }
    return names;
}

}  // namespace kalendo
