#include "defs/evaluation_memo.h"

#include <cstring>

#include "defs/expression.h"

namespace kalendo {
namespace {

// Expressions are kept for comparison up to this many bytes with their NUL;
// a longer one is always evaluated. The shipped files' longest has 31.
constexpr int kKeptExpressionBytes = 64;

struct RememberedResult {
    bool known = false;
    // What the evaluation read.
    int targetYear = 0;
    AlmanacMode mode = AlmanacMode::Standard;
    ExpressionReads reads;
    int targetMonth = 0;
    int targetDay = 0;
    char expression[kKeptExpressionBytes] = {};
    // What it stored.
    int year = 0;
    int month = 0;
    int day = 0;
    int oldCalendar = 0;
    int leapFlag = 0;
};

RememberedResult holidayResults[kHolidayCapacity];
RememberedResult noteResults[kNoteCapacity];
RememberedResult userEntryResults[kUserEntryCapacity];

const MonthRecord* scopeRecord = nullptr;
AlmanacMode scopeMode = AlmanacMode::Standard;

RememberedResult* ResultsFor(const MonthRecord& rec, const DefinitionEntry* table) {
    if (table == rec.tables.holidays) return holidayResults;
    if (table == rec.tables.notes) return noteResults;
    if (table == rec.tables.userEntries) return userEntryResults;
    return nullptr;
}

bool StillValid(const RememberedResult& r, const MonthRecord& rec, const DefinitionEntry& e) {
    return r.known && r.targetYear == rec.year[kTarget] && r.mode == scopeMode &&
           (!r.reads.targetMonth || r.targetMonth == rec.month[kTarget]) &&
           (!r.reads.targetDay || r.targetDay == rec.day[kTarget]) &&
           std::strcmp(r.expression, e.expression) == 0;
}

}  // namespace

ReuseScope::ReuseScope(const MonthRecord& rec, AlmanacMode mode) {
    scopeRecord = &rec;
    scopeMode = mode;
}

ReuseScope::~ReuseScope() { scopeRecord = nullptr; }

void EvaluateEntry(MonthRecord& rec, DefinitionEntry* table, int index) {
    RememberedResult* results = scopeRecord == &rec ? ResultsFor(rec, table) : nullptr;
    if (results == nullptr) {
        EvaluateExpression(rec, table, index);
        return;
    }
    RememberedResult& r = results[index];
    DefinitionEntry& e = table[index];
    if (StillValid(r, rec, e)) {
        e.year = r.year;
        e.month = r.month;
        e.day = r.day;
        e.oldCalendar = r.oldCalendar;
        e.leapFlag = r.leapFlag;
        return;
    }
    r.known = false;
    ExpressionReads reads;
    EvaluateExpression(rec, table, index, reads);  // may not return: then nothing is kept
    const std::size_t length = std::strlen(e.expression);
    if (reads.daysOff || length >= sizeof r.expression) return;
    r.targetYear = rec.year[kTarget];
    r.mode = scopeMode;
    r.reads = reads;
    r.targetMonth = rec.month[kTarget];
    r.targetDay = rec.day[kTarget];
    std::memcpy(r.expression, e.expression, length + 1);
    r.year = e.year;
    r.month = e.month;
    r.day = e.day;
    r.oldCalendar = e.oldCalendar;
    r.leapFlag = e.leapFlag;
    r.known = true;
}

}  // namespace kalendo
