// The help page's table of the close calls of 1900-2100 in both almanac
// modes, computed by the almanac itself at build time.
#pragma once

#include <string>
#include <vector>

#include "core/almanac_mode.h"
#include "month/close_calls.h"

namespace kalendo {

// The close calls in `mode` of the years given, in order, with the days
// whose lunisolar date, rokuyo or 十二直 they change (no definition files:
// holidays and notes play no part).
std::vector<CloseCallDays> ComputeCloseCallTable(int firstYear, int lastYear, AlmanacMode mode);

// The table (UTF-8 HTML) for the help page: one row per close call of each
// mode, standard first.
std::string CloseCallsHtml(const std::vector<CloseCallDays>& standard,
                           const std::vector<CloseCallDays>& precise);

}  // namespace kalendo
