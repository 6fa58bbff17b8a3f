// A time of day in minutes after midnight, as the settings file and 設定
// write it: the reminder's daily time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalendo {

// The daily time as the settings file and 設定 write it ("8:00") and read
// back: "H:MM" or "HH:MM" within 0:00-23:59; nullopt for anything else.
std::string DailyTimeText(int minutes);
std::optional<int> ParseDailyTime(std::string_view text);

}  // namespace kalendo
