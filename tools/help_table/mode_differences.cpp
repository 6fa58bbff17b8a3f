#include "tools/help_table/mode_differences.h"

#include <cstdio>
#include <memory>

#include "astro/lunisolar.h"
#include "astro/precise.h"
#include "core/day_arith.h"
#include "core/month_record.h"

namespace kalendo {
namespace {

// From 小寒 (285 deg), the order of the solar-term table.
constexpr const char* kTermNames[24] = {
    "小寒", "大寒", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至",
    "小暑", "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
constexpr int kTermsOfTargetYear = 24;  // entries 24-47 of the table

constexpr char kSectionName[] = "mode-differences";

std::string DayText(const CalendarDate& d) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::string LunarText(const LunisolarDate& date) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%d月%d日", date.leap ? "閏" : "", date.month, date.day);
    return buf;
}

}  // namespace

ModeDifferences ComputeModeDifferences(int firstYear, int lastYear) {
    ModeDifferences out;
    auto standard = std::make_unique<MonthRecord>();
    auto precise = std::make_unique<MonthRecord>();
    bool inRun = false;
    for (int y = firstYear; y <= lastYear; ++y) {
        standard->year[kTarget] = precise->year[kTarget] = y;
        ComputeSolarTerms(*standard);
        ComputeNewMoons(*standard);
        NumberLunarMonths(*standard);
        ComputeSolarTermsPrecise(*precise);
        ComputeNewMoonsPrecise(*precise);
        NumberLunarMonths(*precise);
        for (int k = kTermsOfTargetYear; k < 2 * kTermsOfTargetYear; ++k) {
            const CalendarDate s = EntryAt(standard->terms, k);
            const CalendarDate p = EntryAt(precise->terms, k);
            if (!(s == p)) out.terms.push_back({k - kTermsOfTargetYear, s, p});
        }
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const LunisolarDate s = LunisolarDateOf(*standard, y, m, d);
                const LunisolarDate p = LunisolarDateOf(*precise, y, m, d);
                const bool differs = s != p;
                if (differs && !inRun) out.lunisolar.push_back({{y, m, d}, {y, m, d}, s, p});
                if (differs) out.lunisolar.back().last = {y, m, d};
                inRun = differs;
            }
        }
    }
    return out;
}

std::string ModeDifferencesHtml(const ModeDifferences& differences) {
    std::string html;
    int days = 0;
    for (const LunisolarRun& r : differences.lunisolar) {
        days += static_cast<int>(JulianDate(r.last.year, r.last.month, r.last.day) -
                                 JulianDate(r.first.year, r.first.month, r.first.day)) + 1;
    }
    html += "<p>旧暦の日付が異なる期間（" + std::to_string(differences.lunisolar.size()) +
            " 期間、計 " + std::to_string(days) + " 日）：</p>\n";
    html += "<table class=\"modes\">\n<tr><th>期間</th><th>初日の旧暦（標準）</th>"
            "<th>初日の旧暦（精密）</th></tr>\n";
    for (const LunisolarRun& r : differences.lunisolar) {
        html += "<tr><td>" + DayText(r.first) + " – " + DayText(r.last) + "</td><td>" +
                LunarText(r.standard) + "</td><td>" +
                LunarText(r.precise) + "</td></tr>\n";
    }
    html += "</table>\n";
    html += "<p>二十四節気の日が異なるもの（" + std::to_string(differences.terms.size()) +
            " 件）：</p>\n";
    html += "<table class=\"modes\">\n<tr><th>節気</th><th>標準</th><th>精密</th></tr>\n";
    for (const TermDifference& t : differences.terms) {
        html += std::string("<tr><td>") + kTermNames[t.term] + "</td><td>" + DayText(t.standard) +
                "</td><td>" + DayText(t.precise) + "</td></tr>\n";
    }
    html += "</table>\n";
    return html;
}

std::string WithMarkedSection(const std::string& page, const std::string& name,
                              const std::string& html) {
    const std::string beginMark = "<!-- " + name + " -->";
    const std::string endMark = "<!-- /" + name + " -->";
    const std::size_t begin = page.find(beginMark);
    if (begin == std::string::npos) return page;
    const std::size_t from = begin + beginMark.size();
    const std::size_t end = page.find(endMark, from);
    if (end == std::string::npos) return page;
    return page.substr(0, from) + "\n" + html + page.substr(end);
}

std::string WithModeDifferences(const std::string& page, const std::string& html) {
    return WithMarkedSection(page, kSectionName, html);
}

}  // namespace kalendo
