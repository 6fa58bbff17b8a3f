// Test helper: the members of one compact JSON object, as the CLI writes
// it, in order, with each value's raw text. Enough to check key order and
// values without a JSON library.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kalendo {

using JsonMembers = std::vector<std::pair<std::string, std::string>>;

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
        int depth = 0;
        bool inString = false;
        for (; j < object.size(); ++j) {
            const char c = object[j];
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

// The raw value of `key`, or "<missing>".
inline std::string ValueOf(const std::string& object, const std::string& key) {
    for (const auto& member : MembersOf(object)) {
        if (member.first == key) return member.second;
    }
    return "<missing>";
}

}  // namespace kalendo
