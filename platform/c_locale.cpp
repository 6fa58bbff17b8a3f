#include "platform/c_locale.h"

#include <clocale>
#include <initializer_list>

namespace kalendo {

void ForceCLocale() {
    std::setlocale(LC_NUMERIC, "C");
    // glibc has C.UTF-8 built in from 2.35; older ones spell it C.utf8 when
    // the locale was generated at all.
    for (const char* name : {"C.UTF-8", "C.utf8", "C"}) {
        if (std::setlocale(LC_CTYPE, name) != nullptr) return;
    }
}

}  // namespace kalendo
