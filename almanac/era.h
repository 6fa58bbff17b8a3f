// Eras (元号): the table read from 元号.Def, newest first. An entry's era
// covers the days after its date, up to and including the date of the next
// newer entry; so the entry's own date still belongs to the older era, and
// each entry is dated on the last day of the era before it.
//
// The era year counts calendar years from the year of the entry's date:
// every day after the entry's date within that year is era year 1.
#pragma once

#include <optional>
#include <string_view>

#include "core/load_problem.h"
#include "core/month_record.h"

namespace kalendo {

// Reads the era file's bytes (CP932) into rec.eraName / eraStart* and sets
// rec.eraCount to the index of the last entry. One entry per line
// "name YYYY/MM/DD" (format "%s %4d/%2d/%2d"), newest first. A line ends at LF, CR LF or CR, and a
// line longer than 1023 bytes goes on as the next line (never between the
// two bytes of a character). Empty and blank-only lines are skipped; there
// are no comments. A UTF-8 byte-order mark at the start is skipped.
// Problems, returned as data for the caller to make fatal: a file with no
// entries (the same message as an unreadable file), more than 512 entries,
// a line whose four fields do not all parse or whose date is no real date
// (kEraLineErrorFormat), and an entry not strictly older than the one
// above it (kEraOrderErrorFormat); both name the file and the line number.
// On a problem rec.eraCount is left as it was (the rows may hold parts of
// the file).
std::optional<LoadProblem> LoadEras(MonthRecord& rec, std::string_view fileBytes);

// "元号定義ファイルが開けません" (CP932): what the caller shows, then exits
// with status 3, when the era file cannot be read.
const char* EraFileUnreadableMessage();

// Index of the era of (y, m, d): the first entry, newest first, whose date
// is strictly earlier (year, then month, then day). A date not later than
// any entry gets the oldest entry (rec.eraCount). -1 when no eras are
// loaded.
int EraIndex(const MonthRecord& rec, int y, int m, int d);

// The year of entry i's date (0 <= i <= rec.eraCount).
int EraStartYear(const MonthRecord& rec, int i);

// The name of entry i; "" for an index outside 0 ... rec.eraCount.
const char* EraName(const MonthRecord& rec, int i);

// The Western year of year eraYear of the era named `name` (CP932, compared
// byte for byte): that entry's year + eraYear - 1. A name that matches no
// entry uses the oldest entry. Eras must be loaded.
int WesternYear(const MonthRecord& rec, const char* name, int eraYear);

}  // namespace kalendo
