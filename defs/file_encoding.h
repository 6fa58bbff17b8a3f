// The encodings of the definition files the user edits (祝日.Def, 暦日.Def,
// Usr.Def, 元号.Def, Schedule.Def). The files have always been code page
// 932, and the readers read nothing else; but every editor of today saves
// UTF-8, and a UTF-8 file read as CP932 gives mojibake without a word. So a
// file is read as UTF-8 when it says so or is UTF-8 beyond doubt, and its
// text reaches the readers converted whole to CP932.
//
// The rule, from counts of the bytes (CountUtf8):
//  1. UTF-8 when the bytes begin with the UTF-8 byte-order mark (EF BB BF);
//     CP932 when the first line is a comment that names the coding as
//     Emacs reads it (';', then "coding:" and cp932, shift_jis, sjis,
//     windows-31j or japanese-cp932, any case, an Emacs line-end suffix
//     such as -dos allowed): kCp932CodingLine, which a save writes first
//     where the rule would otherwise take the file's CP932 bytes for UTF-8.
//  2. Bytes that are all ASCII are the same text either way: CP932.
//  3. Well-formed UTF-8 throughout: UTF-8 when it holds a sequence of three
//     or four bytes (every kana, kanji and Japanese punctuation mark is
//     one), or a two-byte one whose second byte is below 0xA1. A file whose
//     only non-ASCII bytes are two-byte sequences of bytes 0xA1-0xDF is
//     CP932: each such pair is two half-width katakana there (ﾐｽ is D0 BD,
//     which UTF-8 reads as 「н」), and a UTF-8 file without one Japanese
//     character is no calendar of ours.
//  4. Otherwise: UTF-8 when its well-formed sequences of three or four
//     bytes outnumber the bytes that belong to no well-formed sequence (a
//     UTF-8 file with a stray Latin-1 byte, an overlong form or an encoded
//     surrogate), so that the file is refused naming that byte rather than
//     read as CP932 with every name in mojibake; else CP932, byte for byte
//     as always. Japanese text in CP932 is far from that: the lead bytes of
//     the kana and of most kanji (0x81-0x9F) cannot begin a UTF-8
//     character, so such a file has dozens of stray bytes for every
//     sequence that happens to be well-formed (the shipped files: about 50).
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
inline constexpr std::string_view kCp932CodingLine = ";-*- coding: cp932 -*-";

// What the rule above counts, in one pass over the bytes (without a mark).
struct Utf8Census {
    int longSequences = 0;  // well-formed sequences of three or four bytes
    int katakanaPairs = 0;  // two-byte ones of bytes 0xA1-0xDF alone
    int otherPairs = 0;     // other two-byte ones (second byte 0x80-0xA0)
    int strayBytes = 0;     // bytes >= 0x80 in no well-formed sequence
};
Utf8Census CountUtf8(std::string_view bytes);

// The rule above.
FileEncoding DefinitionFileEncoding(std::string_view fileBytes);

// A NUL byte, which no line of a definition file may hold (the readers'
// lines end at it, so the rest of its line would be lost without a word):
// kNulByteFormat with the file, the line and the byte's place in it
// (both from 1).
std::optional<LoadProblem> FindNulByte(std::string_view bytes, const char* fileNameCp932);

// A file's bytes become its text in code page 932, in place, as the readers
// take it: a NUL byte is FindNulByte's problem; a CP932 file stays as it is; a UTF-8 one is converted whole,
// without its byte-order mark, by Cp932FromUtf8Exact (combining sequences
// composed first, so か + U+3099 is が). A character that CP932 cannot hold,
// or a byte sequence that is no UTF-8 in a file marked as UTF-8, is the
// problem that names the file (fileNameCp932), the line and column and the
// character with its code (kUnheldFileCharacterFormat, kNotUtf8FileFormat,
// kNotUtf8UnmarkedFileFormat for a file without the mark: rule 4);
// its message is in UTF-8 (LoadProblem::messageUtf8), since it shows the
// character. On a problem `bytes` is left as it was.
std::optional<LoadProblem> ToDefinitionText(std::string& bytes, const char* fileNameCp932);

// The bytes of a file the program writes (Schedule.Def) from its text in
// code page 932, in `encoding`: a UTF-8 file is written as UTF-8, with its
// byte-order mark if it had one. nullopt when the text holds a byte that is
// no CP932 character, which UTF-8 cannot carry without replacing it.
std::optional<std::string> DefinitionFileBytes(std::string_view cp932, FileEncoding encoding);

// A file's bytes, written in `encoding`, made to read back in it, so that
// the next start reads exactly the text that was saved. The census decides
// on the bytes alone, and an edit can tip it: a CP932 name whose bytes
// happen to be well-formed UTF-8 (縺Ａ is E3 81 82 60, 「あ`」 in UTF-8)
// in a file with nothing else non-ASCII, or a UTF-8 file whose last kanji
// went with a deleted entry, leaving 「н」 (D0 BD, ﾐｽ in CP932). Such a
// CP932 file gets kCp932CodingLine and lineEnd first, such a UTF-8 one its
// byte-order mark; bytes the rule already reads in `encoding` (and ASCII
// alone, the same text either way) are returned as they are.
std::string ReadableAs(std::string bytes, FileEncoding encoding, std::string_view lineEnd);

}  // namespace kalendo
