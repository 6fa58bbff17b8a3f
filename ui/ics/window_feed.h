// The window's own feed (「カレンダーアプリ用のファイルを更新する」 in 設定): while
// the window runs it keeps the file calendar programs subscribe to current
// itself, at start, after midnight and after every schedule change, so that
// a schedule typed in shows in the user's calendar at its next reload. The
// systemd timer does the same for the hours the window is not running.
#pragma once

#include <optional>
#include <string>

#include "core/month_record.h"
#include "ui/ics/ics_feed.h"
#include "ui/model/settings.h"

namespace kalendo {

// The file's default name, in the user's folder (FileLocations::userFolder:
// $XDG_DATA_HOME/Kalendo2/ for an installed copy), where the systemd
// service writes it too.
inline constexpr char kFeedFileName[] = "Kalendo2.ics";

// s.feedPath, or the default file in `userFolder` (ending with "/").
std::string WindowFeedPath(const AppSettings& s, const std::string& userFolder);

// When s.feedOn: the feed of the default window around the record's today
// (the schedules as the window holds them, past ones swept) written to
// WindowFeedPath, only when its bytes changed, in the window's almanac
// mode; the days are read on the record's tables and the record is not
// written. nullopt when the feed is off.
std::optional<FeedResult> UpdateWindowFeed(const MonthRecord& rec, const AppSettings& s, const std::string& userFolder);

// The message of a feed that could not be written (CP932): the reason
// (FileErrorReason) and the file on the next line.
std::string WindowFeedFailedMessage(const FeedResult& result);

}  // namespace kalendo
