// Where the standard and the precise almanac disagree over 1900-2100: the
// runs of days with another lunisolar date, and the solar terms that fall
// on another day. Computed by the two modes themselves, for the help page.
#pragma once

#include <string>
#include <vector>

#include "core/lunisolar_date.h"
#include "platform/calendar_date.h"

namespace kalendo {

// A run of consecutive days whose lunisolar date differs, with the dates
// each mode gives its first day.
struct LunisolarRun {
    CalendarDate first, last;
    LunisolarDate standard, precise;  // of the first day
    bool operator==(const LunisolarRun&) const = default;
};

// A solar term (index 0-23 from 小寒, 285 deg) that falls on another day.
struct TermDifference {
    int term;
    CalendarDate standard, precise;
    bool operator==(const TermDifference&) const = default;
};

struct ModeDifferences {
    std::vector<LunisolarRun> lunisolar;
    std::vector<TermDifference> terms;
};

ModeDifferences ComputeModeDifferences(int firstYear, int lastYear);

// The help page's table of them (UTF-8 HTML), between the page's markers.
std::string ModeDifferencesHtml(const ModeDifferences& differences);

// The page with the text between "<!-- mode-differences -->" and
// "<!-- /mode-differences -->" replaced by `html`; the page unchanged when
// a marker is missing.
std::string WithModeDifferences(const std::string& page, const std::string& html);

// The same for any section "<!-- name -->" ... "<!-- /name -->".
std::string WithMarkedSection(const std::string& page, const std::string& name,
                              const std::string& html);

}  // namespace kalendo
