// The date-expression evaluator. An expression is scanned once from left to
// right with a cursor over its CP932 bytes; positions are byte offsets, and
// the searches deliberately look at every byte, the second byte of a
// double-byte character included, so that a file accepted once is read the
// same way for ever.
#include "defs/expression.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/lunisolar.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/defs_texts.h"
#include "platform/platform.h"

namespace kalendo {
namespace {

constexpr char kSolarMark[] = "Deg";
constexpr int kSolarMarkBytes = 3;
constexpr int kMarkBytes = 2;  // "旧" and "閏": one double-byte character each

// Month 100 stands for the target month.
constexpr int kTargetMonth = 100;
constexpr int kFirstMonthValue = 0;   // December of the year before
constexpr int kLastMonthValue = 13;   // January of the year after

// Ordinals after a weekday, stem or branch keyword with a meaning of their own.
constexpr int kLastInMonth = 99;
constexpr int kWeekdayOnTargetDay = 100;
constexpr int kCycleOnTargetDay = 0;  // stems and branches

// Numbers are read as atoi reads them, except that their size is capped: a
// day count of a million days already spans 27 centuries, and the cap keeps
// every sum of a 1023-byte expression far inside int and every
// normalisation short.
constexpr int kMaxExpressionNumber = 999999;

// The angles SolarLongitudeDate has a solar term to start from.
constexpr double kMinAngleDeg = -180;
constexpr double kMaxAngleDeg = kFullCircleDeg;  // excluded

// Search ranges of "<", "=", ">" in candidate days (the start included).
constexpr int kDayClassNearestDays = kDaysPerWeek;
// The moon-phase and day-class searches end within a lunar quarter or a week
// for any sensible holiday file; this bound keeps a file that makes every day
// a holiday from searching for ever. When it is reached the day stays.
constexpr int kOpenSearchDays = 366;

// Principal phase codes are angles; the keyword value is the quarter.
constexpr int kDegPerQuarter = 90;
// The day part looks for a phase from day 0 (the last day of the month
// before) to day 31: 32 days hold every phase of a lunation at least once.
constexpr int kLastPhaseSearchDay = 31;

// The lunisolar month and day numbers a lunisolar entry keeps unnormalised.
constexpr int kLastLunarDay = 30;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The white space atoi skips in the C locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool StartsWith(const char* text, const char* prefix) {
    // Most keywords a text is tried against differ in the first byte.
    if (*text != *prefix) return *prefix == '\0';
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// An optionally signed decimal integer as atoi reads it (white space, then
// "+" or "-", then digits; no digits reads as 0), its size capped at
// kMaxExpressionNumber.
int ReadInt(const char* text) {
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    int value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > kMaxExpressionNumber) value = kMaxExpressionNumber;
    }
    return negative ? -value : value;
}

// A decimal angle with optional "-" and fraction, no exponent. Text without
// digits reads as 0. Beyond what a double holds, a whole part with a nonzero
// digit reads as an angle far outside the accepted ones, a fraction too small
// for a double as 0.
double ReadAngle(const char* text) {
    const char* p = text;
    if (*p == '-') ++p;
    bool nonzeroWholePart = false;
    const char* digits = *text == '-' ? text + 1 : text;
    for (; IsDigit(*p); ++p) nonzeroWholePart = nonzeroWholePart || *p != '0';
    // A whole angle of a few digits, as nearly every file writes them, is
    // the very double from_chars would give.
    constexpr std::ptrdiff_t kExactWholeDigits = 15;
    if (*p != '.' && p > digits && p - digits <= kExactWholeDigits) {
        long long whole = 0;
        for (const char* q = digits; q < p; ++q) whole = whole * 10 + (*q - '0');
        const double magnitude = static_cast<double>(whole);
        return digits == text ? magnitude : -magnitude;
    }
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) ++p;
    }
    double value = 0;
    const std::from_chars_result read = std::from_chars(text, p, value, std::chars_format::fixed);
    if (read.ec == std::errc::result_out_of_range) return nonzeroWholePart ? 2 * kMaxAngleDeg : 0;
    if (read.ec != std::errc()) return 0;  // "-", "." or "-.": no digits
    return value;
}

bool AngleInRange(double angleDeg) {
    return angleDeg >= kMinAngleDeg && angleDeg < kMaxAngleDeg;
}

// The three scans. Each returns a byte position inside the text, or -1 when
// it runs off the end.

// From `from` itself: the first digit or "-".
int NumberSearch(const char* s, int length, int from) {
    for (int p = from; p < length; ++p) {
        if (IsDigit(s[p]) || s[p] == '-') return p;
    }
    return -1;
}

// From the byte after `from`: a digit, one of the letters that begin a
// weekday keyword, or the beginning of a Japanese keyword.
int DayTokenSearch(const char* s, int length, int from) {
    for (int p = from + 1; p < length; ++p) {
        const char c = s[p];
        if (IsDigit(c) || c == 'F' || c == 'M' || c == 'S' || c == 'T' || c == 'W') return p;
        for (const char* start : kDayTokenStarts) {
            if (StartsWith(s + p, start)) return p;
        }
    }
    return -1;
}

// The operators and limit marks, as a table of bytes: every byte of an
// expression is tested, the lead and trail bytes of its Japanese keywords too.
constexpr auto kOperatorBytes = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'+', '-', '<', '=', '>', '|'}) table[c] = true;
    return table;
}();

// From the byte after the cursor: the next operator or limit mark. The byte
// at the cursor is never taken, so a number's own leading "-" stands.
int OperatorSearch(const char* s, int length, int cursor) {
    for (int p = cursor + 1; p < length; ++p) {
        if (kOperatorBytes[static_cast<unsigned char>(s[p])]) return p;
    }
    return -1;
}

// The fatal error of a wrong expression: the entry's name, then the
// expression from the byte at fault.
[[noreturn]] void ReportExpressionError(const char* format, const DefinitionEntry& e,
                                        int position) {
    char message[3 * kTextBytes];
    std::snprintf(message, sizeof message, format, e.name, e.expression + position);
    ThePlatform().Fatal(message);
    std::abort();  // Fatal never returns; a virtual call does not tell the compiler
}

[[noreturn]] void ExpressionError(const DefinitionEntry& e, int position) {
    ReportExpressionError(kExpressionErrorFormat, e, position);
}

// Day signs of any (y, m, d), m and d not yet normalised.
int WeekdayOf(int y, int m, int d) {
    NormalizeDate(y, m, d);
    return Weekday(y, m, d);
}

// The principal phase of a day in the almanac mode of the record.
int MoonPhaseOf(const MonthRecord& rec, int y, int m, int d) {
    NormalizeDate(y, m, d);
    return AstronomyOf(rec.almanacMode).moonPhaseOfDay(y, m, d);
}

// The length of month m (0-13) of year y: month 0 is December of y - 1, 13 is
// January of y + 1.
int LengthOfMonth(int y, int m) {
    int d = 1;
    NormalizeDate(y, m, d);
    return DaysInMonth(y, m);
}

using DaySign = int (*)(int y, int m, int d);

// The day signs repeat with the day count: the sign of day d + 1 is that of
// day d plus one, modulo the cycle, wherever the Julian date is positive
// (where the signs are counted, by truncation, as whole days). So the days
// nearest a day that carry a sign follow from that one day's sign, without
// asking every day between; elsewhere (some 4 700 years before the era)
// every candidate is asked.
struct CycleDistance {
    bool never = false;  // the keyword's value is no sign of the cycle
    int ahead = 0;       // days to the first match on or after the day
    int back = 0;        // days to the first match on or before it
};

// From this year on the Julian date is positive (it is 0 in -4712) with
// far more room than any cyclic search (at most 60 days) needs.
constexpr int kFirstCountedYear = -4000;

int Modulo(int a, int n) {
    const int r = a % n;
    return r < 0 ? r + n : r;
}

// The distances from day d of (y, m) (d not normalised) to the nearest days
// whose cyclic sign is `value`; nullopt for a keyword that is no day cycle or
// a day too early for the count.
std::optional<CycleDistance> DistanceToSign(DayKeywordKind kind, int value, int y, int m, int d) {
    int cycle = 0, sign = 0;
    int yn = y, mn = m, dn = d;
    NormalizeDate(yn, mn, dn);
    if (yn < kFirstCountedYear) return std::nullopt;
    switch (kind) {
        case DayKeywordKind::Weekday: cycle = kDaysPerWeek, sign = Weekday(yn, mn, dn); break;
        case DayKeywordKind::Stem: cycle = kStemCount, sign = DayStemIndex(yn, mn, dn); break;
        case DayKeywordKind::Branch: cycle = kBranchCount, sign = DayBranchIndex(yn, mn, dn); break;
        case DayKeywordKind::Sexagenary:
            // Numbered from 1 (甲子).
            cycle = kSexagenaryCycle, sign = SexagenaryDay(yn, mn, dn) - 1, --value;
            break;
        default: return std::nullopt;
    }
    if (value < 0 || value >= cycle) return CycleDistance{true, 0, 0};
    return CycleDistance{false, Modulo(value - sign, cycle), Modulo(sign - value, cycle)};
}

// Weekday, stem or branch keyword in the day part. Returns whether it set a
// day. n >= 0.
bool CycleDay(const MonthRecord& rec, EvaluatedDate& e, DayKeywordKind kind, DaySign sign,
              int cycle, int onTargetDay, int v, int n) {
    const int y = rec.year[kTarget];
    if (n == onTargetDay) {
        if (sign(y, rec.month[kTarget], rec.day[kTarget]) != v) return false;
        e.day = rec.day[kTarget];
        return true;
    }
    const int m = e.month;
    int first = 1;
    if (const auto c = DistanceToSign(kind, v, y, m, 1)) {
        first = c->never ? cycle : 1 + c->ahead;  // [1, cycle]
    } else {
        while (first < cycle && sign(y, m, first) != v) ++first;  // [1, cycle]
    }
    if (n == kLastInMonth) {
        const int length = LengthOfMonth(y, m);
        int last = first;
        while (last + cycle <= length) last += cycle;
        e.day = last;
    } else {
        e.day = first + cycle * (n - 1);  // 0 gives the one before the first
    }
    return true;
}

// The day part's keyword with its ordinal n. Returns whether it set a day;
// when it does not, the entry falls on no day.
bool KeywordDay(const MonthRecord& rec, EvaluatedDate& e, const DayKeyword& k, int n) {
    if (n < 0) return false;
    const int y = rec.year[kTarget];
    const int m = e.month;
    switch (k.kind) {
        case DayKeywordKind::Weekday:
            return CycleDay(rec, e, k.kind, WeekdayOf, kDaysPerWeek, kWeekdayOnTargetDay, k.value,
                            n);
        case DayKeywordKind::Stem:
            return CycleDay(rec, e, k.kind, DayStemIndex, kStemCount, kCycleOnTargetDay, k.value,
                            n);
        case DayKeywordKind::Branch:
            return CycleDay(rec, e, k.kind, DayBranchIndex, kBranchCount, kCycleOnTargetDay,
                            k.value, n);
        case DayKeywordKind::Sexagenary: {
            const int length = LengthOfMonth(y, m);
            if (const auto c = DistanceToSign(k.kind, n, y, m, 1)) {
                if (c->never || 1 + c->ahead > length) return false;
                e.day = 1 + c->ahead;
                return true;
            }
            for (int d = 1; d <= length; ++d) {
                if (SexagenaryDay(y, m, d) == n) {
                    e.day = d;
                    return true;
                }
            }
            return false;
        }
        case DayKeywordKind::MoonPhase:
            // The number selects the phase angle; the keyword does not.
            // Day 0 is the last day of the month before.
            for (int d = 0; d <= kLastPhaseSearchDay; ++d) {
                if (MoonPhaseOf(rec, y, m, d) == n) {
                    e.day = d;
                    return true;
                }
            }
            return false;
        case DayKeywordKind::DayClass:
        case DayKeywordKind::Unknown:
            return false;
    }
    return false;
}

// Whether day d of the entry's year and month passes the keyword's test.
bool PassesTest(const MonthRecord& rec, const EvaluatedDate& e, const DayKeyword& k, int d) {
    const int y = e.year;
    const int m = e.month;
    switch (k.kind) {
        case DayKeywordKind::Weekday: return WeekdayOf(y, m, d) == k.value;
        case DayKeywordKind::Stem: return DayStemIndex(y, m, d) == k.value;
        case DayKeywordKind::Branch: return DayBranchIndex(y, m, d) == k.value;
        case DayKeywordKind::Sexagenary: return SexagenaryDay(y, m, d) == k.value;
        case DayKeywordKind::MoonPhase: return MoonPhaseOf(rec, y, m, d) == kDegPerQuarter * k.value;
        // Days off are those of the target year, whatever the entry's year.
        case DayKeywordKind::DayClass:
            return IsDayOff(rec, m, d) == (k.value == 1);
        case DayKeywordKind::Unknown: return false;
    }
    return false;
}

int SearchDays(DayKeywordKind kind, char op) {
    switch (kind) {
        case DayKeywordKind::Weekday: return kDaysPerWeek;
        case DayKeywordKind::Stem: return kStemCount;
        case DayKeywordKind::Branch: return kBranchCount;
        case DayKeywordKind::Sexagenary: return kSexagenaryCycle;
        case DayKeywordKind::DayClass: return op == '=' ? kDayClassNearestDays : kOpenSearchDays;
        case DayKeywordKind::MoonPhase:
        case DayKeywordKind::Unknown: return kOpenSearchDays;
    }
    return kOpenSearchDays;
}

// "<" on or after, ">" on or before, "=" nearest (the earlier day at equal
// distance). When no candidate passes, the day stays.
void SearchDay(const MonthRecord& rec, EvaluatedDate& e, char op, const DayKeyword& k) {
    const int range = SearchDays(k.kind, op);
    const int start = e.day;
    // A cycle's search range is the cycle itself: a match always lies within.
    if (const auto c = DistanceToSign(k.kind, k.value, e.year, e.month, start)) {
        if (c->never) return;
        if (op == '<') {
            e.day = start + c->ahead;
        } else if (op == '>') {
            e.day = start - c->back;
        } else {
            e.day = c->back <= c->ahead ? start - c->back : start + c->ahead;  // the earlier at a tie
        }
        return;
    }
    for (int i = 0; i < range; ++i) {
        if (op == '<' || op == '>') {
            const int d = op == '<' ? start + i : start - i;
            if (PassesTest(rec, e, k, d)) {
                e.day = d;
                return;
            }
        } else {
            for (const int d : {start - i, start + i}) {
                if (PassesTest(rec, e, k, d)) {
                    e.day = d;
                    return;
                }
            }
        }
    }
}

// Once the month and day are read, and again after the operators (+N, -N
// and the searches). A lunisolar month 1-12 with a day 1-30 is a lunisolar
// date as it stands ("旧2/30" is the 30th of the second month, which a
// Gregorian normalisation would move into March); anything else is
// normalised as a Gregorian date.
void NormalizeEntry(EvaluatedDate& e) {
    if (e.oldCalendar == 1 && e.month >= 1 && e.month <= 12 && e.day >= 1 &&
        e.day <= kLastLunarDay) {
        return;
    }
    NormalizeDate(e.year, e.month, e.day);
}

// The limit after "|" at position bar.
ExpressionStep ReadLimit(const char* s, int bar) {
    const char* after = s + bar + 1;
    if (StartsWith(after, kSolarMark)) {
        const int number = bar + 1 + kSolarMarkBytes;
        const int angleDeg = ReadInt(s + number);
        if (!AngleInRange(angleDeg)) return {ExpressionStepKind::Fault, 0, {}, number};
        return {ExpressionStepKind::LimitAngle, 0, {}, angleDeg};
    }
    if (IsDigit(*after)) return {ExpressionStepKind::LimitMonth, 0, {}, ReadInt(after)};
    return {ExpressionStepKind::Fault, '|', {}, bar + 1};
}

// The next operator, limit or fault from the byte after the cursor, which
// moves on past what it read.
ExpressionStep ReadStep(const char* s, int length, int& cursor) {
    const int op = OperatorSearch(s, length, cursor);
    if (op < 0) return {ExpressionStepKind::End, 0, {}, 0};
    if (s[op] == '|') return ReadLimit(s, op);
    if (s[op] == '+' || s[op] == '-') {
        const int number = NumberSearch(s, length, op + 1);
        if (number < 0) return {ExpressionStepKind::Fault, 0, {}, op + 1};
        const int days = ReadInt(s + number);
        cursor = number;
        return {ExpressionStepKind::Offset, s[op], {}, s[op] == '+' ? days : -days};
    }
    const int token = DayTokenSearch(s, length, op);
    if (token < 0) return {ExpressionStepKind::Fault, 0, {}, op};
    const DayKeyword k = LookUpDayKeyword(s + token);
    if (k.kind == DayKeywordKind::Unknown) return {ExpressionStepKind::Fault, 0, {}, token};
    cursor = token;
    return {ExpressionStepKind::Search, s[op], k.kind, k.value};
}

bool IsOperator(const ExpressionStep& step) {
    return step.kind == ExpressionStepKind::Offset || step.kind == ExpressionStepKind::Search;
}

// The head of an expression up to its first operator; returns the cursor
// the operators are read after, or -1 at a fault (kept in p).
int ReadHead(const char* s, int length, ParsedExpression& p) {
    auto fault = [&p](int at) {
        p.head = ExpressionHead::Fault;
        p.faultAt = at;
        return -1;
    };
    if (StartsWith(s, kSolarMark)) {
        // Solar form: the number search starts at the expression's first byte.
        const int number = NumberSearch(s, length, 0);
        if (number < 0) return fault(0);
        p.angleDeg = ReadAngle(s + number);
        if (!AngleInRange(p.angleDeg)) return fault(number);
        p.head = ExpressionHead::Solar;
        return number;
    }
    int cursor = 0;
    if (StartsWith(s, kLunisolarMark)) {
        p.lunisolar = true;
        p.leapMonth = StartsWith(s + kMarkBytes, kLeapMonthMark);
        cursor = NumberSearch(s, length, kMarkBytes);  // skips "閏"
        if (cursor < 0) return fault(kMarkBytes);
    }
    p.month = ReadInt(s + cursor);
    if (p.month != kTargetMonth && (p.month < kFirstMonthValue || p.month > kLastMonthValue)) {
        return fault(cursor);
    }
    const char* slash = static_cast<const char*>(std::memchr(s + cursor, '/', length - cursor));
    if (slash == nullptr) return fault(cursor);
    const int slashAt = static_cast<int>(slash - s);

    const int token = DayTokenSearch(s, length, slashAt);
    if (token < 0) return fault(slashAt);
    p.head = ExpressionHead::Date;
    if (IsDigit(s[token])) {
        p.dayKeyword = DayKeywordKind::Unknown;
        p.dayValue = ReadInt(s + token);
        return token;
    }
    const DayKeyword k = LookUpDayKeyword(s + token);
    if (k.kind == DayKeywordKind::Unknown) return fault(token);
    p.dayKeyword = k.kind;
    p.dayValue = k.value;
    p.dayOrdinal = ReadInt(k.end);
    return static_cast<int>(k.end - s);
}

// The steps of a read expression in order: those it keeps, then, for a long
// one, the rest read on from its text.
class StepReader {
public:
    explicit StepReader(const DefinitionEntry& e) : e_(e) {}

    ExpressionStep Next() {
        if (cursor_ < 0) {
            const ExpressionStep& step = e_.parsed.steps[kept_++];
            if (step.kind != ExpressionStepKind::ReadOn) return step;
            cursor_ = step.value;
            length_ = static_cast<int>(std::strlen(e_.expression));
        }
        return ReadStep(e_.expression, length_, cursor_);
    }

private:
    const DefinitionEntry& e_;
    int kept_ = 0;
    int cursor_ = -1;  // reading on: the byte the next operator is looked for after
    int length_ = 0;
};

// The limit step: the entry falls on no day when the limit date is on or
// before its date.
void ApplyLimit(const MonthRecord& rec, EvaluatedDate& e, const ExpressionStep& limit) {
    int y = rec.year[kTarget];
    int m = 0;
    int d = 1;
    if (limit.kind == ExpressionStepKind::LimitAngle) {
        const CalendarDate date = SolarLongitudeDate(rec, limit.value);
        y = date.year;
        m = date.month;
        d = date.day;
    } else {
        m = limit.value;
    }
    NormalizeDate(y, m, d);
    if (CompareDates(y, m, d, e.year, e.month, e.day) >= 0) e.day = 0;
}

}  // namespace

DayKeyword LookUpDayKeyword(const char* text) {
    DayKeyword k;
    auto match = [&](const char* const* table, std::size_t count, DayKeywordKind kind) {
        for (std::size_t i = 0; i < count; ++i) {
            if (StartsWith(text, table[i])) {
                k = {kind, static_cast<int>(i), text + std::strlen(table[i])};
                return true;
            }
        }
        return false;
    };
    if (match(kWeekdayKeywords, std::size(kWeekdayKeywords), DayKeywordKind::Weekday) ||
        match(kDayClassKeywords, std::size(kDayClassKeywords), DayKeywordKind::DayClass) ||
        match(kStemKeywords, std::size(kStemKeywords), DayKeywordKind::Stem) ||
        match(kBranchKeywords, std::size(kBranchKeywords), DayKeywordKind::Branch)) {
        return k;
    }
    if (StartsWith(text, kSexagenaryKeyword)) {
        const char* end = text + std::strlen(kSexagenaryKeyword);
        return {DayKeywordKind::Sexagenary, ReadInt(end), end};
    }
    match(kMoonPhaseKeywords, std::size(kMoonPhaseKeywords), DayKeywordKind::MoonPhase);
    return k;
}

CalendarDate SolarLongitudeDate(const MonthRecord& rec, double angleDeg) {
    assert(AngleInRange(angleDeg));
    // The last term not beyond the angle: 17 <= i <= 52.
    const int i = SolarTermIndexAtOrBefore(angleDeg);
    assert(i >= 0 && i < kTermCount);
    // A solar term's own angle is the term's day in the table: the day both
    // searches find, and the one an event moved across its midnight moves.
    if (angleDeg == SolarTermSpringScaleDeg(i)) return EntryAt(rec.terms, i);
    const double targetDeg = angleDeg < 0 ? angleDeg + kFullCircleDeg : angleDeg;
    return AstronomyOf(rec.almanacMode).sunReachesDate(targetDeg, EntryAt(rec.terms, i));
}

void ReadExpression(DefinitionEntry& e) {
    ParsedExpression& p = e.parsed;
    // All zero bytes, the padding too, as in a fresh entry, so that records
    // that read the same files hold the same bytes; the steps are stored
    // field by field for the same reason.
    std::memset(static_cast<void*>(&p), 0, sizeof p);
    const char* s = e.expression;
    const int length = static_cast<int>(std::strlen(s));
    int cursor = ReadHead(s, length, p);
    if (cursor < 0) return;
    for (ExpressionStep& kept : p.steps) {
        const int before = cursor;
        ExpressionStep step = ReadStep(s, length, cursor);
        const bool more = IsOperator(step);
        if (more && &kept == &p.steps[kKeptExpressionSteps - 1]) {
            step = {ExpressionStepKind::ReadOn, 0, {}, before};
        }
        kept.kind = step.kind;
        kept.op = step.op;
        kept.keyword = step.keyword;
        kept.value = step.value;
        if (!more) return;
    }
}

void EvaluateExpression(const MonthRecord& rec, const DefinitionEntry& entry, EvaluatedDate& e) {
    const ParsedExpression& p = entry.parsed;
    assert(p.head != ExpressionHead::Unread);
    e.year = rec.year[kTarget];

    switch (p.head) {
        case ExpressionHead::Unread:
        case ExpressionHead::Fault: ExpressionError(entry, p.faultAt);
        case ExpressionHead::Solar: {
            const CalendarDate date = SolarLongitudeDate(rec, p.angleDeg);
            e.year = date.year;
            e.month = date.month;
            e.day = date.day;
            e.oldCalendar = 0;
            e.leapFlag = 0;
            break;
        }
        case ExpressionHead::Date: {
            e.oldCalendar = p.lunisolar ? 1 : 0;
            e.leapFlag = p.leapMonth ? 1 : 0;
            e.month = p.month == kTargetMonth ? rec.month[kTarget] : p.month;
            if (p.dayKeyword == DayKeywordKind::Unknown) {
                e.day = p.dayValue;
            } else if (!KeywordDay(rec, e, {p.dayKeyword, p.dayValue}, p.dayOrdinal)) {
                // The entry falls on no day this year: the month stays as read
                // (0 and 13 unnormalised) and operators and limit are not applied.
                e.day = 0;
                return;
            }
            break;
        }
    }

    NormalizeEntry(e);

    StepReader steps(entry);
    ExpressionStep step = steps.Next();
    for (; IsOperator(step); step = steps.Next()) {
        if (step.kind == ExpressionStepKind::Offset) {
            e.day += step.value;
        } else {
            SearchDay(rec, e, step.op, {step.keyword, step.value});
        }
    }

    NormalizeEntry(e);

    switch (step.kind) {
        case ExpressionStepKind::Fault:
            ReportExpressionError(step.op == '|' ? kLimitErrorFormat : kExpressionErrorFormat, entry,
                                  step.value);
        case ExpressionStepKind::LimitMonth:
        case ExpressionStepKind::LimitAngle: ApplyLimit(rec, e, step); break;
        default: break;
    }
}

}  // namespace kalendo
