// Preloaded into kalendo2-cli by a test: iconv_open refuses every
// conversion from or to "CP932" with EINVAL, as on a system whose iconv
// lacks the converter; every other conversion is iconv's own.
#include <dlfcn.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>

extern "C" iconv_t iconv_open(const char* to, const char* from) {
    if (std::strcmp(to, "CP932") == 0 || std::strcmp(from, "CP932") == 0) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);
    }
    using IconvOpen = iconv_t (*)(const char*, const char*);
    static const auto real = reinterpret_cast<IconvOpen>(dlsym(RTLD_NEXT, "iconv_open"));
    return real(to, from);
}
