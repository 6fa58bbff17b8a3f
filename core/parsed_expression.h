// A date expression as read from its text once, when its line is read: all
// that the text says, nothing that depends on the target year. The reader
// and the evaluator are defs/expression's; the record only holds the result
// beside the text, which stays for the messages. Every member is zero by
// default (an entry not yet read), like the rest of a definition entry.
#pragma once

#include <cstdint>

namespace kalendo {

enum class DayKeywordKind : std::uint8_t {
    Weekday = 0,     // "Sun" ... "Sat" ("Thr" for Thursday): weekday 0-6
    DayClass = 1,    // "平日" 0 (working day), "休日" 1 (day off)
    MoonPhase = 2,   // "新月" 0, "上弦" 1, "満月" 2, "下弦" 3 (phase angle / 90)
    Stem = 3,        // "十干・甲" ... "十干・癸": day stem index 0-9
    Branch = 4,      // "十二支・子" ... "十二支・亥": day branch index 0-11
    Sexagenary = 5,  // "六十干支・" n: sexagenary day number n (1 = 甲子)
    Unknown = 6,
};

// What an expression begins with.
enum class ExpressionHead : std::uint8_t {
    Unread = 0,  // not read yet: evaluating it is a programming error
    Solar,       // "Deg" and an angle
    Date,        // [旧[閏]] month "/" day number or keyword
    Fault,       // wrong before its first operator
};

// One step after the head, in the order they are written; every list of
// steps ends in one of the last five kinds.
enum class ExpressionStepKind : std::uint8_t {
    Offset = 0,   // "+n", "-n": value is the signed day count
    Search,       // "<", "=", ">" (op) and a keyword (keyword, value)
    End,          // nothing more
    LimitMonth,   // "|n": value is the month
    LimitAngle,   // "|Deg" a: value is the whole angle
    Fault,        // wrong here: value is the byte at fault, op 0 for an
                  // expression fault, '|' for a limit fault
    ReadOn,       // more operators than a list keeps: value is the byte
                  // the reading goes on after, at every evaluation
};

struct ExpressionStep {
    ExpressionStepKind kind = ExpressionStepKind::Offset;
    char op = 0;
    DayKeywordKind keyword = DayKeywordKind::Weekday;
    int value = 0;
};

// Shipped files write at most two operators and a limit; a longer
// expression keeps its first steps and reads the rest from the text.
inline constexpr int kKeptExpressionSteps = 6;

struct ParsedExpression {
    ExpressionHead head = ExpressionHead::Unread;
    // Date: "旧" (and "閏") at the start.
    bool lunisolar = false;
    bool leapMonth = false;
    // Date: the day keyword, Unknown for a day number.
    DayKeywordKind dayKeyword = DayKeywordKind::Weekday;
    int month = 0;        // Date: 0-13, or 100 for the target month
    int dayValue = 0;     // Date: the day number, or the keyword's value
    int dayOrdinal = 0;   // Date: the number after the keyword
    int faultAt = 0;      // Fault: the byte at fault
    double angleDeg = 0;  // Solar
    ExpressionStep steps[kKeptExpressionSteps] = {};
};

}  // namespace kalendo
