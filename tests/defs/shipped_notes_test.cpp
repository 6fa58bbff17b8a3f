// The shipped calendar-note, user and schedule files, read as the almanac
// reads them (CP932, beside the executables) and evaluated through the
// program's own month computation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "almanac/era.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

std::string ShippedFile(const std::string& nameUtf8) {
    const char* bin = std::getenv("K2_BIN_DIR");
    const std::string path = std::string(bin ? bin : "bin") + "/" + nameUtf8;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) ADD_FAILURE() << "cannot read " << path;
    return bytes.value_or("");
}

// All five files, in the order of start-up.
std::unique_ptr<MonthRecord> LoadShipped() {
    auto rec = std::make_unique<MonthRecord>();
    EXPECT_FALSE(LoadEras(*rec, ShippedFile("元号.Def")).has_value());
    EXPECT_FALSE(LoadHolidays(*rec, ShippedFile("祝日.Def")).has_value());
    EXPECT_FALSE(LoadNotes(*rec, ShippedFile("暦日.Def")).has_value());
    EXPECT_FALSE(LoadUserEntries(*rec, ShippedFile("Usr.Def")).has_value());
    EXPECT_FALSE(LoadSchedules(*rec, ShippedFile("Schedule.Def")).has_value());
    return rec;
}

using DayList = std::vector<std::string>;  // "MM-DD"

std::string MonthDay(int m, int d) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d", m, d);
    return text;
}

// For every note (by its expression, in UTF-8), the days of year y on which
// it falls, each day through a month computation of its own.
std::map<std::string, DayList> NoteDaysOfYear(MonthRecord& rec, int y) {
    std::map<std::string, DayList> days;
    for (int i = 0; i < rec.noteCount; ++i) days[Utf8FromCp932(rec.tables.notes[i].expression)];
    int yy = y, m = 1, d = 1;
    while (yy == y) {
        EXPECT_EQ(ComputeMonth(rec, yy, m, d, {}), 1);
        for (int i = 0; i < rec.noteCount; ++i) {
            if (NoteFallsOnTarget(rec, i) == i) {
                days[Utf8FromCp932(rec.tables.notes[i].expression)].push_back(MonthDay(m, d));
            }
        }
        ++d;
        NormalizeDate(yy, m, d);
    }
    return days;
}

// The days of 2024 with sexagenary number n: 1 January 2024 is 甲子 (1).
DayList SexagenaryDays2024(int n) {
    DayList days;
    for (int k = n - 1; k < 366; k += 60) {
        int y = 2024, m = 1, d = 1 + k;
        NormalizeDate(y, m, d);
        days.push_back(MonthDay(m, d));
    }
    return days;
}

struct NoteCase {
    const char* expression;
    const char* name;
    DayList days2024;
};

// Solar terms and seasonal days as the almanacs of 2024 print them; lunisolar
// days from the 2024 lunisolar calendar.
const std::vector<NoteCase>& NoteCases() {
    static const std::vector<NoteCase> cases = {
        {"Deg-75", "小寒", {"01-06"}},
        {"Deg-60", "大寒", {"01-20"}},
        {"Deg-45", "立春", {"02-04"}},
        {"Deg-30", "雨水", {"02-19"}},
        {"Deg-15", "啓蟄", {"03-05"}},
        {"Deg0", "春分", {"03-20"}},
        {"Deg15", "清明", {"04-04"}},
        {"Deg30", "穀雨", {"04-19"}},
        {"Deg45", "立夏", {"05-05"}},
        {"Deg60", "小満", {"05-20"}},
        {"Deg75", "芒種", {"06-05"}},
        {"Deg90", "夏至", {"06-21"}},
        {"Deg105", "小暑", {"07-06"}},
        {"Deg120", "大暑", {"07-22"}},
        {"Deg135", "立秋", {"08-07"}},
        {"Deg150", "処暑", {"08-22"}},
        {"Deg165", "白露", {"09-07"}},
        {"Deg180", "秋分", {"09-22"}},
        {"Deg195", "寒露", {"10-08"}},
        {"Deg210", "霜降", {"10-23"}},
        {"Deg225", "立冬", {"11-07"}},
        {"Deg240", "小雪", {"11-22"}},
        {"Deg255", "大雪", {"12-07"}},
        {"Deg270", "冬至", {"12-21"}},
        {"Deg-63", "冬の土用入り", {"01-18"}},
        {"Deg-45-1", "節分", {"02-03"}},
        {"Deg0-3", "彼岸入り", {"03-17"}},
        // The equinox (20 March) is a 癸 day, five days from the 戊 days on
        // either side: the earlier one is taken.
        {"Deg0=十干・戊", "社日", {"03-15"}},
        {"Deg0+3", "彼岸明け", {"03-23"}},
        {"Deg27", "春の土用入り", {"04-16"}},
        {"Deg-45+87", "八十八夜", {"05-01"}},
        {"Deg80", "入梅", {"06-10"}},
        {"Deg100", "半夏生", {"07-01"}},
        {"Deg117", "夏の土用入り", {"07-19"}},
        {"Deg117<十二支・丑", "土用の丑の日", {"07-24"}},
        {"Deg117<十二支・丑+12|Deg135", "土用の丑の日（二の丑）", {"08-05"}},
        {"Deg-45+209", "二百十日", {"08-31"}},
        {"Deg-45+219", "二百二十日", {"09-10"}},
        {"Deg180-3", "彼岸入り", {"09-19"}},
        {"Deg180=十干・戊", "社日", {"09-21"}},
        {"Deg180+3", "彼岸明け", {"09-25"}},
        {"Deg207", "秋の土用入り", {"10-20"}},
        {"1/7", "人日の節句", {"01-07"}},
        {"2/十二支・午1", "初午", {"02-12"}},
        {"3/3", "上巳の節句", {"03-03"}},
        {"5/5", "端午の節句", {"05-05"}},
        {"7/7", "七夕", {"07-07"}},
        {"9/9", "重陽の節句", {"09-09"}},
        {"1/11", "鏡開き", {"01-11"}},
        {"1/15", "小正月", {"01-15"}},
        {"2/8", "針供養", {"02-08"}},
        {"2/14", "バレンタインデー", {"02-14"}},
        {"3/14", "ホワイトデー", {"03-14"}},
        {"4/8", "花祭り", {"04-08"}},
        {"5/Sun2", "母の日", {"05-12"}},
        {"6/Sun3", "父の日", {"06-16"}},
        {"6/30", "夏越の祓", {"06-30"}},
        {"8/13", "月遅れ盆", {"08-13"}},
        {"9/1", "防災の日", {"09-01"}},
        {"10/31", "ハロウィン", {"10-31"}},
        {"11/十二支・酉1", "一の酉", {"11-05"}},
        {"11/十二支・酉2", "二の酉", {"11-17"}},
        {"11/十二支・酉3|12", "三の酉", {"11-29"}},
        {"11/15", "七五三", {"11-15"}},
        {"12/13", "正月事始め", {"12-13"}},
        {"12/24", "クリスマス・イブ", {"12-24"}},
        {"12/25", "クリスマス", {"12-25"}},
        {"12/28", "御用納め", {"12-28"}},
        {"12/31", "大晦日", {"12-31"}},
        {"旧1/1", "旧正月", {"02-10"}},
        {"旧7/7", "旧七夕", {"08-10"}},
        {"旧7/15", "旧盆", {"08-18"}},
        {"旧8/15", "十五夜", {"09-17"}},
        {"旧9/13", "十三夜", {"10-15"}},
        {"旧10/10", "十日夜", {"11-10"}},
        {"100/六十干支・1", "甲子", SexagenaryDays2024(1)},
        {"100/六十干支・6", "己巳", SexagenaryDays2024(6)},
        {"100/六十干支・30", "天一天上", SexagenaryDays2024(30)},
        {"100/六十干支・49", "八専", SexagenaryDays2024(49)},
        {"100/六十干支・57", "庚申", SexagenaryDays2024(57)},
        // 天赦日 2024: 甲子 1 January (winter), 戊寅 15 March (spring), 甲午
        // 30 May and 29 July (summer), 戊申 12 August and 11 October
        // (autumn), 甲子 26 December (winter).
        {"Deg-135<六十干支・1|Deg-45", "天赦日", {"01-01"}},
        {"Deg-135<六十干支・1+60|Deg-45", "天赦日", {}},
        {"Deg-45<六十干支・15|Deg45", "天赦日", {"03-15"}},
        {"Deg-45<六十干支・15+60|Deg45", "天赦日", {}},
        {"Deg45<六十干支・31|Deg135", "天赦日", {"05-30"}},
        {"Deg45<六十干支・31+60|Deg135", "天赦日", {"07-29"}},
        {"Deg135<六十干支・45|Deg225", "天赦日", {"08-12"}},
        {"Deg135<六十干支・45+60|Deg225", "天赦日", {"10-11"}},
        {"Deg225<六十干支・1|Deg315", "天赦日", {"12-26"}},
        {"Deg225<六十干支・1+60|Deg315", "天赦日", {}},
    };
    return cases;
}

class ShippedNotesTest : public ::testing::Test {
protected:
    ScopedRecordingPlatform platform_;
};

TEST_F(ShippedNotesTest, EveryNoteFallsOnItsDaysOf2024) {
    auto rec = LoadShipped();
    ASSERT_GT(rec->noteCount, 0);
    const auto days = NoteDaysOfYear(*rec, 2024);

    std::set<std::string> covered;
    for (const NoteCase& c : NoteCases()) {
        SCOPED_TRACE(std::string(c.name) + " " + c.expression);
        covered.insert(c.expression);
        const auto it = days.find(c.expression);
        ASSERT_NE(it, days.end()) << "not in the shipped file";
        EXPECT_EQ(it->second, c.days2024);
    }
    // The table above covers every note of the file, each with its name.
    for (int i = 0; i < rec->noteCount; ++i) {
        const std::string expression = Utf8FromCp932(rec->tables.notes[i].expression);
        EXPECT_EQ(covered.count(expression), 1u) << "untested note " << expression;
        for (const NoteCase& c : NoteCases()) {
            if (expression == c.expression) {
                EXPECT_EQ(Utf8FromCp932(rec->tables.notes[i].name), c.name);
            }
        }
    }
}

TEST_F(ShippedNotesTest, SelectedDaysOf2025) {
    auto rec = LoadShipped();
    struct Case { int m, d; const char* name; };
    const Case cases[] = {
        {1, 29, "旧正月"},
        {2, 2, "節分"},  // 立春 falls on 3 February in 2025
        {3, 20, "社日"},  // the equinox is itself a 戊 day
        {5, 1, "八十八夜"},
        {6, 11, "入梅"},
        {7, 19, "土用の丑の日"},  // the first day of summer's 土用 is an 丑 day
        {7, 31, "土用の丑の日（二の丑）"},
        {10, 6, "十五夜"},
        {3, 10, "天赦日"},
        {12, 21, "天赦日"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The note is listed on its day and not on the day before or after.
        for (int offset = -1; offset <= 1; ++offset) {
            int y = 2025, m = c.m, d = c.d + offset;
            NormalizeDate(y, m, d);
            ASSERT_EQ(ComputeMonth(*rec, y, m, d, {}), 1);
            int found = 0;
            for (int i = 0; i < rec->noteCount; ++i) {
                if (NoteFallsOnTarget(*rec, i) == i &&
                    Utf8FromCp932(rec->tables.notes[i].name) == c.name) {
                    ++found;
                }
            }
            EXPECT_EQ(found, offset == 0 ? 1 : 0) << "offset " << offset;
        }
    }
}

TEST_F(ShippedNotesTest, EveryNoteHasADescription) {
    auto rec = LoadShipped();
    for (int i = 0; i < rec->noteCount; ++i) {
        EXPECT_NE(rec->tables.notes[i].description[0], '\0') << Utf8FromCp932(rec->tables.notes[i].name);
    }
}

TEST_F(ShippedNotesTest, EveryYearEvaluatesWithoutError) {
    // A wrong expression would be fatal at the first month computation of a
    // year that reaches it; the recorder throws instead of exiting.
    auto rec = LoadShipped();
    for (int y = 1600; y <= 2999; ++y) {
        ASSERT_NO_THROW(ComputeMonth(*rec, y, 6, 15, {})) << y;
    }
    EXPECT_TRUE(platform_->messages.empty());
}

TEST_F(ShippedNotesTest, UserAndScheduleFilesStartEmpty) {
    auto rec = LoadShipped();
    EXPECT_EQ(rec->userEntryCount, 0) << "Usr.Def holds examples as comments only";
    EXPECT_EQ(rec->scheduleCount, 0);
    // The shipped schedule file is exactly what saving an empty table writes.
    EXPECT_EQ(ShippedFile("Schedule.Def"), ScheduleFileBytes(*rec));
}

TEST_F(ShippedNotesTest, UserFileExamplesWorkWhenUncommented) {
    // Every commented example entry of Usr.Def, with its ";" removed, reads
    // and evaluates as its comment says.
    std::string examples;
    const std::string file = Utf8FromCp932(ShippedFile("Usr.Def"));
    std::size_t pos = 0;
    bool afterExamples = false;
    while (pos < file.size()) {
        std::size_t end = file.find('\n', pos);
        if (end == std::string::npos) end = file.size();
        const std::string line = file.substr(pos, end - pos);
        pos = end + 1;
        if (line == "; 例:") afterExamples = true;
        else if (afterExamples && line.size() > 1 && line[0] == ';' && line[1] != '=') {
            examples += line.substr(1) + "\n";
        }
    }
    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadUserEntries(*rec, Cp932FromUtf8(examples)).has_value());
    ASSERT_EQ(rec->userEntryCount, 3);
    EXPECT_EQ(Utf8FromCp932(rec->tables.userEntries[0].description), "二人の記念日。\r\n花を贈る。");
    ASSERT_EQ(ComputeMonth(*rec, 2025, 4, 1, {}), 1);
    EXPECT_EQ(UserEntryFallsOn(*rec, 0, 2025, 6, 12), 0);
    EXPECT_EQ(UserEntryFallsOn(*rec, 1, 2025, 9, 23), 1);
    EXPECT_EQ(UserEntryFallsOn(*rec, 2, 2025, 4, 20), 2) << "the third Sunday of April 2025";
    EXPECT_EQ(UserEntryFallsOn(*rec, 0, 2009, 6, 12), -1) << "before its start year";
}

}  // namespace
}  // namespace kalendo
