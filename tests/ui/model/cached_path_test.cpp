// The cached month computation against a fresh one. Two records follow the
// same calls: one with the caches on (year tables, longitudes at 0 h,
// new-moon minutes), one with every value computed afresh
// (SetAlmanacCaching(false), the one switch). After every call both must hold the same bits in every
// field the month computation writes, and the screens built from them (the
// moon's age included) must be the same; at the end the records are
// compared whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "core/day_arith.h"
#include "defs/expression.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "month/compute_month.h"
#include "month/year_tables.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "ui/model/day_texts.h"
#include "ui/model/document.h"
#include "ui/model/view_state.h"

namespace kalendo {
namespace {

std::string ShippedFolder() {
    const char* bin = std::getenv("K2_BIN_DIR");
    return std::string(bin ? bin : ".") + "/";
}

template <typename T>
bool SameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// The evaluated dates of entries 0 .. count - 1.
::testing::AssertionResult SameEntries(const char* what, const EvaluatedDate* a,
                                       const EvaluatedDate* b, int count) {
    for (int i = 0; i < count; ++i) {
        if (!(a[i] == b[i])) {
            return ::testing::AssertionFailure()
                   << what << " " << i << ": " << a[i].year << "-" << a[i].month << "-"
                   << a[i].day << " cached, " << b[i].year << "-" << b[i].month << "-" << b[i].day
                   << " fresh";
        }
    }
    return ::testing::AssertionSuccess();
}

// Every field ComputeMonth writes; the generated holidays in use whole.
::testing::AssertionResult SameComputation(const MonthRecord& a, const MonthRecord& b) {
    if (!SameBytes(a.year, b.year) || !SameBytes(a.month, b.month) || !SameBytes(a.day, b.day) ||
        !SameBytes(a.weekday, b.weekday)) {
        return ::testing::AssertionFailure() << "target or today";
    }
    if (!SameBytes(a.terms, b.terms)) return ::testing::AssertionFailure() << "terms";
    if (!SameBytes(a.newMoons, b.newMoons)) return ::testing::AssertionFailure() << "newMoons";
    if (!SameBytes(a.lunarMonthNumber, b.lunarMonthNumber)) {
        return ::testing::AssertionFailure() << "lunarMonthNumber";
    }
    if (!SameBytes(a.anchorStart, b.anchorStart) || !SameBytes(a.anchorFirst, b.anchorFirst)) {
        return ::testing::AssertionFailure() << "officer anchors";
    }
    if (a.lunarMonth != b.lunarMonth || a.lunarDay != b.lunarDay || a.leapMonth != b.leapMonth) {
        return ::testing::AssertionFailure() << "lunisolar date";
    }
    if (!SameBytes(a.currentEraName, b.currentEraName) || a.eraYear != b.eraYear) {
        return ::testing::AssertionFailure() << "era";
    }
    if (a.holidayCount != b.holidayCount || a.noteCount != b.noteCount ||
        a.userEntryCount != b.userEntryCount || a.evaluated.generatedCount != b.evaluated.generatedCount ||
        a.eraCount != b.eraCount || a.scheduleCount != b.scheduleCount ||
        a.almanacMode != b.almanacMode) {
        return ::testing::AssertionFailure() << "counts";
    }
    for (int i = 0; i < a.evaluated.generatedCount; ++i) {
        if (!SameBytes(a.evaluated.generated[i], b.evaluated.generated[i])) {
            return ::testing::AssertionFailure() << "generated holiday " << i;
        }
    }
    const EvaluatedDefinitions& x = a.evaluated;
    const EvaluatedDefinitions& y = b.evaluated;
    if (auto r = SameEntries("holiday", x.holidays, y.holidays, a.holidayCount); !r) return r;
    if (auto r = SameEntries("note", x.notes, y.notes, a.noteCount); !r) return r;
    return SameEntries("user entry", x.userEntries, y.userEntries, a.userEntryCount);
}

::testing::AssertionResult SameScreens(MonthRecord& a, MonthRecord& b) {
    SetAlmanacCaching(true);
    const ViewState va = BuildViewState(a);
    const DetailTexts da = BuildDetailTexts(a);
    SetAlmanacCaching(false);
    const ViewState vb = BuildViewState(b);
    const DetailTexts db = BuildDetailTexts(b);
    SetAlmanacCaching(true);
    if (!SameBytes(va.moonAge, vb.moonAge)) {
        return ::testing::AssertionFailure() << "moonAge " << va.moonAge << " / " << vb.moonAge;
    }
    if (va.datePane != vb.datePane || va.grid != vb.grid ||
        va.oldCalendarPane != vb.oldCalendarPane || va.yearSignPane != vb.yearSignPane ||
        !(va.officer == vb.officer) || !(va.mansion == vb.mansion) || va.moonPane != vb.moonPane ||
        va.eventList != vb.eventList || va.scheduleList != vb.scheduleList ||
        va.title != vb.title) {
        return ::testing::AssertionFailure() << "view state";
    }
    if (da.almanac != db.almanac || da.events != db.events) {
        return ::testing::AssertionFailure() << "detail texts";
    }
    return ::testing::AssertionSuccess();
}

class CachedPath : public ::testing::Test {
protected:
    CachedPath() : cached_(std::make_unique<MonthRecord>()), fresh_(std::make_unique<MonthRecord>()) {
        SetAlmanacCaching(true);
    }
    ~CachedPath() override { SetAlmanacCaching(true); }

    void OpenShipped() {
        OpenDocument(*cached_, ShippedFolder());
        OpenDocument(*fresh_, ShippedFolder());
    }

    // The same call on both records; false when a difference was reported.
    bool Step(int y, int m, int d) {
        SetAlmanacCaching(true);
        const int a = ComputeMonth(*cached_, y, m, d, options_);
        SetAlmanacCaching(false);
        const int b = ComputeMonth(*fresh_, y, m, d, options_);
        SetAlmanacCaching(true);
        EXPECT_EQ(a, b) << y << "-" << m << "-" << d;
        const auto same = SameComputation(*cached_, *fresh_);
        EXPECT_TRUE(same) << y << "-" << m << "-" << d;
        return a == b && same;
    }

    void SetToday(int y, int m, int d) {
        platform_->today = CalendarDate{y, m, d};
        UpdateToday(*cached_);
        UpdateToday(*fresh_);
    }

    // Every day from (y, m, d) for `days` days, one way, comparing the
    // computation and the screens after each.
    void Walk(int y, int m, int d, int days, int direction, bool monthly) {
        for (int i = 0; i < days; ++i) {
            bool same;
            if (monthly) {
                SetToday(y, m, d);
                same = Step(0, 0, 0);  // the monthly display ignores its arguments
            } else {
                same = Step(y, m, d);
            }
            const auto screens = SameScreens(*cached_, *fresh_);
            EXPECT_TRUE(screens) << y << "-" << m << "-" << d;
            if (!same || !screens) return;
            d += direction;
            NormalizeDate(y, m, d);
        }
    }

    void ExpectSameRecords() {
        // Each record read the files on its own: their stamps differ, and
        // are all that may.
        const unsigned long long stamp = fresh_->tables.definitionsStamp;
        EXPECT_NE(stamp, cached_->tables.definitionsStamp);
        fresh_->TablesToChange().definitionsStamp = cached_->tables.definitionsStamp;
        EXPECT_TRUE(SameBytes(cached_->tables, fresh_->tables))
            << "the slot tables differ outside the fields compared at each step";
        fresh_->TablesToChange().definitionsStamp = stamp;
    }

    ScopedRecordingPlatform platform_;
    MonthOptions options_;
    std::unique_ptr<MonthRecord> cached_;
    std::unique_ptr<MonthRecord> fresh_;
};

// Every year as a kept year: a third record computes the year ahead first
// (a new year, with the longitudes of the year before remembered), so each
// step finds its year in the cache and copies what that computation kept.
TEST_F(CachedPath, EveryYearFrom1600To2999) {
    OpenShipped();
    auto ahead = std::make_unique<MonthRecord>();
    OpenDocument(*ahead, ShippedFolder());
    ASSERT_EQ(ComputeMonth(*ahead, 1600, 1, 1, {}), 1);
    for (int y = 1600; y <= 2999; ++y) {
        if (y < 2999) {
            ASSERT_EQ(ComputeMonth(*ahead, y + 1, 1, 1, {}), 1);
        }
        if (!Step(y, 12, 31)) return;
    }
    // The edges of the range, and a refused date that must change nothing.
    ASSERT_TRUE(Step(2999, 12, 31));
    ASSERT_TRUE(Step(1600, 1, 1));
    ASSERT_TRUE(Step(3000, 1, 1));
    ExpectSameRecords();
}

TEST_F(CachedPath, EveryDayForwardAndBackFullDisplay) {
    OpenShipped();
    // Two years with the era change and the one-off holidays of 2019-2020,
    // and the fixed numbering of 2033-2034.
    Walk(2019, 1, 1, 731, +1, false);
    Walk(2020, 12, 31, 731, -1, false);
    Walk(2033, 1, 1, 730, +1, false);
    Walk(2034, 12, 31, 730, -1, false);
    ExpectSameRecords();
}

TEST_F(CachedPath, EveryDayForwardAndBackMonthlyDisplay) {
    OpenShipped();
    options_.display = kViewMonthly;
    Walk(2023, 1, 1, 731, +1, true);
    Walk(2024, 12, 31, 731, -1, true);
    ExpectSameRecords();
}

// Expressions that read more than the year: the target month or day, the
// days off (which carry the generated holidays over from the previous
// computation), a text too long to be kept, and the searches that lean on
// the longitudes at 0 h.
TEST_F(CachedPath, ExpressionsThatReadTheTargetAndTheDaysOff) {
    const std::string holidays = Cp932FromUtf8(
        "元日 ( 1949 - 3000 ) / 1/1 x\n"
        "憲法記念日 ( 1949 - 3000 ) / 5/3 x\n"
        "こどもの日 ( 1949 - 3000 ) / 5/5 x\n"
        "休みの後 ( 2000 - 3000 ) / 5/3<平日 x\n"
        "休みの前 ( 2000 - 3000 ) / 5/6>休日 x\n"
        "月ごと ( 2000 - 3000 ) / 100/15 x\n"
        "春分の日 ( 1949 - 3000 ) / Deg0 x\n");
    const std::string notes = Cp932FromUtf8(
        "今日の土曜 100/Sat100\n"
        "今日の甲 100/十干・甲\n"
        "今日の子 1/十二支・子0\n"
        "新月 100/新月\n"
        "満月の後 6/1<満月\n"
        "休日探し 7/20=休日\n"
        "彼岸明け Deg0+3|Deg15\n"
        "閏 旧閏4/1\n"
        "長い 1/1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1\n");
    const std::string users = Cp932FromUtf8("給料日 2000 / 100/25>平日 1\n結婚記念日 2010 / 6/12 2\n");
    for (MonthRecord* rec : {cached_.get(), fresh_.get()}) {
        ASSERT_FALSE(LoadHolidays(*rec, holidays).has_value());
        ASSERT_FALSE(LoadNotes(*rec, notes).has_value());
        ASSERT_FALSE(LoadUserEntries(*rec, users).has_value());
    }
    Walk(2019, 12, 1, 430, +1, false);
    Walk(2021, 2, 3, 430, -1, false);
    ExpectSameRecords();
}

// Nothing of an expression's result is kept: an expression read again is
// evaluated afresh.
TEST_F(CachedPath, ChangedExpressionIsEvaluatedAgain) {
    const std::string notes = Cp932FromUtf8("記念 1/1\n");
    ASSERT_FALSE(LoadNotes(*cached_, notes).has_value());
    ASSERT_EQ(ComputeMonth(*cached_, 2024, 6, 15, {}), 1);
    ASSERT_EQ(cached_->evaluated.notes[0].day, 1);
    CopyText(cached_->TablesToChange().notes[0].expression, "1/2");
    ReadExpression(cached_->TablesToChange().notes[0]);
    ASSERT_EQ(ComputeMonth(*cached_, 2024, 6, 16, {}), 1);
    EXPECT_EQ(cached_->evaluated.notes[0].day, 2);
    // Another record with other files for the same year keeps its own.
    ASSERT_FALSE(LoadNotes(*fresh_, Cp932FromUtf8("記念 3/3\n")).has_value());
    ASSERT_EQ(ComputeMonth(*fresh_, 2024, 6, 16, {}), 1);
    EXPECT_EQ(fresh_->evaluated.notes[0].month, 3);
    EXPECT_EQ(fresh_->evaluated.notes[0].day, 3);
}

// The cache holds four years: going round five years in turn forgets the
// oldest, and each is still computed as a fresh computation would.
TEST_F(CachedPath, MoreYearsThanTheCacheHolds) {
    OpenShipped();
    for (int round = 0; round < 3; ++round) {
        for (const int y : {1700, 2033, 2034, 2500, 1601}) ASSERT_TRUE(Step(y, 3, 1));
    }
    ExpectSameRecords();
}

}  // namespace
}  // namespace kalendo
