#include "ui/ics/ics_feed.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/fnv1a.h"
#include "platform/text_codec.h"
#include "ui/ics/ics_calendar.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstYear = 1600;
constexpr int kLastYear = 2999;

// Months counted from year 0: a month's place on one line.
int MonthNumber(int y, int m) { return y * 12 + (m - 1); }

FeedResult Failed(int error, std::string path) {
    FeedResult r;
    r.error = error != 0 ? error : EIO;
    r.failedPath = std::move(path);
    return r;
}

// Replaces `path` with `bytes` when they differ from what it holds (a file
// that cannot be read, missing or too large, differs). The errno value of
// a failure, else 0.
int WriteIfChanged(const std::string& path, std::string_view bytes, bool& written) {
    written = false;
    if (const std::optional<std::string> old = ReadWholeFile(path); old && *old == bytes) return 0;
    AtomicFileWriter file(path);
    if (!file.Write(bytes) || !file.Commit()) return file.error();
    written = true;
    return 0;
}

// One item of a vdir replaced when its bytes differ: written into a hidden
// temporary file beside it (a name no client reads) and renamed over it,
// without a flush of its own. An item is derived data that every run
// writes again whenever it differs, so what a power loss can leave (an
// empty or old item) is mended by the next run; a flush per item made the
// first run of 25 months take 20 s. The folder is flushed once at the end.
// The errno value of a failure, else 0.
int WriteItemIfChanged(const fs::path& folder, const std::string& name, std::string_view bytes,
                       bool& written) {
    written = false;
    const std::string path = (folder / name).string();
    if (const std::optional<std::string> old = ReadWholeFile(path); old && *old == bytes) return 0;
    std::string temp = (folder / ("." + name + ".XXXXXX")).string();
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && error == 0;) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) error = errno;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    // mkostemp's 0600 made 0644 less the umask, as any new file.
    const mode_t mask = umask(0);
    umask(mask);
    if (error == 0 && fchmod(fd, 0644 & ~mask) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temp.c_str());
        return error;
    }
    written = true;
    return 0;
}

}  // namespace

std::optional<FeedWindow> FeedWindowAround(CalendarDate today, int pastMonths, int months) {
    const int firstMonth = std::max(MonthNumber(today.year, today.month) - pastMonths, MonthNumber(kFirstYear, 1));
    const int lastMonth = std::min(MonthNumber(today.year, today.month) + months - 1, MonthNumber(kLastYear, 12));
    if (firstMonth > lastMonth) return std::nullopt;
    const int lastY = lastMonth / 12, lastM = lastMonth % 12 + 1;
    return FeedWindow{{firstMonth / 12, firstMonth % 12 + 1, 1}, {lastY, lastM, DaysInMonth(lastY, lastM)}};
}

std::string FeedUids::Next(const IcsEvent& e) {
    if (e.date != day_) {
        day_ = e.date;
        dayUids_.clear();
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%s-%016llx", e.date.year, e.date.month, e.date.day,
                  IcsKindWord(e.kind), static_cast<unsigned long long>(Fnv1a64(Utf8FromCp932(e.name))));
    std::string uid = buf;
    dayUids_.push_back(uid);
    const long repeat = std::count(dayUids_.begin(), dayUids_.end(), uid);
    if (repeat > 1) {
        uid += '-';
        uid += std::to_string(repeat);
    }
    uid += "@kalendo2";
    return uid;
}

std::string FeedCalendarText(const MonthRecord& rec, const FeedWindow& window, IcsInclude include,
                             AlmanacMode almanac, long long* events, const GeoPosition* place) {
    std::string text;
    IcsWriter writer(
        0,
        [&text](std::string_view bytes) {
            text.append(bytes);
            return true;
        },
        IcsFlavour::Feed);
    FeedUids uids;
    VisitIcsEvents(
        rec, window.first, window.last, include, almanac,
        [&](const IcsEvent& e) { return writer.Event(e, uids.Next(e)); }, place);
    writer.Finish();
    if (events != nullptr) *events = writer.events();
    return text;
}

FeedResult WriteFeedFile(const MonthRecord& rec, const FeedWindow& window, IcsInclude include,
                         AlmanacMode almanac, const std::string& path, const GeoPosition* place) {
    FeedResult result;
    const std::string text = FeedCalendarText(rec, window, include, almanac, &result.events, place);
    bool written = false;
    if (const int error = WriteIfChanged(path, text, written)) return Failed(error, path);
    result.ok = true;
    result.filesWritten = written ? 1 : 0;
    return result;
}

FeedResult WriteFeedFolder(const MonthRecord& rec, const FeedWindow& window, IcsInclude include,
                           AlmanacMode almanac, const std::string& folder, const GeoPosition* place) {
    std::error_code ec;
    fs::create_directories(fs::path(folder), ec);
    if (ec) return Failed(ec.value(), folder);
    if (!fs::is_directory(fs::path(folder), ec)) return Failed(ENOTDIR, folder);

    FeedResult result;
    FeedUids uids;
    std::set<std::string> names;  // the items of this run
    std::string item;
    int error = 0;
    std::string failed;
    VisitIcsEvents(rec, window.first, window.last, include, almanac, [&](const IcsEvent& e) {
        const std::string uid = uids.Next(e);
        item.clear();
        IcsWriter writer(
            0,
            [&item](std::string_view bytes) {
                item.append(bytes);
                return true;
            },
            IcsFlavour::FeedItem);
        writer.Event(e, uid);
        writer.Finish();
        // The UID is digits, lower-case letters, "-" and "@": a file name as it stands.
        std::string name(uid, 0, uid.find('@'));
        name += kFeedItemSuffix;
        bool written = false;
        if ((error = WriteItemIfChanged(fs::path(folder), name, item, written)) != 0) {
            failed = (fs::path(folder) / name).string();
            return false;
        }
        names.insert(std::move(name));
        ++result.events;
        if (written) ++result.filesWritten;
        return true;
    }, place);
    if (!failed.empty()) return Failed(error, failed);

    // The items of events that left the window, and only those: a vdir may
    // hold the user's own events beside ours.
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > std::string_view(kFeedItemSuffix).size() && name.ends_with(kFeedItemSuffix) &&
            names.count(name) == 0) {
            stale.push_back(it->path());
        }
    }
    if (ec) return Failed(ec.value(), folder);
    for (const fs::path& p : stale) {
        if (!fs::remove(p, ec) && ec) return Failed(ec.value(), p.string());
        ++result.filesRemoved;
    }
    if (result.filesWritten + result.filesRemoved > 0) {
        const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const bool synced = dir >= 0 && fsync(dir) == 0;
        const int syncError = errno;
        if (dir >= 0) close(dir);
        if (!synced) return Failed(syncError, folder);
    }
    result.ok = true;
    return result;
}

}  // namespace kalendo
