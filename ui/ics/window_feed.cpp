#include "ui/ics/window_feed.h"

#include "month/compute_month.h"
#include "platform/text_codec.h"
#include "ui/ics/ics_file.h"
#include "ui/model/ics_texts.h"
#include "ui/model/month_view.h"
#include "ui/model/sky_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {

std::string WindowFeedPath(const AppSettings& s, const std::string& userFolder) {
    return s.feedPath.empty() ? userFolder + kFeedFileName : s.feedPath;
}

std::optional<FeedResult> UpdateWindowFeed(const MonthRecord& rec, const AppSettings& s, const std::string& userFolder) {
    if (!s.feedOn) return std::nullopt;
    const CalendarDate today{rec.year[kToday], rec.month[kToday], rec.day[kToday]};
    const std::optional<FeedWindow> window = FeedWindowAround(today, kFeedPastMonths, kFeedMonths);
    if (!window) return std::nullopt;  // a clock outside 1600-2999: nothing to write
    const MonthOptions options = MonthOptionsOf(s);
    // The notes and eclipses as the window shows them: its readings and
    // picks, seen from its place.
    IcsInclude kinds = s.feedKinds;
    kinds.rekichuPicks = s.rekichuPicks;
    kinds.readings = s.rekichuReadings;
    const GeoPosition place = SettingsPlace(s).position;
    const FeedResult result =
        WriteFeedFile(rec, *window, kinds, options.almanac, WindowFeedPath(s, userFolder), &place);
    return result;
}

std::string WindowFeedFailedMessage(const FeedResult& result) {
    return FormatText(kFeedWriteErrorFormat, FileErrorReason(result.error).c_str(),
                      Cp932FromUtf8(result.failedPath).c_str());
}

}  // namespace kalendo
