#include "almanac/era.h"

#include <cassert>
#include <cstdio>
#include <cstring>

#include "almanac/era_texts.h"
#include "core/cp932.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

constexpr int kMaxLineBytes = kTextBytes - 1;

// Splits the era file into lines of at most 1023 bytes. LF, CR LF and a
// lone CR each end a line (the file may come from any system); the
// terminator is not kept. After 1023 bytes the line is returned as it stands
// and the rest of the physical line is read as the next line; a double-byte
// character that would straddle the 1023rd byte begins the next line, so a
// name never ends in half a character.
class EraLineReader {
public:
    explicit EraLineReader(std::string_view bytes) : bytes_(bytes) {}

    // false at the end of the file; a last line without terminator is
    // returned. lineNumber: the number (from 1) of the file's line that the
    // returned text begins in; the rest of an overlong line has its number.
    bool Next(char (&line)[kTextBytes], int& lineNumber) {
        if (pos_ >= bytes_.size()) return false;
        lineNumber = nextLineNumber_;
        int length = 0;
        bool trailNext = false;  // the byte before began a double-byte character
        while (pos_ < bytes_.size() && length < kMaxLineBytes) {
            const char c = bytes_[pos_];
            const bool lead = !trailNext && IsCp932LeadByte(static_cast<unsigned char>(c));
            if (lead && length == kMaxLineBytes - 1) break;
            ++pos_;
            if (c == '\n') {
                ++nextLineNumber_;
                break;
            }
            if (c == '\r') {
                if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
                ++nextLineNumber_;
                break;
            }
            line[length++] = c;
            trailNext = lead;
        }
        line[length] = '\0';
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int nextLineNumber_ = 1;
};

// White space as the line format's "%s" sees it (the C locale's).
bool IsBlankLine(const char* line) {
    for (; *line != '\0'; ++line) {
        switch (*line) {
            case ' ': case '\t': case '\n': case '\v': case '\f': case '\r': break;
            default: return false;
        }
    }
    return true;
}

// One entry: name, then the date's year, month and day. false unless all
// four fields are there and the date is a real one (year 1 or later: the
// era year counts from it); the slot may then hold parts of the line. The
// name is at most 1023 bytes, the size of a line, so it always fits its
// row. What follows the day is not looked at.
bool ParseEraLine(MonthRecord& rec, int index, const char* line) {
    static_assert(kTextBytes == 1024, "the %1023s below must match the row size");
    SlotTables& tables = rec.TablesToChange();
    int& y = tables.eraStartYear[index];
    int& m = tables.eraStartMonth[index];
    int& d = tables.eraStartDay[index];
    if (std::sscanf(line, "%1023s %4d/%2d/%2d", tables.eraName[index], &y, &m, &d) != 4) {
        return false;
    }
    return y >= 1 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

LoadProblem LineProblem(const char* format, int lineNumber) {
    char message[kTextBytes];
    std::snprintf(message, sizeof message, format, kEraFileName, lineNumber);
    return LoadProblem{message};
}

LoadProblem CountProblem() {
    char message[kTextBytes];
    std::snprintf(message, sizeof message, kDefinitionCountFormat, kEraFileName, kEraCapacity);
    return LoadProblem{message};
}

// Entry i's date is strictly earlier than (y, m, d).
bool EntryBefore(const MonthRecord& rec, int i, int y, int m, int d) {
    if (rec.tables.eraStartYear[i] != y) return rec.tables.eraStartYear[i] < y;
    if (rec.tables.eraStartMonth[i] != m) return rec.tables.eraStartMonth[i] < m;
    return rec.tables.eraStartDay[i] < d;
}

}  // namespace

std::optional<LoadProblem> LoadEras(MonthRecord& rec, std::string_view fileBytes) {
    EraLineReader reader(WithoutUtf8ByteOrderMark(fileBytes));
    char line[kTextBytes];
    int lineNumber = 0;
    int count = 0;
    while (reader.Next(line, lineNumber)) {
        if (IsBlankLine(line)) continue;
        if (count == kEraCapacity) return CountProblem();
        // A date that is no date, or an entry out of order, would give
        // wrong era years without a sign: the file is refused instead.
        if (!ParseEraLine(rec, count, line)) return LineProblem(kEraLineErrorFormat, lineNumber);
        if (count > 0 && !EntryBefore(rec, count, rec.tables.eraStartYear[count - 1],
                                      rec.tables.eraStartMonth[count - 1], rec.tables.eraStartDay[count - 1])) {
            return LineProblem(kEraOrderErrorFormat, lineNumber);
        }
        ++count;
    }
    // Without a single entry no date has an era: refused like a file that
    // cannot be read.
    if (count == 0) return LoadProblem{kEraFileUnreadableText};
    rec.eraCount = count - 1;
    return std::nullopt;
}

const char* EraFileUnreadableMessage() {
    return kEraFileUnreadableText;
}

int EraIndex(const MonthRecord& rec, int y, int m, int d) {
    assert(rec.eraCount < kEraCapacity);
    if (rec.eraCount < 0) return -1;
    // Newest first: the first entry dated before the date is its era.
    for (int i = 0; i <= rec.eraCount; ++i) {
        if (EntryBefore(rec, i, y, m, d)) return i;
    }
    // Not later than any entry: the oldest era is the best there is.
    return rec.eraCount;
}

int EraStartYear(const MonthRecord& rec, int i) {
    assert(i >= 0 && i <= rec.eraCount && i < kEraCapacity);
    return rec.tables.eraStartYear[i];
}

const char* EraName(const MonthRecord& rec, int i) {
    if (i < 0 || i > rec.eraCount || i >= kEraCapacity) return "";
    return rec.tables.eraName[i];
}

int WesternYear(const MonthRecord& rec, const char* name, int eraYear) {
    assert(rec.eraCount >= 0 && rec.eraCount < kEraCapacity);
    const int last = rec.eraCount;
    int found = last;
    for (int i = 0; i < last; ++i) {
        if (std::strcmp(rec.tables.eraName[i], name) == 0) {
            found = i;
            break;
        }
    }
    // Only the year of the entry counts: month and day are carried over as
    // they are, even ones before the entry's date.
    return rec.tables.eraStartYear[found] + eraYear - 1;
}

}  // namespace kalendo
