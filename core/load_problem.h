// A definition file that cannot be used travels as data to the one place
// that makes it fatal (start-up, GUI and CLI alike).
#pragma once

#include <string>

namespace kalendo {

struct LoadProblem {
    std::string message;  // CP932, the exact text shown before exit status 3
    // Instead of `message` (then empty), when the text quotes a character
    // code page 932 cannot hold: the same in UTF-8 (Platform::FatalUtf8).
    std::string messageUtf8 = {};
};

}  // namespace kalendo
