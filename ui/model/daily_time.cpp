#include "ui/model/daily_time.h"

#include <cstdio>

namespace kalendo {
namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kMinutesPerDay = 24 * kMinutesPerHour;

}  // namespace

std::string DailyTimeText(int minutes) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d", minutes / kMinutesPerHour, minutes % kMinutesPerHour);
    return buf;
}

std::optional<int> ParseDailyTime(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3) return std::nullopt;
    int hours = 0, minutes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == colon) continue;
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        int& field = i < colon ? hours : minutes;
        field = field * 10 + (text[i] - '0');
    }
    if (hours >= kMinutesPerDay / kMinutesPerHour || minutes >= kMinutesPerHour) return std::nullopt;
    return hours * kMinutesPerHour + minutes;
}

}  // namespace kalendo
