// The encodings of the definition files the user edits (祝日.Def, 暦日.Def,
// Usr.Def, 元号.Def, Schedule.Def). The files have always been code page
// 932, and the readers read nothing else; but every editor of today saves
// UTF-8, and a UTF-8 file read as CP932 gives mojibake without a word. So a
// file is read as UTF-8 when it says so or is UTF-8 beyond doubt, and its
// text reaches the readers converted whole to CP932.
//
// The rule: UTF-8 when the bytes begin with the UTF-8 byte-order mark (EF BB
// BF), or when the whole file is well-formed UTF-8 and holds at least one
// multi-byte sequence; otherwise CP932, byte for byte as always. Japanese
// text in CP932 is practically never well-formed UTF-8: the lead bytes of
// the kana and of most kanji (0x81-0x9F) are UTF-8 continuation bytes that
// cannot begin a character, and a half-width katakana byte (0xA1-0xDF) is a
// continuation byte or a lead byte that needs continuation bytes after it.
// A file of ASCII alone is the same text either way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/load_problem.h"

namespace kalendo {

enum class FileEncoding {
    Cp932,
    Utf8,                   // without a byte-order mark
    Utf8WithByteOrderMark,  // EF BB BF first
};

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The rule above.
FileEncoding DefinitionFileEncoding(std::string_view fileBytes);

// A file's bytes become its text in code page 932, in place, as the readers
// take it: a CP932 file stays as it is; a UTF-8 one is converted whole,
// without its byte-order mark, by Cp932FromUtf8Exact (combining sequences
// composed first, so か + U+3099 is が). A character that CP932 cannot hold,
// or a byte sequence that is no UTF-8 in a file marked as UTF-8, is the
// problem that names the file (fileNameCp932), the line and column and the
// character with its code (kUnheldFileCharacterFormat, kNotUtf8FileFormat);
// its message is in UTF-8 (LoadProblem::messageUtf8), since it shows the
// character. On a problem `bytes` is left as it was.
std::optional<LoadProblem> ToDefinitionText(std::string& bytes, const char* fileNameCp932);

// The bytes of a file the program writes (Schedule.Def) from its text in
// code page 932, in `encoding`: a UTF-8 file is written as UTF-8, with its
// byte-order mark if it had one. nullopt when the text holds a byte that is
// no CP932 character, which UTF-8 cannot carry without replacing it.
std::optional<std::string> DefinitionFileBytes(std::string_view cp932, FileEncoding encoding);

}  // namespace kalendo
