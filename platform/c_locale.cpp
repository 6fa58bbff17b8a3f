#include "platform/c_locale.h"

#include <clocale>

namespace kalendo {

void ForceCLocale() {
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace kalendo
