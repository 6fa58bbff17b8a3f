// Test helper: the members of one compact JSON object, as the CLI writes
// it, in order, with each value's raw text. Enough to check key order and
// values without a JSON library.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kalendo {

using JsonMembers = std::vector<std::pair<std::string, std::string>>;

// Where the value starting at `from` ends: the index of the "," or of the
// closing bracket after it at its own depth, or text.size().
inline std::size_t ValueEnd(const std::string& text, std::size_t from) {
    int depth = 0;
    bool inString = false;
    std::size_t j = from;
    for (; j < text.size(); ++j) {
        const char c = text[j];
        if (inString) {
            if (c == '\\') ++j;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (depth == 0) break;
            --depth;
        } else if (c == ',' && depth == 0) {
            break;
        }
    }
    return j;
}

// Empty when the text is not an object of that shape.
inline JsonMembers MembersOf(const std::string& object) {
    JsonMembers members;
    std::size_t i = 0;
    if (object.empty() || object[0] != '{') return {};
    ++i;
    while (i < object.size() && object[i] != '}') {
        if (object[i] != '"') return {};
        const std::size_t keyEnd = object.find('"', i + 1);
        if (keyEnd == std::string::npos || keyEnd + 1 >= object.size() || object[keyEnd + 1] != ':') {
            return {};
        }
        std::string key = object.substr(i + 1, keyEnd - i - 1);
        std::size_t j = keyEnd + 2;
        const std::size_t valueBegin = j;
        j = ValueEnd(object, j);
        if (j >= object.size()) return {};
        members.emplace_back(std::move(key), object.substr(valueBegin, j - valueBegin));
        i = object[j] == ',' ? j + 1 : j;
    }
    return members;
}

inline std::vector<std::string> KeysOf(const std::string& object) {
    std::vector<std::string> keys;
    for (const auto& member : MembersOf(object)) keys.push_back(member.first);
    return keys;
}

// The raw elements of an array's text ("[]" has none).
inline std::vector<std::string> ElementsOf(const std::string& array) {
    std::vector<std::string> elements;
    if (array.size() < 2 || array[0] != '[' || array[1] == ']') return elements;
    for (std::size_t i = 1; i < array.size();) {
        const std::size_t end = ValueEnd(array, i);
        elements.push_back(array.substr(i, end - i));
        if (end >= array.size() || array[end] == ']') break;
        i = end + 1;
    }
    return elements;
}

// The raw value of `key`, or "<missing>".
inline std::string ValueOf(const std::string& object, const std::string& key) {
    for (const auto& member : MembersOf(object)) {
        if (member.first == key) return member.second;
    }
    return "<missing>";
}

}  // namespace kalendo
