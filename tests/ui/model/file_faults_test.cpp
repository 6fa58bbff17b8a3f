// The two files the program writes, the schedule file and the settings
// file, under faults: a process killed in the middle of a save, and saves
// that cannot be written (a read-only folder, a full disk). Either way the
// file on disk must be a whole old or a whole new version.
//
// Every fault runs in a child process: SIGKILL needs a victim, and the
// privileges, file-size limit and mount namespace a fault needs must not
// leak into the rest of the tests.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/month_record.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "tests/schedule_maker.h"
#include "ui/ics/ics_calendar.h"
#include "ui/ics/ics_file.h"
#include "ui/model/schedule_file.h"
#include "ui/model/settings.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

constexpr char kScheduleMessage[] = "スケジュール定義ファイルを書き込めません（";
constexpr char kSettingsMessage[] = "設定ファイルを書き込めません（";

// A folder of its own, removed afterwards (whatever its mode by then).
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "k2-faults-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        chmod(path_.c_str(), 0700);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

    // The names in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path path_;
};

// Runs `body` in a child process. The child's verdict comes back through a
// pipe: "" when all went as expected, else what went wrong. A child that
// ends without a verdict reports how it ended.
std::string InChild(const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    const pid_t child = fork();
    if (child < 0) return "fork failed";
    if (child == 0) {
        close(fds[0]);
        std::string verdict;
        try {
            verdict = body();
        } catch (const FatalExit& e) {
            verdict = "unexpected fatal exit: " + Utf8FromCp932(e.message);
        } catch (...) {
            verdict = "unexpected exception";
        }
        verdict.insert(0, "#");  // a verdict was given, even an empty one
        [[maybe_unused]] const ssize_t n = write(fds[1], verdict.data(), verdict.size());
        _exit(0);
    }
    close(fds[1]);
    std::string verdict;
    char buf[512];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) verdict.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (verdict.empty()) return "the child ended without a verdict, status " + std::to_string(status);
    return verdict.substr(1);
}

// The super-user writes into any folder; the user nobody does not.
bool BecomeOrdinaryUser() {
    if (geteuid() != 0) return true;
    return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
}

// ---------------------------------------------------------------------------
// The two versions each file alternates between.

std::unique_ptr<MonthRecord> RecordDated20240615() {
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kToday] = 2024;
    rec->month[kToday] = 6;
    rec->day[kToday] = 15;
    return rec;
}

// Version 0: three schedules. Version 1: a full store with long notes, so
// that writing it takes a while and a kill often lands inside the write
// (all dated after today, so all are written).
std::unique_ptr<MonthRecord> ScheduleVersion(int version) {
    auto rec = RecordDated20240615();
    if (version == 0) {
        AddSchedule(*rec, MakeSchedule("会議", 2024, 7, 1, 1, Cp932FromUtf8("資料を持参")));
        AddSchedule(*rec, MakeSchedule("歯医者", 2024, 8, 2, 0));
        AddSchedule(*rec, MakeSchedule("旅行", 2025, 1, 3, 4, Cp932FromUtf8("一行目\r\n二行目")));
        return rec;
    }
    std::string note;
    for (int line = 0; line < 12; ++line) note += "備考の行 " + std::to_string(line) + " 〇〇〇〇\r\n";
    for (int i = 0; i < kScheduleCapacity; ++i) {
        AddSchedule(*rec, MakeSchedule("予定" + std::to_string(i), 2025 + i % 7, 1 + i % 12,
                                       1 + i % 28, i % 5, Cp932FromUtf8(note + std::to_string(i))));
    }
    return rec;
}

bool SameSchedules(const MonthRecord& a, const MonthRecord& b) {
    if (a.scheduleCount != b.scheduleCount) return false;
    for (int i = 0; i < a.scheduleCount; ++i) {
        const CSchedule& x = a.tables.schedules[i];
        const CSchedule& y = b.tables.schedules[i];
        if (std::strcmp(x.name, y.name) != 0 || std::strcmp(x.text, y.text) != 0 ||
            x.year != y.year || x.month != y.month || x.day != y.day ||
            x.displayPeriod != y.displayPeriod) {
            return false;
        }
    }
    return true;
}

const AppSettings kSettingsVersions[2] = {{12, 34, kSizeNormal, kViewFull},
                                          {-1500, 20000, kSizeEnlarged, kViewMonthly}};

bool SameSettings(const AppSettings& a, const AppSettings& b) {
    return a.windowLeft == b.windowLeft && a.windowTop == b.windowTop &&
           a.sizeMode == b.sizeMode && a.viewMode == b.viewMode;
}

// ---------------------------------------------------------------------------
// Killed saves.

// One file under test: how the child saves version v, and which version
// (0 or 1) the file's bytes load to, -1 for neither.
struct SavedFile {
    std::string name;
    std::function<void(const std::string& path, int version)> save;
    std::function<int(const std::string& bytes)> versionOf;
};

struct KillTally {
    int kills = 0;
    int version[2] = {0, 0};
    int killedMidSave = 0;  // a temporary file was left behind
    int refusedStarts = 0;  // a second saver found the folder locked and ended
};

// The temporary files a save leaves when it is killed: "<name>.XXXXXX".
bool IsTemporaryOf(const std::string& name, const std::string& file) {
    return name.size() == file.size() + 7 && name.rfind(file + ".", 0) == 0;
}

// The exit status of a saver that found the folder locked.
constexpr int kLockedOut = 1;

// A child saves version 1, 0, 1, … into the file, as fast as it can; the
// parent kills it with SIGKILL after a random delay, checks the file, and
// starts the next child. The delays reach past one whole save (measured
// first), so kills land before, inside and after saves. With two savers,
// two children start at once, each as a window does: the folder's lock
// first, and the one that finds it taken ends with kLockedOut without
// touching the file; the lock goes with the killed holder.
void KillDuringSaves(const SavedFile& file, int kills, KillTally& tally, int savers = 1) {
    ScratchFolder folder;
    const std::string path = folder.File(file.name);

    // The duration of one save here, median of a few.
    std::vector<double> micros;
    for (int i = 0; i < 9; ++i) {
        const auto start = std::chrono::steady_clock::now();
        file.save(path, i % 2);
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(micros.begin(), micros.begin() + 4, micros.end());
    const int maxDelayMicros = std::clamp(static_cast<int>(2.5 * micros[4]), 3000, 40000);
    file.save(path, 0);

    std::mt19937 rng(20240615);  // fixed: a failure repeats
    std::uniform_int_distribution<int> delay(0, maxDelayMicros);
    int current = 0;
    int seenTemporaries = 0;
    // A forked saver's first save can take far longer than the measured one
    // on a loaded machine (its pages are copied as it writes them): while a
    // run has not yet seen both versions and a kill inside a save, it goes
    // on with delays twice as long, a few times at most.
    const KillTally before = tally;
    constexpr int kMaxLongerRounds = 4;
    int longerRounds = 0;
    for (int k = 0; k < kills; ++k) {
        if (k == kills - 1 && longerRounds < kMaxLongerRounds &&
            (tally.version[0] == before.version[0] || tally.version[1] == before.version[1] ||
             tally.killedMidSave == before.killedMidSave)) {
            ++longerRounds;
            kills += kills / 2;
            delay = std::uniform_int_distribution<int>(0, maxDelayMicros << longerRounds);
        }
        pid_t children[2] = {-1, -1};
        int ready[2] = {-1, -1};
        for (int c = 0; c < savers; ++c) {
            // The child says when it is about to save: the delay counts from
            // there, not from fork, whose cost (large under the sanitizers
            // and on a loaded machine) would otherwise swallow it.
            int fds[2];
            ASSERT_EQ(pipe(fds), 0);
            children[c] = fork();
            ASSERT_GE(children[c], 0);
            if (children[c] == 0) {
                close(fds[0]);
                if (savers > 1 && LockDataFolder(folder.path().string()) != InstanceLockResult::Held) {
                    _exit(kLockedOut);
                }
                const char go = 1;
                if (write(fds[1], &go, 1) != 1) _exit(3);
                close(fds[1]);
                try {
                    for (int v = 1 - current;; v = 1 - v) file.save(path, v);
                } catch (...) {
                }
                _exit(2);  // a save failed: the parent sees no SIGKILL
            }
            close(fds[1]);
            ready[c] = fds[0];
        }
        // One byte from a child about to save; nothing (end of file) from one
        // that was locked out.
        for (int c = 0; c < savers; ++c) {
            char go = 0;
            while (read(ready[c], &go, 1) < 0 && errno == EINTR) {
            }
            close(ready[c]);
        }
        const int delayMicros = delay(rng);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros));
        int lockedOut = 0;
        for (int c = 0; c < savers; ++c) {
            kill(children[c], SIGKILL);
            int status = 0;
            ASSERT_EQ(waitpid(children[c], &status, 0), children[c]);
            if (WIFEXITED(status) && WEXITSTATUS(status) == kLockedOut && savers > 1) {
                ++lockedOut;
                continue;
            }
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
                << "the saving child ended by itself, status " << status;
        }
        ASSERT_LT(lockedOut, savers) << "a saver was locked out by no one";
        tally.refusedStarts += lockedOut;
        ++tally.kills;

        const std::optional<std::string> bytes = ReadWholeFile(path);
        ASSERT_TRUE(bytes.has_value()) << "kill " << k << " after " << delayMicros << " us";
        current = file.versionOf(*bytes);
        ASSERT_NE(current, -1) << "kill " << k << " after " << delayMicros
                               << " us left neither version (" << bytes->size() << " bytes)";
        ++tally.version[current];

        // Besides the file: the lock file, and a temporary file of each
        // killed saver at most.
        int temporaries = 0;
        for (const std::string& name : folder.Names()) {
            if (name == file.name || (savers > 1 && name == kLockFileName)) continue;
            ASSERT_TRUE(IsTemporaryOf(name, file.name)) << "unexpected file " << name;
            ++temporaries;
        }
        // They stay (a save never removes a name it did not create).
        ASSERT_GE(temporaries, seenTemporaries);
        tally.killedMidSave += temporaries - seenTemporaries;
        seenTemporaries = temporaries;
    }
    // A left-over temporary file never stands in the way of the next save.
    file.save(path, 1);
    EXPECT_EQ(file.versionOf(ReadWholeFile(path).value_or("")), 1);
}

void ExpectBothVersionsAndMidSaveKills(const KillTally& t) {
    std::cout << "  " << t.kills << " kills: old/new versions " << t.version[0] << "/"
              << t.version[1] << ", killed inside a save " << t.killedMidSave << "\n";
    // Without these the test would have proved nothing.
    EXPECT_GT(t.version[0], 0);
    EXPECT_GT(t.version[1], 0);
    EXPECT_GT(t.killedMidSave, 0);
}

constexpr int kKillsPerFile = 150;

// The two versions of the schedule file, and how a file is told apart.
struct ScheduleVersions {
    std::unique_ptr<MonthRecord> versions[2] = {ScheduleVersion(0), ScheduleVersion(1)};
    std::string bytes[2] = {ScheduleFileBytes(*versions[0]), ScheduleFileBytes(*versions[1])};
    std::unique_ptr<MonthRecord> loaded = RecordDated20240615();

    SavedFile File() {
        return {"Schedule.Def",
                [this](const std::string& path, int v) {
                    // Each save as a window that has just read the file.
                    if (const std::optional<std::string> now = ReadWholeFile(path)) {
                        RememberScheduleFile(path, *now);
                    }
                    if (!SaveSchedules(*versions[v], path)) throw std::runtime_error("not saved");
                },
                [this](const std::string& b) {
                    if (LoadSchedules(*loaded, b).has_value()) return -1;
                    for (int v = 0; v < 2; ++v) {
                        if (SameSchedules(*loaded, *versions[v])) return b == bytes[v] ? v : -1;
                    }
                    return -1;
                }};
    }
};

TEST(KilledSave, ScheduleFileIsAlwaysAWholeVersion) {
    ScopedRecordingPlatform platform;
    ScheduleVersions s;
    ASSERT_NE(s.bytes[0], s.bytes[1]);
    // What each version loads to (the file drops nothing of these tables).
    ASSERT_FALSE(LoadSchedules(*s.loaded, s.bytes[1]).has_value());
    ASSERT_TRUE(SameSchedules(*s.loaded, *s.versions[1]));

    KillTally tally;
    KillDuringSaves(s.File(), kKillsPerFile, tally);
    ExpectBothVersionsAndMidSaveKills(tally);
    EXPECT_TRUE(platform->messages.empty());
}

// Two windows started at once on one folder: the lock lets one save and
// turns the other away, so every file is one whole version.
TEST(KilledSave, TwoSaversAtOnceLeaveAWholeVersion) {
    ScopedRecordingPlatform platform;
    ScheduleVersions s;
    KillTally tally;
    KillDuringSaves(s.File(), kKillsPerFile, tally, 2);
    ExpectBothVersionsAndMidSaveKills(tally);
    std::cout << "  second savers locked out: " << tally.refusedStarts << "\n";
    EXPECT_GT(tally.refusedStarts, 0);
    EXPECT_TRUE(platform->messages.empty());
}

TEST(KilledSave, SettingsFileIsAlwaysAWholeVersion) {
    ScopedRecordingPlatform platform;
    const SavedFile file{
        "Kalendo2.Ini",
        [](const std::string& path, int v) {
            if (!WriteSettings(path, kSettingsVersions[v])) throw std::runtime_error("not saved");
        },
        [](const std::string& b) {
            AppSettings read{};
            if (!ParseSettings(b, read)) return -1;
            for (int v = 0; v < 2; ++v) {
                if (SameSettings(read, kSettingsVersions[v])) {
                    return b == SettingsText(kSettingsVersions[v]) ? v : -1;
                }
            }
            return -1;
        }};
    KillTally tally;
    KillDuringSaves(file, kKillsPerFile, tally);
    ExpectBothVersionsAndMidSaveKills(tally);
    EXPECT_TRUE(platform->messages.empty());
}

// ---------------------------------------------------------------------------
// Saves that cannot be written. (Schedule.Def in a read-only folder is in
// schedule_file_test.cpp, the holes of the save itself in
// tests/platform/file_io_test.cpp.)

enum class Fault {
    ReadOnlyFolder,  // the user may not create files in the folder
    ReadOnlyFile,    // the user made the file itself read-only (0444)
    FileSizeLimit,   // the write stops halfway with EFBIG (RLIMIT_FSIZE)
    FullFileSystem,  // a 64 KiB tmpfs filled up
};

const char* FaultName(Fault f) {
    switch (f) {
        case Fault::ReadOnlyFolder: return "read-only folder";
        case Fault::ReadOnlyFile: return "read-only file";
        case Fault::FileSizeLimit: return "the write stops halfway (file size limit)";
        case Fault::FullFileSystem: return "full file system (tmpfs)";
    }
    return "?";
}

constexpr char kSkip[] = "skip: ";

// In the child: the fault around `folder`, where `path` holds `oldBytes`.
// Returns "" when the fault is in place, a kSkip reason or a failure.
std::string SetUpFault(Fault fault, const ScratchFolder& folder, const std::string& path,
                       const std::string& oldBytes, std::size_t newBytes) {
    switch (fault) {
        case Fault::ReadOnlyFolder:
            if (chmod(folder.path().c_str(), 0555) != 0) return "chmod failed";
            return BecomeOrdinaryUser() ? "" : "could not become the user nobody";
        case Fault::ReadOnlyFile:
            return chmod(path.c_str(), 0444) == 0 ? "" : "chmod failed";
        case Fault::FileSizeLimit: {
            std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the process
            const rlim_t half = newBytes / 2;
            const rlimit limit{half, half};
            return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? "" : "setrlimit failed";
        }
        case Fault::FullFileSystem: {
            // A mount namespace of the child's own: the mount goes with it.
            if (unshare(CLONE_NEWNS) != 0) return std::string(kSkip) + "no mount namespace here";
            if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                mount("k2-full", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
                return std::string(kSkip) + "tmpfs cannot be mounted here";
            }
            if (!WriteFileAtomically(path, oldBytes)) return "the old file does not fit";
            const int fd = open(folder.File("filler").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(4096, 'x');
            while (write(fd, block.data(), block.size()) > 0) {
            }
            const bool full = errno == ENOSPC;
            close(fd);
            return full ? "" : "the tmpfs did not fill up";
        }
    }
    return "unknown fault";
}

struct FailedSaveCase {
    const char* file;  // "schedules" or "settings"
    Fault fault;
    const char* reason;
};

constexpr char kNoPermission[] = "書き込みの権限がありません";
constexpr char kTooLarge[] = "ファイルが大きすぎます";
constexpr char kNoSpace[] = "ディスクの空きが足りません";
constexpr FailedSaveCase kFailedSaveCases[] = {
    {"schedules", Fault::ReadOnlyFile, kNoPermission},   {"schedules", Fault::FileSizeLimit, kTooLarge},
    {"schedules", Fault::FullFileSystem, kNoSpace},      {"settings", Fault::ReadOnlyFolder, kNoPermission},
    {"settings", Fault::ReadOnlyFile, kNoPermission},    {"settings", Fault::FileSizeLimit, kTooLarge},
    {"settings", Fault::FullFileSystem, kNoSpace},
};

// The old file stays as it was, no temporary file stays beside it, and the
// save reports its failure with false and a message that names the file
// and the reason (the schedule table keeps what could not be saved).
TEST(FailedSave, KeepsTheOldFileAndShowsTheMessage) {
    const std::unique_ptr<MonthRecord> oldSchedules = ScheduleVersion(0);
    const std::unique_ptr<MonthRecord> newSchedules = ScheduleVersion(1);
    for (const FailedSaveCase& c : kFailedSaveCases) {
        const bool schedules = std::string(c.file) == "schedules";
        SCOPED_TRACE(std::string(c.file) + ", " + FaultName(c.fault));
        ScopedRecordingPlatform platform;
        ScratchFolder folder;
        const std::string path = folder.File(schedules ? "Schedule.Def" : "Kalendo2.Ini");
        const std::string oldBytes = schedules ? ScheduleFileBytes(*oldSchedules)
                                               : SettingsText(kSettingsVersions[0]);
        const std::string newBytes = schedules ? ScheduleFileBytes(*newSchedules)
                                               : SettingsText(kSettingsVersions[1]);
        ASSERT_TRUE(WriteFileAtomically(path, oldBytes));

        const std::string verdict = InChild([&]() -> std::string {
            const std::string fault = SetUpFault(c.fault, folder, path, oldBytes, newBytes.size());
            if (!fault.empty()) return fault;
            std::string outcome;
            const bool saved = schedules ? SaveSchedules(*newSchedules, path)
                                         : WriteSettings(path, kSettingsVersions[1]);
            if (saved) outcome = "reported as written";
            const std::vector<std::string> shown = platform->MessagesUtf8();
            const std::string message = std::string(schedules ? kScheduleMessage : kSettingsMessage) +
                                        c.reason + "）.\r\n" + path;
            if (shown != std::vector<std::string>{message}) {
                outcome += " messages:";
                for (const std::string& m : shown) outcome += " " + m;
            }
            if (ReadWholeFile(path) != oldBytes) outcome += " the old file changed";
            for (const std::string& name : folder.Names()) {
                if (IsTemporaryOf(name, fs::path(path).filename())) outcome += " a temporary file is left";
            }
            return outcome;
        });
        if (verdict.rfind(kSkip, 0) == 0) {
            std::cout << "  " << FaultName(c.fault) << ": " << verdict << "\n";
            continue;
        }
        EXPECT_EQ(verdict, "");
        EXPECT_EQ(ReadWholeFile(path), oldBytes);
    }
}

// The iCalendar export under the same faults: the calendar is written as
// it is computed, so a fault may strike after the first bytes. The old
// file stays, no temporary file is left, and the message names the file
// and the reason.
TEST(FailedIcsExport, KeepsTheOldFileAndNamesTheReason) {
    struct Case {
        Fault fault;
        int error;
        const char* reason;
    };
    const Case cases[] = {
        {Fault::ReadOnlyFolder, EACCES, "書き込みの権限がありません"},
        {Fault::ReadOnlyFile, EACCES, "書き込みの権限がありません"},
        {Fault::FileSizeLimit, EFBIG, "ファイルが大きすぎます"},
        {Fault::FullFileSystem, ENOSPC, "ディスクの空きが足りません"},
    };
    ScopedRecordingPlatform platform;
    const std::unique_ptr<MonthRecord> rec = RecordDated20240615();
    // Two signs a day through 2024: some 110 kB, beyond the full disk's
    // 64 KiB and the writer's first write.
    const IcsInclude signs = IcsInclude::Of({IcsWord::Rokuyo, IcsWord::Lunar});
    const CalendarDate first{2024, 1, 1}, last{2024, 12, 31};
    std::size_t newBytes = 0;
    ExportIcs(*rec, first, last, signs, AlmanacMode::Standard, 0, [&newBytes](std::string_view b) {
        newBytes += b.size();
        return true;
    });
    ASSERT_GT(newBytes, 100000u);
    const std::string oldBytes = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(FaultName(c.fault));
        ScratchFolder folder;
        const std::string path = folder.File("年.ics");
        ASSERT_TRUE(WriteFileAtomically(path, oldBytes));
        const std::string verdict = InChild([&]() -> std::string {
            const std::string fault = SetUpFault(c.fault, folder, path, oldBytes, newBytes);
            if (!fault.empty()) return fault;
            std::string outcome;
            const IcsFileResult result = ExportIcsFile(*rec, first, last, signs, AlmanacMode::Standard, 0, path);
            if (result.written) outcome += " reported as written";
            if (result.error != c.error) outcome += " error " + std::to_string(result.error);
            const std::string message = Utf8FromCp932(IcsExportFailedMessage(path, result.error));
            if (message != "iCalendarファイルを書き込めません（" + std::string(c.reason) + "）.\r\n" + path) {
                outcome += " message: " + message;
            }
            if (ReadWholeFile(path) != oldBytes) outcome += " the old file changed";
            for (const std::string& name : folder.Names()) {
                if (IsTemporaryOf(name, fs::path(path).filename())) outcome += " a temporary file is left";
            }
            return outcome;
        });
        if (verdict.rfind(kSkip, 0) == 0) {
            std::cout << "  " << FaultName(c.fault) << ": " << verdict << "\n";
            continue;
        }
        EXPECT_EQ(verdict, "");
        EXPECT_EQ(ReadWholeFile(path), oldBytes);
    }
}

}  // namespace
}  // namespace kalendo
