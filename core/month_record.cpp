#include "core/month_record.h"

#include <cstdlib>
#include <cstring>

#include "core/cp932.h"

namespace kalendo {

MonthRecord::MonthRecord()
    : ownTables_(std::make_unique<SlotTables>()), changeable_(ownTables_.get()), tables(*ownTables_) {}

MonthRecord::MonthRecord(SlotTables& shared) : changeable_(&shared), tables(shared) {}

MonthRecord::MonthRecord(const SlotTables& shared) : tables(shared) {}

MonthRecord::MonthRecord(const MonthRecord& source, ReadingSameFiles) : tables(source.tables) {
    year[kToday] = source.year[kToday];
    month[kToday] = source.month[kToday];
    day[kToday] = source.day[kToday];
    weekday[kToday] = source.weekday[kToday];
    eraCount = source.eraCount;
    holidayCount = source.holidayCount;
    noteCount = source.noteCount;
    userEntryCount = source.userEntryCount;
    scheduleCount = source.scheduleCount;
    evaluated = source.evaluated;
}

SlotTables& MonthRecord::TablesToChange() {
    // Only a record on tables of its own or the process's may load files;
    // one reading another's tables never changes them.
    if (changeable_ == nullptr) std::abort();
    return *changeable_;
}

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
