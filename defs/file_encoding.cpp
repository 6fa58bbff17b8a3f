#include "defs/file_encoding.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "defs/defs_texts.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// "U+1F382"; for bytes that are no UTF-8, each byte as "0xE6".
std::string CodeText(const UnheldCharacter& u) {
    char buf[16];
    if (u.codePoint != kNotUtf8) {
        std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(u.codePoint));
        return buf;
    }
    std::string bytes;
    for (const char c : u.utf8) {
        std::snprintf(buf, sizeof buf, bytes.empty() ? "0x%02X" : " 0x%02X",
                      static_cast<unsigned>(static_cast<unsigned char>(c)));
        bytes += buf;
    }
    return bytes;
}

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
std::string UnheldMessage(const UnheldCharacter& u, const char* fileNameCp932) {
    const std::string fileName = Utf8FromCp932(fileNameCp932);
    const std::string code = CodeText(u);
    if (u.codePoint == kNotUtf8) {
        return Format(Utf8FromCp932(kNotUtf8FileFormat), fileName.c_str(), u.line, u.column,
                      code.c_str());
    }
    return Format(Utf8FromCp932(kUnheldFileCharacterFormat), fileName.c_str(), u.line, u.column,
                  u.utf8.c_str(), code.c_str());
}

}  // namespace

FileEncoding DefinitionFileEncoding(std::string_view fileBytes) {
    if (fileBytes.starts_with(kUtf8ByteOrderMark)) return FileEncoding::Utf8WithByteOrderMark;
    const bool multiByte = std::any_of(fileBytes.begin(), fileBytes.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x80;
    });
    return multiByte && IsUtf8(fileBytes) ? FileEncoding::Utf8 : FileEncoding::Cp932;
}

std::optional<LoadProblem> ToDefinitionText(std::string& bytes, const char* fileNameCp932) {
    const FileEncoding encoding = DefinitionFileEncoding(bytes);
    if (encoding == FileEncoding::Cp932) return std::nullopt;
    std::string_view utf8 = bytes;
    if (encoding == FileEncoding::Utf8WithByteOrderMark) utf8.remove_prefix(kUtf8ByteOrderMark.size());
    ExactCp932 text = Cp932FromUtf8Exact(utf8);
    if (!text.Held()) return LoadProblem{"", UnheldMessage(text.unheld.front(), fileNameCp932)};
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

}  // namespace kalendo
