#include "defs/file_encoding.h"

#include <cstdio>
#include <string>

#include "defs/defs_texts.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

template <typename... Args>
std::string Format(const std::string& format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (n <= 0) return std::string();
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format.c_str(), args...);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// The message of a character listed, in UTF-8: the formats are CP932 like
// every text of the system, and become UTF-8 before the file name and the
// character (which CP932 cannot show) go in.
std::string UnheldMessage(const UnheldCharacter& u, const char* fileNameCp932, bool marked) {
    const std::string fileName = Utf8FromCp932(fileNameCp932);
    const std::string code = UnheldCharacterCode(u);
    if (u.codePoint == kNotUtf8) {
        return Format(Utf8FromCp932(marked ? kNotUtf8FileFormat : kNotUtf8UnmarkedFileFormat),
                      fileName.c_str(), u.line, u.column, code.c_str());
    }
    return Format(Utf8FromCp932(kUnheldFileCharacterFormat), fileName.c_str(), u.line, u.column,
                  u.utf8.c_str(), code.c_str());
}

constexpr unsigned char kFirstHalfWidthKatakana = 0xA1;  // ｡ in CP932

// The number of bytes of the well-formed UTF-8 sequence at p (2-4), or 0:
// no overlong form, no surrogate (U+D800-DFFF), nothing above U+10FFFF.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t left) {
    const unsigned char c = p[0];
    const std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || n > left) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    }
    // The second byte's range that keeps the code minimal and in Unicode.
    if ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] > 0x9F)) return 0;
    if ((c == 0xF0 && p[1] < 0x90) || (c == 0xF4 && p[1] > 0x8F)) return 0;
    return n;
}

// Whether the first line names CP932 as Emacs's coding cookie does:
// ";" first, then "coding:", blanks, and one of the names below.
bool NamesCp932Coding(std::string_view bytes) {
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (!line.starts_with(';')) return false;
    constexpr std::string_view kKey = "coding:";
    const std::size_t key = line.find(kKey);
    if (key == std::string_view::npos) return false;
    std::size_t i = key + kKey.size();
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string name;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        const bool nameChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                              (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!nameChar) break;
        name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const std::string_view suffix : {"-unix", "-dos", "-mac"}) {
        if (name.ends_with(suffix)) name.resize(name.size() - suffix.size());
    }
    for (const std::string_view cp932 : {"cp932", "shift_jis", "sjis", "windows-31j", "japanese-cp932"}) {
        if (name == cp932) return true;
    }
    return false;
}

bool AllAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

Utf8Census CountUtf8(std::string_view bytes) {
    Utf8Census census;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    // Invariant: bytes [0, i) are counted, and i begins a character or a
    // byte that belongs to no sequence.
    while (i < bytes.size()) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = Utf8SequenceLength(p + i, bytes.size() - i);
        if (n == 0) {
            ++census.strayBytes;
            ++i;
            continue;
        }
        if (n > 2) {
            ++census.longSequences;
        } else if (p[i + 1] < kFirstHalfWidthKatakana) {
            ++census.otherPairs;
        } else {
            ++census.katakanaPairs;
        }
        i += n;
    }
    return census;
}

FileEncoding DefinitionFileEncoding(std::string_view fileBytes) {
    if (fileBytes.starts_with(kUtf8ByteOrderMark)) return FileEncoding::Utf8WithByteOrderMark;
    if (NamesCp932Coding(fileBytes)) return FileEncoding::Cp932;
    const Utf8Census c = CountUtf8(fileBytes);
    if (c.strayBytes == 0) {
        return c.longSequences > 0 || c.otherPairs > 0 ? FileEncoding::Utf8 : FileEncoding::Cp932;
    }
    return c.longSequences > c.strayBytes ? FileEncoding::Utf8 : FileEncoding::Cp932;
}

std::optional<LoadProblem> FindNulByte(std::string_view bytes, const char* fileNameCp932) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos) return std::nullopt;
    // Lines end at LF, CR LF or a lone CR, as the line reader's do.
    int line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < nul; ++i) {
        if (bytes[i] == '\r' && i + 1 < nul && bytes[i + 1] == '\n') ++i;
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    char message[512];
    std::snprintf(message, sizeof message, kNulByteFormat, fileNameCp932, line,
                  static_cast<int>(nul - lineStart + 1));
    return LoadProblem{message};
}

std::optional<LoadProblem> ToDefinitionText(std::string& bytes, const char* fileNameCp932) {
    if (auto problem = FindNulByte(bytes, fileNameCp932)) return problem;
    const FileEncoding encoding = DefinitionFileEncoding(bytes);
    if (encoding == FileEncoding::Cp932) return std::nullopt;
    std::string_view utf8 = bytes;
    if (encoding == FileEncoding::Utf8WithByteOrderMark) utf8.remove_prefix(kUtf8ByteOrderMark.size());
    ExactCp932 text = Cp932FromUtf8Exact(utf8);
    if (!text.Held()) {
        const bool marked = encoding == FileEncoding::Utf8WithByteOrderMark;
        return LoadProblem{"", UnheldMessage(text.unheld.front(), fileNameCp932, marked)};
    }
    bytes = std::move(text.cp932);
    return std::nullopt;
}

std::optional<std::string> DefinitionFileBytes(std::string_view cp932, FileEncoding encoding) {
    if (encoding == FileEncoding::Cp932) return std::string(cp932);
    std::optional<std::string> utf8 = Utf8FromCp932Exact(cp932);
    if (!utf8) return std::nullopt;
    if (encoding == FileEncoding::Utf8WithByteOrderMark) utf8->insert(0, kUtf8ByteOrderMark);
    return utf8;
}

std::string ReadableAs(std::string bytes, FileEncoding encoding, std::string_view lineEnd) {
    const FileEncoding read = DefinitionFileEncoding(bytes);
    if (read == encoding || AllAscii(bytes)) return bytes;
    if (encoding == FileEncoding::Cp932) return std::string(kCp932CodingLine).append(lineEnd).append(bytes);
    // UTF-8 that the rule takes for CP932: well-formed throughout (the
    // program writes no other), so the mark is all it lacks.
    return std::string(kUtf8ByteOrderMark).append(bytes);
}

}  // namespace kalendo
