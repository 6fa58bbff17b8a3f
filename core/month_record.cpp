#include "core/month_record.h"

#include <cstring>

#include "core/cp932.h"

namespace kalendo {

MonthRecord& TheMonthRecord() {
    static MonthRecord* record = new MonthRecord();  // lives until the process ends
    return *record;
}

int& DisplayModeFlag() {
    static int flag = 0;
    return flag;
}

void CopyText(char (&dst)[kTextBytes], const char* src) {
    const std::size_t n = Cp932FitLength(src, std::strlen(src), kTextBytes - 1);
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

}  // namespace kalendo
