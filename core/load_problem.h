// A definition file that cannot be used travels as data to the one place
// that makes it fatal (start-up, GUI and CLI alike).
#pragma once

#include <string>

namespace kalendo {

struct LoadProblem {
    std::string message;  // CP932, the exact text shown before exit status 3
};

}  // namespace kalendo
