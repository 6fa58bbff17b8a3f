// Code page 932 <-> UTF-8 at the edges (Qt, JSON, file names, stderr).
// Inside, the almanac works on CP932 bytes throughout.
#pragma once

#include <string>
#include <string_view>

namespace kalendo {

// Every undecodable byte becomes U+FFFD; decoding resumes at the next byte.
std::string Utf8FromCp932(std::string_view cp932);

// A character code page 932 cannot hold becomes "?"; invalid UTF-8 bytes
// likewise.
std::string Cp932FromUtf8(std::string_view utf8);

}  // namespace kalendo
