#include "ui/model/file_locations.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

// The definition files' names in reading order, UTF-8.
const std::string kEras = "元号.Def";
const std::string kHolidays = "祝日.Def";
const std::string kNotes = "暦日.Def";
const std::string kUser = "Usr.Def";
const std::string kSchedules = "Schedule.Def";
const std::string kNames[] = {kEras, kHolidays, kNotes, kUser, kSchedules};

std::string ReadFrom(const DefinitionPaths& p, int i) {
    const std::string* fields[] = {&p.eras, &p.holidays, &p.notes, &p.userEntries, &p.schedules};
    return *fields[i];
}

// ---------------------------------------------------------------------------
// The rule, as a table.

struct LocationCase {
    const char* executable;
    bool writable;
    bool marker;
    const char* home;
    const char* xdgDataHome;
    std::set<std::string> existing;  // files present (full paths)
    bool portable;
    const char* userFolder;
    // Where each of the five files is read: 'P' program folder, 'U' user
    // folder, in the order 元号 祝日 暦日 Usr Schedule.
    const char* readFrom;
    const char* settingsFile;
    const char* scheduleFile;
    const char* why;
};

const std::string kXdg = "/home/u/.local/share/Kalendo2/";

const LocationCase kLocationCases[] = {
    {"/opt/k/Kalendo2", true, false, "/home/u", "", {kXdg + kHolidays, kXdg + kSchedules},
     true, "/opt/k/", "PPPPP", "/opt/k/Kalendo2.Ini", "/opt/k/Schedule.Def",
     "portable: a writable folder keeps everything beside the program, user copies unused"},
    {"/usr/lib/kalendo2/Kalendo2", false, false, "/home/u", "", {},
     false, "/home/u/.local/share/Kalendo2/", "PPPPP",
     "/home/u/.local/share/Kalendo2/Kalendo2.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "installed, before the first start: every file shipped, the user's files still go home"},
    {"/usr/lib/kalendo2/Kalendo2", false, true, "/home/u", "", {kXdg + kUser, kXdg + kSchedules},
     false, "/home/u/.local/share/Kalendo2/", "PPPUU",
     "/home/u/.local/share/Kalendo2/Kalendo2.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "installed after the first start: the user's Usr.Def and Schedule.Def"},
    {"/usr/lib/kalendo2/Kalendo2", false, true, "/home/u", "",
     {kXdg + kHolidays, kXdg + kUser, kXdg + kSchedules, "/home/u/" + kEras},
     false, "/home/u/.local/share/Kalendo2/", "PUPUU",
     "/home/u/.local/share/Kalendo2/Kalendo2.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "a user's copy of 祝日.Def wins; a copy elsewhere in the home counts for nothing"},
    {"/usr/lib/kalendo2/Kalendo2", false, true, "/home/u", "",
     {kXdg + kEras, kXdg + kHolidays, kXdg + kNotes, kXdg + kUser, kXdg + kSchedules},
     false, "/home/u/.local/share/Kalendo2/", "UUUUU",
     "/home/u/.local/share/Kalendo2/Kalendo2.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "copies of all five"},
    {"/usr/lib/kalendo2/Kalendo2", false, true, "/home/u", "", {kXdg + kSchedules},
     false, "/home/u/.local/share/Kalendo2/", "PPPPU",
     "/home/u/.local/share/Kalendo2/Kalendo2.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "a deleted Usr.Def is read from the program again"},
    {"/usr/lib/kalendo2/Kalendo2", true, true, "/root", "", {},
     false, "/root/.local/share/Kalendo2/", "PPPPP",
     "/root/.local/share/Kalendo2/Kalendo2.Ini", "/root/.local/share/Kalendo2/Schedule.Def",
     "the marker wins over writability (the super-user may write anywhere)"},
    {"/opt/k/Kalendo2", false, false, "/home/u", "/data/x", {"/data/x/Kalendo2/" + kNotes},
     false, "/data/x/Kalendo2/", "PPUPP", "/data/x/Kalendo2/Kalendo2.Ini",
     "/data/x/Kalendo2/Schedule.Def", "XDG_DATA_HOME replaces ~/.local/share"},
    {"/opt/k/Kalendo2", false, false, "/home/u/", "/data/x//", {},
     false, "/data/x/Kalendo2/", "PPPPP", "/data/x/Kalendo2/Kalendo2.Ini",
     "/data/x/Kalendo2/Schedule.Def", "trailing slashes of XDG_DATA_HOME are dropped"},
    {"/opt/k/Kalendo2", false, false, "/home/u/", "data/x", {},
     false, "/home/u/.local/share/Kalendo2/", "PPPPP",
     "/home/u/.local/share/Kalendo2/Kalendo2.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "a relative XDG_DATA_HOME is ignored; the home's trailing slash dropped"},
    {"/opt/k/Kalendo2", false, false, "", "/x", {},
     false, "/x/Kalendo2/", "PPPPP", "/x/Kalendo2/Kalendo2.Ini", "/x/Kalendo2/Schedule.Def",
     "no home needed when XDG_DATA_HOME is given"},
    {"/opt/k/Kalendo2", false, false, "", "/", {},
     false, "/Kalendo2/", "PPPPP", "/Kalendo2/Kalendo2.Ini", "/Kalendo2/Schedule.Def",
     "XDG_DATA_HOME is the root folder"},
    {"/opt/k/Kalendo2", false, false, "", "", {"/Kalendo2/" + kSchedules},
     false, "", "PPPPP", "/opt/k/Kalendo2.Ini", "/opt/k/Schedule.Def",
     "installed without any home: read the program's files, writes fail with their messages"},
    {"/opt/k/Kalendo2", false, false, "relative", "", {},
     false, "", "PPPPP", "/opt/k/Kalendo2.Ini", "/opt/k/Schedule.Def",
     "a relative home counts as none"},
    {"/opt/k.2/kal.bin", false, false, "/home/u", "", {},
     false, "/home/u/.local/share/Kalendo2/", "PPPPP",
     "/home/u/.local/share/Kalendo2/kal.Ini", "/home/u/.local/share/Kalendo2/Schedule.Def",
     "the settings file is named after the executable, in the user's folder"},
    {"/Kalendo2", true, false, "/home/u", "", {},
     true, "/", "PPPPP", "/Kalendo2.Ini", "/Schedule.Def", "a program in the root folder"},
};

TEST(LocateFiles, Table) {
    for (const LocationCase& c : kLocationCases) {
        SCOPED_TRACE(c.why);
        const LocationFacts facts{c.executable, c.writable, c.marker, c.home, c.xdgDataHome};
        std::set<std::string> asked;
        const FileLocations loc = LocateFiles(facts, [&](const std::string& path) {
            asked.insert(path);
            return c.existing.count(path) > 0;
        });
        const std::string exe = c.executable;
        const std::string programFolder = exe.substr(0, exe.rfind('/') + 1);
        EXPECT_EQ(loc.portable, c.portable);
        EXPECT_EQ(loc.executable, exe);
        EXPECT_EQ(loc.programFolder, programFolder);
        EXPECT_EQ(loc.userFolder, c.userFolder);
        for (int i = 0; i < 5; ++i) {
            const std::string folder = c.readFrom[i] == 'U' ? c.userFolder : programFolder;
            EXPECT_EQ(ReadFrom(loc.definitions, i), folder + kNames[i]) << kNames[i];
        }
        EXPECT_EQ(loc.settingsFile, c.settingsFile);
        EXPECT_EQ(loc.scheduleFile, c.scheduleFile);
        EXPECT_EQ(loc.helpPage, programFolder + "Help/index.html") << "always the program's";
        // Only the user folder's definition files are looked for.
        for (const std::string& path : asked) {
            EXPECT_EQ(path.rfind(c.userFolder, 0), 0u) << path;
        }
    }
}

// ---------------------------------------------------------------------------
// The edge: the real file system and environment.

// Sets an environment variable (or unsets it for nullopt) and restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

fs::path ShippedFolder() {
    const char* bin = std::getenv("K2_BIN_DIR");
    return bin != nullptr ? fs::path(bin) : fs::path("bin");
}

// A program folder holding the shipped definition files (and the marker
// when asked), a home folder, and the platform's executable path pointing
// into the program folder.
class InstalledCopyTest : public ::testing::Test {
protected:
    InstalledCopyTest()
        : rec_(std::make_unique<MonthRecord>()),
          home_env_("HOME", std::nullopt),
          xdg_env_("XDG_DATA_HOME", std::nullopt) {
        std::string pattern = (fs::temp_directory_path() / "k2-locations-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        program_ = root_ / "lib" / "kalendo2";
        home_ = root_ / "home";
        fs::create_directories(program_);
        fs::create_directories(home_);
        for (const std::string& name : kNames) fs::copy_file(ShippedFolder() / name, program_ / name);
        platform_->executablePath = (program_ / "Kalendo2").string();
        setenv("HOME", home_.c_str(), 1);
    }
    ~InstalledCopyTest() override {
        chmod(program_.c_str(), 0755);
        fs::remove_all(root_);
    }
    void Mark() { ASSERT_TRUE(WriteFileAtomically((program_ / kInstalledMarkerName).string(), "")); }
    std::string UserFolder() const { return (home_ / ".local/share/Kalendo2").string() + "/"; }
    static std::string Bytes(const fs::path& p) { return ReadWholeFile(p.string()).value_or("<none>"); }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
    ScopedEnv home_env_;
    ScopedEnv xdg_env_;
    fs::path root_, program_, home_;
};

TEST_F(InstalledCopyTest, WritableFolderWithoutMarkerIsPortable) {
    FileLocations loc = FindFileLocations();
    EXPECT_TRUE(loc.portable);
    EXPECT_EQ(loc.definitions.schedules, (program_ / kSchedules).string());
    EXPECT_EQ(loc.settingsFile, (program_ / "Kalendo2.Ini").string());
    CreateUserFiles(loc);
    EXPECT_TRUE(fs::is_empty(home_)) << "a portable copy creates nothing in the home";
}

TEST_F(InstalledCopyTest, FirstStartCopiesUsrAndScheduleOnly) {
    Mark();
    FileLocations loc = FindFileLocations();
    ASSERT_FALSE(loc.portable);
    EXPECT_EQ(loc.userFolder, UserFolder());
    EXPECT_EQ(loc.definitions.schedules, (program_ / kSchedules).string());
    EXPECT_FALSE(fs::exists(home_ / ".local")) << "finding the files writes nothing (the CLI)";

    CreateUserFiles(loc);
    const fs::path user = UserFolder();
    EXPECT_EQ(fs::status(user).permissions() & fs::perms::all, fs::perms::owner_all);
    for (const std::string& name : {kUser, kSchedules}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Bytes(user / name), Bytes(program_ / name)) << "a copy of the template";
    }
    for (const std::string& name : {kEras, kHolidays, kNotes}) {
        EXPECT_FALSE(fs::exists(user / name)) << name << " stays the program's";
    }
    EXPECT_EQ(loc.definitions.userEntries, (user / kUser).string());
    EXPECT_EQ(loc.definitions.schedules, (user / kSchedules).string());
    EXPECT_EQ(loc.definitions.holidays, (program_ / kHolidays).string());
    EXPECT_EQ(loc.scheduleFile, (user / kSchedules).string());
    EXPECT_EQ(loc.settingsFile, (user / "Kalendo2.Ini").string());
    // The document loads from the two folders.
    OpenDocument(*rec_, loc.definitions);
    EXPECT_GT(rec_->holidayCount, 0);
    EXPECT_TRUE(platform_->messages.empty());
}

TEST_F(InstalledCopyTest, LaterStartsKeepTheUsersFilesAndCopies) {
    Mark();
    FileLocations first = FindFileLocations();
    CreateUserFiles(first);
    const fs::path user = UserFolder();
    ASSERT_TRUE(WriteFileAtomically((user / kSchedules).string(), "; my schedules\n"));
    ASSERT_TRUE(WriteFileAtomically((user / kHolidays).string(), "; my holidays\n"));

    FileLocations second = FindFileLocations();
    CreateUserFiles(second);
    EXPECT_EQ(Bytes(user / kSchedules), "; my schedules\n") << "never overwritten";
    EXPECT_EQ(second.definitions.holidays, (user / kHolidays).string()) << "the user's copy";
    EXPECT_EQ(second.definitions.eras, (program_ / kEras).string());
}

TEST_F(InstalledCopyTest, XdgDataHomeIsUsedWhenAbsolute) {
    Mark();
    const fs::path data = root_ / "data";
    {
        ScopedEnv xdg("XDG_DATA_HOME", data.string());
        FileLocations loc = FindFileLocations();
        CreateUserFiles(loc);
        EXPECT_EQ(loc.userFolder, (data / "Kalendo2").string() + "/");
        EXPECT_TRUE(fs::exists(data / "Kalendo2" / kSchedules));
    }
    ScopedEnv relative("XDG_DATA_HOME", "data");
    EXPECT_EQ(FindFileLocations().userFolder, UserFolder());
}

TEST_F(InstalledCopyTest, FailedCopyKeepsTheShippedFilesAndTheUsersSavePath) {
    Mark();
    // A file where the home folder should be: no folder can be made below
    // it, not even by the super-user.
    const fs::path notAFolder = root_ / "file";
    ASSERT_TRUE(WriteFileAtomically(notAFolder.string(), "x"));
    ScopedEnv home("HOME", notAFolder.string());
    FileLocations loc = FindFileLocations();
    CreateUserFiles(loc);
    EXPECT_EQ(loc.definitions.userEntries, (program_ / kUser).string());
    EXPECT_EQ(loc.definitions.schedules, (program_ / kSchedules).string());
    EXPECT_EQ(loc.scheduleFile, notAFolder.string() + "/.local/share/Kalendo2/" + kSchedules)
        << "never the shipped template";
    EXPECT_TRUE(platform_->messages.empty());
}

// Writability decides for an unmarked copy. The check runs in a child
// process that, under the super-user, first becomes the user nobody, for
// whom folder permissions apply.
TEST_F(InstalledCopyTest, UnwritableFolderIsNotPortable) {
    struct Case { fs::perms mode; bool portable; const char* why; };
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
    const Case cases[] = {
        {fs::perms::all, true, "anyone may write"},
        {readOnly, false, "nobody may write"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        fs::permissions(program_, c.mode);
        fs::permissions(root_, readOnly | fs::perms::owner_write);  // nobody must reach it
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (geteuid() == 0 &&
                (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
                _exit(6);
            }
            if (geteuid() != 0 && access(program_.c_str(), X_OK) != 0) _exit(7);
            _exit(FindFileLocations().portable ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const int code = WEXITSTATUS(status);
        if (code == 7) GTEST_SKIP() << "the temporary folder is not reachable without privileges";
        ASSERT_LT(code, 2) << "the child could not drop its privileges";
        EXPECT_EQ(code == 1, c.portable);
    }
}

}  // namespace
}  // namespace kalendo
