// Which almanac the month computation builds. The year's astronomical tables
// depend on the year and on this alone, so the two together key their cache.
#pragma once

namespace kalendo {

enum class AlmanacMode {
    Standard,  // 標準: the truncated longitude series of the shipped almanac
};

}  // namespace kalendo
