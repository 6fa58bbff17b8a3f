#include "platform/platform.h"

#include <cassert>

namespace kalendo {
namespace {
Platform* g_platform = nullptr;
}  // namespace

Platform& ThePlatform() {
    assert(g_platform != nullptr && "SetPlatform must run before anything computes");
    return *g_platform;
}

Platform* PlatformOrNull() { return g_platform; }

void SetPlatform(Platform* platform) { g_platform = platform; }

}  // namespace kalendo
