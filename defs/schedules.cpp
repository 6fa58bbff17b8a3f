// Schedules: the table's operations and the schedule file.
#include "defs/schedules.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "core/cp932.h"
#include "core/day_arith.h"
#include "defs/display_period.h"
#include "defs/line_reader.h"

namespace kalendo {
namespace {

// The date of an entry line begins in this byte column (1-based), so names
// up to 19 bytes are padded to 20; a longer name gets one blank.
constexpr std::size_t kNameColumnBytes = 20;

// An entry line that begins with "{" would open a note. A name read from an
// indented line can begin with it, so such a name is written after a blank,
// which the reader skips.
bool NeedsLeadingBlank(const char* name) { return name[0] == '{'; }

// How much of a name an entry line holds: all of it up to
// kMaxScheduleNameBytes (one byte less after a leading blank), else as much
// as fits without half a character.
std::size_t NameBytesInFile(const char* name) {
    const std::size_t maxBytes = kMaxScheduleNameBytes - (NeedsLeadingBlank(name) ? 1 : 0);
    return Cp932FitLength(name, std::strlen(name), maxBytes);
}

class ScheduleSink : public DefinitionSink {
public:
    explicit ScheduleSink(CSchedule* table) : table_(table) {}
    int Capacity() const override { return kScheduleCapacity; }
    void ParseEntry(int index, const char* line) override {
        CSchedule& s = table_[index];
        s = kFreshSchedule;  // a date field the line leaves unmatched is not given: -1
        // "%s %04d/%02d/%02d %d": the widths are the year's 4 and the month's
        // and day's 2 digits at most; fields after a mismatch keep their
        // values.
        std::sscanf(line, "%1023s %4d/%2d/%2d %d", s.name, &s.year, &s.month, &s.day,
                    &s.displayPeriod);
        if (NameBytesInFile(s.name) < std::strlen(s.name) && longName_ < 0) longName_ = index;
        s.displayPeriod = DisplayPeriodFromFile(s.displayPeriod);
    }
    // The reader hands whole notes only (TextBlockMode::WholeLines).
    void StoreText(int index, const char* text) override { CopyText(table_[index].text, text); }
    // The first schedule whose name an entry line cannot carry back, or -1.
    int LongName() const { return longName_; }

private:
    CSchedule* table_;
    int longName_ = -1;
};

bool IsBeforeToday(const MonthRecord& rec, const CSchedule& s) {
    return CompareDates(s.year, s.month, s.day, rec.year[kToday], rec.month[kToday],
                        rec.day[kToday]) > 0;
}

// Appends the note with every line break (CR LF, CR or LF) as lineEnd.
// CP932 trail bytes are never CR or LF, so bytes can be scanned one at a
// time.
void AppendNote(std::string& out, const char* text, std::string_view lineEnd) {
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r') {
            out += lineEnd;
            if (p[1] == '\n') ++p;
        } else if (*p == '\n') {
            out += lineEnd;
        } else {
            out += *p;
        }
    }
}

}  // namespace

std::optional<LoadProblem> LoadSchedules(MonthRecord& rec, std::string_view fileBytes) {
    ScheduleSink sink(rec.TablesToChange().schedules);
    auto problem = ReadDefinitionFile(fileBytes, TextBlockMode::WholeLines, kScheduleFileName,
                                      sink, rec.scheduleCount);
    if (problem || sink.LongName() < 0) return problem;
    // Written back cut, the name would be another schedule's.
    char message[kTextBytes];
    std::snprintf(message, sizeof message, kScheduleNameTooLongFormat, kScheduleFileName,
                  sink.LongName() + 1, kMaxScheduleNameBytes);
    return LoadProblem{message};
}

void AppendScheduleEntry(std::string& out, const CSchedule& s, std::string_view lineEnd,
                         std::string_view noteLineEnd) {
    const std::size_t blanks = NeedsLeadingBlank(s.name) ? 1 : 0;
    const std::size_t nameBytes = blanks + NameBytesInFile(s.name);
    out.append(blanks, ' ');
    out.append(s.name, nameBytes - blanks);
    out.append(nameBytes < kNameColumnBytes ? kNameColumnBytes - nameBytes : 1, ' ');
    char date[64];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d\t%d", s.year, s.month, s.day,
                  s.displayPeriod);
    out.append(date).append(lineEnd).append("{").append(lineEnd);
    AppendNote(out, s.text, noteLineEnd);
    out.append(lineEnd).append("}").append(lineEnd);
}

bool SameScheduleValues(const CSchedule& a, const CSchedule& b) {
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.text, b.text) == 0 &&
           a.year == b.year && a.month == b.month && a.day == b.day &&
           a.displayPeriod == b.displayPeriod;
}

bool IsScheduleBeforeToday(const MonthRecord& rec, const CSchedule& s) {
    return IsBeforeToday(rec, s);
}

std::string ScheduleFileBytes(const MonthRecord& rec) {
    std::string out = kScheduleFileHeader;
    for (int i = 0; i < rec.scheduleCount; ++i) {
        const CSchedule& s = rec.tables.schedules[i];
        if (!IsBeforeToday(rec, s)) AppendScheduleEntry(out, s, "\n", "\r\n");
    }
    return out;
}

bool AddSchedule(MonthRecord& rec, const CSchedule& schedule) {
    if (rec.scheduleCount < 0 || rec.scheduleCount >= kScheduleCapacity) return false;
    CopySchedule(rec.TablesToChange().schedules[rec.scheduleCount], schedule);
    ++rec.scheduleCount;
    return true;
}

void RemoveSchedule(MonthRecord& rec, int i) {
    if (i < 0 || i >= rec.scheduleCount || i >= kScheduleCapacity) return;
    CSchedule* schedules = rec.TablesToChange().schedules;
    for (int j = i; j < rec.scheduleCount - 1; ++j) CopySchedule(schedules[j], schedules[j + 1]);
    --rec.scheduleCount;
}

void RemovePastSchedules(MonthRecord& rec) {
    // Invariant: every schedule before index i is dated today or later. A
    // removal moves the next schedule into i, which is examined again.
    int i = 0;
    while (i < rec.scheduleCount) {
        if (IsBeforeToday(rec, rec.tables.schedules[i])) {
            RemoveSchedule(rec, i);
        } else {
            ++i;
        }
    }
}

int ScheduleFallsOn(const MonthRecord& rec, int i, int y, int m, int d) {
    if (i < 0 || i >= rec.scheduleCount) return -1;
    const CSchedule& s = rec.tables.schedules[i];
    // A schedule is a one-off appointment: its year counts as well.
    return CompareDates(s.year, s.month, s.day, y, m, d) == 0 ? i : -1;
}

int ScheduleInPeriod(const MonthRecord& rec, int i, int n) {
    if (i < 0 || i >= rec.scheduleCount) return -1;
    return n <= NoticeDays(rec.tables.schedules[i].displayPeriod) ? i : -1;
}

void CopySchedule(CSchedule& target, const CSchedule& source) {
    if (&target == &source) return;
    std::memcpy(target.name, source.name, sizeof target.name);
    std::memcpy(target.text, source.text, sizeof target.text);
    target.year = source.year;
    target.month = source.month;
    target.day = source.day;
    target.displayPeriod = source.displayPeriod;
}

bool ScheduleNameFitsFile(const char* name) {
    if (name[0] == '\0' || name[0] == '{') return false;
    // White space and ';' are single bytes below 0x40, so no CP932 trail
    // byte can be mistaken for them.
    return std::strpbrk(name, " \t\n\v\f\r;") == nullptr;
}

bool ScheduleNoteFitsFile(const char* text) {
    const char* line = text;
    for (const char* p = text;; ++p) {
        if (*p == '\0' || *p == '\r' || *p == '\n') {
            if (p - line == 1 && line[0] == '}') return false;
            if (*p == '\0') return true;
            if (*p == '\r' && p[1] == '\n') ++p;
            line = p + 1;
        }
    }
}

}  // namespace kalendo
