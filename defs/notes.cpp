// Calendar notes and user entries: reading, evaluation and the per-day
// questions of the day texts and the event lists.
#include "defs/notes.h"

#include <cstdio>

#include "core/day_arith.h"
#include "defs/display_period.h"
#include "defs/expression.h"
#include "defs/line_reader.h"

namespace kalendo {
namespace {

// Fields are read with scanf's rules: a conversion that does not match
// leaves its field, and every later one, as it was. The widths keep every
// word inside its 1024-byte field (a line holds at most 1023 bytes anyway).
class NoteSink : public DefinitionSink {
public:
    explicit NoteSink(DefinitionEntry* table) : table_(table) {}
    int Capacity() const override { return kNoteCapacity; }
    void ParseEntry(int index, const char* line) override {
        DefinitionEntry& e = table_[index];
        e = kFreshDefinitionEntry;
        // "%s %s %s": only the first two words are stored; a third word is
        // not read into anything.
        std::sscanf(line, "%1023s %1023s", e.name, e.expression);
        ReadExpression(e);
    }
    void StoreText(int index, const char* text) override {
        CopyText(table_[index].description, text);
    }

private:
    DefinitionEntry* table_;
};

class UserEntrySink : public DefinitionSink {
public:
    explicit UserEntrySink(DefinitionEntry* table) : table_(table) {}
    int Capacity() const override { return kUserEntryCapacity; }
    void ParseEntry(int index, const char* line) override {
        DefinitionEntry& e = table_[index];
        e = kFreshDefinitionEntry;  // a field the line leaves unmatched is not given: -1
        std::sscanf(line, "%1023s %d / %1023s %d", e.name, &e.fromYear, e.expression,
                    &e.displayPeriod);
        e.displayPeriod = DisplayPeriodFromFile(e.displayPeriod);
        ReadExpression(e);
    }
    void StoreText(int index, const char* text) override {
        CopyText(table_[index].description, text);
    }

private:
    DefinitionEntry* table_;
};

bool SameDay(int y1, int m1, int d1, int y2, int m2, int d2) {
    NormalizeDate(y1, m1, d1);
    NormalizeDate(y2, m2, d2);
    return y1 == y2 && m1 == m2 && d1 == d2;
}

}  // namespace

std::optional<LoadProblem> LoadNotes(MonthRecord& rec, std::string_view fileBytes) {
    SlotTables& tables = rec.TablesToChange();
    NoteSink sink(tables.notes);
    auto problem = ReadDefinitionFile(fileBytes, TextBlockMode::FirstWord, kNoteFileName, sink,
                                      rec.noteCount);
    StampDefinitions(tables);
    return problem;
}

std::optional<LoadProblem> LoadUserEntries(MonthRecord& rec, std::string_view fileBytes) {
    UserEntrySink sink(rec.TablesToChange().userEntries);
    return ReadDefinitionFile(fileBytes, TextBlockMode::FirstWord, kUserFileName, sink,
                              rec.userEntryCount);
}

void EvaluateNotes(MonthRecord& rec) {
    // Notes have no years of validity: every one is evaluated every year.
    for (int i = 0; i < rec.noteCount; ++i) {
        EvaluateExpression(rec, rec.tables.notes[i], rec.evaluated.notes[i]);
    }
}

void EvaluateUserEntries(MonthRecord& rec) {
    for (int i = 0; i < rec.userEntryCount; ++i) {
        EvaluateExpression(rec, rec.tables.userEntries[i], rec.evaluated.userEntries[i]);
    }
}

int NoteFallsOnTarget(const MonthRecord& rec, int i) {
    if (i < 0 || i >= rec.noteCount) return -1;
    const EvaluatedDate& e = rec.evaluated.notes[i];
    // A note that ran into another year (12/25+7, Deg315) is not in this one.
    if (e.year != rec.year[kTarget]) return -1;
    if (e.oldCalendar == 1) {
        // "旧4/1" falls only in the ordinary 4th month, "旧閏4/1" only in a
        // leap 4th month; a flag beyond those is no lunisolar date at all.
        if (e.leapFlag != 0 && e.leapFlag != 1) return -1;
        const LunisolarDate lunar = TargetLunisolarDate(rec);
        return (lunar.leap == (e.leapFlag == 1) && lunar.month == e.month && lunar.day == e.day) ? i : -1;
    }
    return (e.month == rec.month[kTarget] && e.day == rec.day[kTarget]) ? i : -1;
}

int UserEntryFallsOn(const MonthRecord& rec, int i, int y, int m, int d) {
    if (i < 0 || i >= rec.userEntryCount) return -1;
    if (y < rec.tables.userEntries[i].fromYear) return -1;
    const EvaluatedDate& e = rec.evaluated.userEntries[i];
    // An entry on no day would otherwise normalise onto the last days of the
    // month before.
    if (e.day <= 0) return -1;
    // The user's days are yearly: month and day only, whatever year the
    // expression reached and whether or not it was written as lunisolar.
    return SameDay(y, e.month, e.day, y, m, d) ? i : -1;
}

int UserEntryInPeriod(const MonthRecord& rec, int i, int n) {
    if (i < 0 || i >= rec.userEntryCount) return -1;
    return n <= NoticeDays(rec.tables.userEntries[i].displayPeriod) ? i : -1;
}

}  // namespace kalendo
