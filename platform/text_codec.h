// Code page 932 <-> UTF-8 at the edges (Qt, JSON, file names, stderr).
// Inside, the almanac works on CP932 bytes throughout.
#pragma once

#include <string>
#include <string_view>

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
// likewise.
std::string Cp932FromUtf8(std::string_view utf8);

}  // namespace kalendo
