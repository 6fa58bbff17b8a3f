#include "tools/help_table/close_call_table.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/text_codec.h"
#include "ui/model/close_call_texts.h"

namespace kalendo {
namespace {

constexpr const char* kTermNames[24] = {
    "小寒", "大寒", "立春", "雨水", "啓蟄", "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至",
    "小暑", "大暑", "立秋", "処暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

std::string DayText(const CalendarDate& d) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

// JST to the second.
std::string InstantText(double jdUt) {
    const JstSecond at = JstSecondOf(jdUt);
    const long long s = at.secondOfDay;
    char buf[48];
    std::snprintf(buf, sizeof buf, " %02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return DayText(at.day) + buf;
}

// What the first day the close call changes would read on the other side,
// as the window's words say it there: "2021-02-03：2月3日なら：この日の十二直は定".
std::string OtherSideWords(const CloseCallDays& c, AlmanacMode mode) {
    static const auto rec = [] {
        auto r = std::make_unique<MonthRecord>();
        r->holidayCount = r->evaluated.generatedCount = r->noteCount = 0;
        return r;
    }();
    if (c.days.empty()) return "—";
    const CalendarDate& day = c.days.front();
    if (ComputeMonth(*rec, day.year, day.month, day.day, {mode, kViewFull}) != 1) return "—";
    for (const DayCloseCall& d : CloseCallsOfTarget(*rec)) {
        if (d.call.instantJdUt != c.call.instantJdUt) continue;
        return DayText(day) + "：" + std::to_string(c.call.otherDay.month) + "月" +
               std::to_string(c.call.otherDay.day) + "日なら：" + Utf8FromCp932(CloseCallChangeWords(*rec, d));
    }
    return "—";
}

std::string Rows(const char* mode, const std::vector<CloseCallDays>& calls) {
    std::string html;
    for (const CloseCallDays& c : calls) {
        const CloseCall& call = c.call;
        const char* name =
            call.event.kind == EventKind::NewMoon ? "朔" : kTermNames[call.event.term];
        std::string days = "—";
        if (!c.days.empty()) {
            days = DayText(c.days.front());
            if (c.days.size() > 1) days += " – " + DayText(c.days.back());
            days += "（" + std::to_string(c.days.size()) + " 日）";
        }
        html += std::string("<tr><td>") + mode + "</td><td>" + name + "</td><td>" +
                InstantText(call.event.standardJdUt) + "</td><td>" +
                InstantText(call.event.preciseJdUt) + "</td><td>±" +
                std::to_string(std::llround(std::ceil(call.event.boundSeconds))) + " 秒</td><td>" +
                DayText(call.day) + " → " + DayText(call.otherDay) + "</td><td>" +
                OtherSideWords(c, std::string(mode) == "標準" ? AlmanacMode::Standard
                                                               : AlmanacMode::Precise) +
                "</td><td>" + days + "</td></tr>\n";
    }
    return html;
}

}  // namespace

std::vector<CloseCallDays> ComputeCloseCallTable(int firstYear, int lastYear, AlmanacMode mode) {
    auto rec = std::make_unique<MonthRecord>();
    rec->holidayCount = rec->evaluated.generatedCount = rec->noteCount = 0;
    std::vector<CloseCallDays> out;
    for (int y = firstYear; y <= lastYear; ++y) {
        for (CloseCallDays& c : CloseCallsOfYear(*rec, y, mode)) out.push_back(std::move(c));
    }
    return out;
}

std::string CloseCallsHtml(const std::vector<CloseCallDays>& standard,
                           const std::vector<CloseCallDays>& precise) {
    std::string html = "<p>標準 " + std::to_string(standard.size()) + " 件、精密 " +
                       std::to_string(precise.size()) + " 件：</p>\n";
    html += "<table class=\"modes\">\n<tr><th>暦</th><th>現象</th><th>標準の時刻</th>"
            "<th>精密の時刻</th><th>誤差</th><th>日 → 反対側の日</th><th>最初に変わる日：反対側なら</th>"
            "<th>変わる日</th></tr>\n";
    html += Rows("標準", standard);
    html += Rows("精密", precise);
    html += "</table>\n";
    return html;
}

}  // namespace kalendo
