// Test helper: an exported calendar read line by line as RFC 5545 3.1 and
// 3.3.11 define it, without libical: the physical lines checked, unfolded,
// and TEXT values unescaped.
#pragma once

// The sanitizers add time, and reserve terabytes of address space for
// their shadow memory; some tests take less or skip a limit under them.
#if defined(__SANITIZE_ADDRESS__)
#define K2_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define K2_TEST_SANITIZED 1
#endif
#endif
#ifndef K2_TEST_SANITIZED
#define K2_TEST_SANITIZED 0
#endif

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalendo {

inline constexpr bool kSanitized = K2_TEST_SANITIZED != 0;

// Each lead byte followed by exactly the continuation bytes it announces.
inline bool WholeUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

// The physical lines of `text` into `lines`; "" when each ends in CR LF,
// holds no other CR or LF, at most 75 octets, and is whole UTF-8 once a
// fold's blank is taken off (a cut character leaves half on each line);
// else what is wrong with the first that is not.
inline std::string LineFault(std::string_view text, std::vector<std::string_view>* lines = nullptr) {
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find("\r\n", from);
        if (end == std::string_view::npos) return "no CR LF at the end: " + std::string(text.substr(from, 80));
        const std::string_view line = text.substr(from, end - from);
        if (line.find_first_of("\r\n") != std::string_view::npos) return "a bare CR or LF in: " + std::string(line);
        if (line.size() > 75) return "over 75 octets: " + std::string(line);
        const std::string_view body = !line.empty() && line[0] == ' ' ? line.substr(1) : line;
        if (!WholeUtf8(body)) return "a character cut by a fold: " + std::string(line);
        if (lines != nullptr) lines->push_back(line);
        from = end + 2;
    }
    return "";
}

// A line that begins with a blank or a tab continues the one before.
inline std::vector<std::string> Unfold(const std::vector<std::string_view>& lines) {
    std::vector<std::string> out;
    for (const std::string_view line : lines) {
        if (!out.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            out.back().append(line.substr(1));
        } else {
            out.emplace_back(line);
        }
    }
    return out;
}

// A TEXT value with \\ \; \, \n and \N undone.
inline std::string Unescape(std::string_view v) {
    std::string s;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size()) {
            const char c = v[++i];
            s += c == 'n' || c == 'N' ? '\n' : c;
        } else {
            s += v[i];
        }
    }
    return s;
}

// The unescaped value of the first content line `name:…`, if any.
inline std::optional<std::string> TextOf(const std::vector<std::string>& contentLines, std::string_view name) {
    for (const std::string& line : contentLines) {
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 && line[name.size()] == ':') {
            return Unescape(std::string_view(line).substr(name.size() + 1));
        }
    }
    return std::nullopt;
}

}  // namespace kalendo
