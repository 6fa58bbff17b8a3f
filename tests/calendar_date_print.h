// CalendarDate in test failure messages, as "2024-6-15" (the fields as
// held, not normalised).
#pragma once

#include <ostream>

#include "platform/calendar_date.h"

namespace kalendo {

inline std::ostream& operator<<(std::ostream& os, const CalendarDate& date) {
    return os << date.year << '-' << date.month << '-' << date.day;
}

}  // namespace kalendo
