#include "core/month_record.h"

#include <cstring>

#include "core/cp932.h"

namespace kalendo {

MonthRecord::MonthRecord() : ownTables_(std::make_unique<SlotTables>()), tables(*ownTables_) {}

MonthRecord::MonthRecord(SlotTables& shared) : tables(shared) {}

MonthRecord& TheMonthRecord() {
    // Zero-initialised without a constructor run: in .bss, untouched until
    // a slot is written. Both live until the process ends.
    static SlotTables slotTables;
    static MonthRecord record(slotTables);
    return record;
}

void CopyText(char (&dst)[kTextBytes], const char* src) {
    const std::size_t n = Cp932FitLength(src, std::strlen(src), kTextBytes - 1);
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

}  // namespace kalendo
