// The 64-bit FNV-1a hash of a byte string: a short, stable name for a
// longer one (the data folder's lock file, an exported event's UID). Its
// value is part of what those names promise, so it never changes.
#pragma once

#include <cstdint>
#include <string_view>

namespace kalendo {

inline std::uint64_t Fnv1a64(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;  // offset basis
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;  // FNV prime
    }
    return hash;
}

}  // namespace kalendo
