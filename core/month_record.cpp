#include "core/month_record.h"

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>

#include "core/cp932.h"

namespace kalendo {
namespace {

// The record's tables of slots, in the order they lie in the record. They
// make up nearly all of its 7 MB, and the definition files fill a few dozen
// of their thousands of slots. A default-constructed record writes every
// byte, so every page would be resident; on the zero pages the kernel
// hands out, a slot nobody writes costs no memory. A zero slot differs from
// a default one only in the ints that start at -1 (year, fromYear, toYear,
// displayPeriod; a schedule's month and day), and those are read only in
// the slots below a table's count: the loaders reset each slot they fill
// to the default first (a field its line leaves unmatched keeps the
// default), and the generated holidays are reset as they are made.
struct SlotTable {
    std::size_t offset;
    std::size_t bytes;
};
constexpr SlotTable kSlotTables[] = {
    {offsetof(MonthRecord, eraName), sizeof(MonthRecord::eraName)},
    {offsetof(MonthRecord, holidays), sizeof(MonthRecord::holidays)},
    {offsetof(MonthRecord, generatedHolidays), sizeof(MonthRecord::generatedHolidays)},
    {offsetof(MonthRecord, notes), sizeof(MonthRecord::notes)},
    {offsetof(MonthRecord, userEntries), sizeof(MonthRecord::userEntries)},
    {offsetof(MonthRecord, schedules), sizeof(MonthRecord::schedules)},
};

constexpr bool InRecordOrder() {
    for (std::size_t i = 1; i < std::size(kSlotTables); ++i) {
        if (kSlotTables[i].offset < kSlotTables[i - 1].offset + kSlotTables[i - 1].bytes) {
            return false;
        }
    }
    return true;
}
static_assert(InRecordOrder(), "the copy between the tables walks the record forward");

// The default record the copy reads, on a mapping of its own. Building it
// writes all 7 MB, and on small pages that is some 1 800 page faults, most
// of the record's cost at start-up; where the kernel gives huge pages on
// request, the same writes take a handful. Without them (or when the
// request is refused) this is an ordinary mapping and the faults are paid.
class DefaultRecordImage {
public:
    DefaultRecordImage() {
        constexpr std::size_t kHugePage = std::size_t{2} << 20;
        bytes_ = sizeof(MonthRecord) + kHugePage;
        mapping_ = mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                        -1, 0);
        if (mapping_ == MAP_FAILED) {
            heap_ = std::make_unique<MonthRecord>();
            record_ = heap_.get();
            return;
        }
        const auto start = reinterpret_cast<std::uintptr_t>(mapping_);
        void* aligned = reinterpret_cast<void*>((start + kHugePage - 1) & ~(kHugePage - 1));
        madvise(aligned, sizeof(MonthRecord), MADV_HUGEPAGE);  // a refusal only costs time
        record_ = ::new (aligned) MonthRecord();
    }
    ~DefaultRecordImage() {
        if (mapping_ != MAP_FAILED) munmap(mapping_, bytes_);
    }
    DefaultRecordImage(const DefaultRecordImage&) = delete;
    DefaultRecordImage& operator=(const DefaultRecordImage&) = delete;

    const unsigned char* bytes() const { return reinterpret_cast<const unsigned char*>(record_); }

private:
    void* mapping_ = MAP_FAILED;
    std::size_t bytes_ = 0;
    std::unique_ptr<MonthRecord> heap_;
    const MonthRecord* record_ = nullptr;
};

}  // namespace

MonthRecord* NewRecordOnZeroPages() {
    void* pages = mmap(nullptr, sizeof(MonthRecord), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return new MonthRecord();
    // A MonthRecord is an aggregate of ints and chars: an implicit-lifetime
    // type, which the fresh pages hold as soon as they are used as one.
    auto* record = static_cast<MonthRecord*>(pages);
    // Everything outside the slot tables as a default record has it; the
    // default record is unmapped again at once.
    const DefaultRecordImage fresh;
    const unsigned char* from = fresh.bytes();
    auto* to = reinterpret_cast<unsigned char*>(record);
    std::size_t at = 0;
    for (const SlotTable& t : kSlotTables) {
        std::memcpy(to + at, from + at, t.offset - at);
        at = t.offset + t.bytes;
    }
    std::memcpy(to + at, from + at, sizeof(MonthRecord) - at);
    return record;
}

MonthRecord& TheMonthRecord() {
    // Lives until the process ends.
    static MonthRecord* record = NewRecordOnZeroPages();
    return *record;
}

void CopyText(char (&dst)[kTextBytes], const char* src) {
    const std::size_t n = Cp932FitLength(src, std::strlen(src), kTextBytes - 1);
    std::memmove(dst, src, n);
    dst[n] = '\0';
}

}  // namespace kalendo
