// One schedule as a test writes it: the name in UTF-8, the note as the
// record holds it (code page 932 bytes).
#pragma once

#include <string>

#include "core/month_record.h"
#include "platform/text_codec.h"

namespace kalendo {

inline CSchedule MakeSchedule(const std::string& nameUtf8, int y, int m, int d, int period,
                              const std::string& textCp932 = "") {
    CSchedule s = kFreshSchedule;
    CopyText(s.name, Cp932FromUtf8(nameUtf8).c_str());
    CopyText(s.text, textCp932.c_str());
    s.year = y;
    s.month = m;
    s.day = d;
    s.displayPeriod = period;
    return s;
}

}  // namespace kalendo
