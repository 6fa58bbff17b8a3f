// The settings reader on any bytes (ReadSettings hands the file's bytes to
// ParseSettings), and the property that keeps the file stable: what was
// read, written by SettingsText, reads back to the same values.
#include "ui/model/settings.h"

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

namespace {

bool Same(const AppSettings& a, const AppSettings& b) {
    return a.windowLeft == b.windowLeft && a.windowTop == b.windowTop &&
           a.sizeMode == b.sizeMode && a.viewMode == b.viewMode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::StartInput();
    AppSettings s;
    if (!ParseSettings(fuzz::Bytes(data, size), s)) return 0;
    fuzz::FuzzCheck(s.sizeMode == kSizeNormal || s.sizeMode == kSizeEnlarged, "size mode 0 or 1");
    fuzz::FuzzCheck(s.viewMode == kViewFull || s.viewMode == kViewMonthly, "view mode 0 or 1");
    AppSettings back;
    back.windowLeft = ~s.windowLeft;  // every field must come from the text
    back.windowTop = ~s.windowTop;
    back.sizeMode = 1 - s.sizeMode;
    back.viewMode = 1 - s.viewMode;
    fuzz::FuzzCheck(ParseSettings(SettingsText(s), back), "the written file reads");
    fuzz::FuzzCheck(Same(s, back), "the written file reads back to the same settings");
    return 0;
}
