// Code page 932 <-> UTF-8 at the edges (Qt, JSON, file names, stderr).
// Inside, the almanac works on CP932 bytes throughout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalendo {

// Opens both directions of iconv's "CP932" converter, once for the whole
// process (opening costs more than converting a whole JSON line). Returns
// an empty string when both are open, else one plain ASCII line naming the
// converter that cannot be opened and why. Without it no text of the
// almanac can be shown, so both programs call this first and end with the
// line and kFatalExitStatus when it fails; the line is plain ASCII because
// nothing can be converted to show it. Idempotent.
std::string OpenTextCodec();

// Every undecodable byte becomes U+FFFD; decoding resumes at the next byte.
// A conversion before OpenTextCodec opens the converters itself; if that
// fails, the line of OpenTextCodec goes to stderr and the process ends
// with kFatalExitStatus (a conversion never passes its input through).
std::string Utf8FromCp932(std::string_view cp932);
// The same, appended to `out` (no allocation once `out` has room).
void AppendUtf8FromCp932(std::string& out, std::string_view cp932);

// A character code page 932 cannot hold becomes "?"; invalid UTF-8 bytes
// likewise. Only for texts that are shown, never stored: what goes to a
// file or the record takes Cp932FromUtf8Exact.
std::string Cp932FromUtf8(std::string_view utf8);

// The codePoint of an UnheldCharacter that is a byte sequence no UTF-8
// decoder reads as a character.
inline constexpr std::int32_t kNotUtf8 = -1;

// A character of a UTF-8 text that code page 932 cannot hold, and where it
// stands: lines end at LF, CR LF or a lone CR (as the definition files' and
// the editors' lines do); line and column count from 1, the column in
// characters as they stand after composition.
struct UnheldCharacter {
    std::string utf8;        // the character (composed), or the bytes that are no UTF-8
    std::int32_t codePoint;  // or kNotUtf8
    int line;
    int column;
};

// How a message names an unheld character's code: "U+1F382" (at least four
// hex digits, as Unicode writes code points); for bytes that are no UTF-8,
// each byte as "0xE6", separated by spaces.
std::string UnheldCharacterCode(const UnheldCharacter& u);

struct ExactCp932 {
    std::string cp932;                    // the whole text only when unheld is empty
    std::vector<UnheldCharacter> unheld;  // in the order they stand
    bool Held() const { return unheld.empty(); }
};

// UTF-8 on its way to a file or the record (a typed text, a UTF-8
// definition file). Each base character is first composed with the
// combining marks that follow it (ComposeCombiningSequences: か + U+3099 is
// が, which code page 932 holds); then every character is converted as
// iconv's "CP932" maps it, and one it cannot map is listed, never replaced,
// so that the caller can refuse the text and name the characters.
ExactCp932 Cp932FromUtf8Exact(std::string_view utf8);

// Canonical composition of the combining sequences alone: a base character
// followed by characters that may join it (combining marks, Hangul vowels
// and trailing consonants) becomes the precomposed character where Unicode
// has one (e + U+0301 is U+00E9). Unlike full NFC nothing is decomposed and
// nothing else is touched: NFC maps singletons such as U+FA19 神 to U+795E,
// a different code of code page 932, and what a user typed must stay as
// typed. Marks are not reordered; a mark the composition cannot reach
// stays where it is. Bytes that are no UTF-8 pass through.
std::string ComposeCombiningSequences(std::string_view utf8);

// CP932 to UTF-8 with nothing replaced: nullopt when a byte is no
// character of code page 932 (a stray trail byte, an unassigned code).
std::optional<std::string> Utf8FromCp932Exact(std::string_view cp932);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view bytes);

}  // namespace kalendo
