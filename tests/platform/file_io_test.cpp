// Whole-file reads of what is no plain file, and the holes an atomic save
// must not have: the folder flushed after the rename, no name or link
// followed on the way, mode and owner kept, a link's target replaced in
// place, no descriptor lost when a flush fails.
//
// This program defines fsync(2) itself: the library's calls come here, are
// recorded (file or folder) and can be made to fail.
#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct FsyncLog {
    std::vector<bool> folders;  // per call: whether the descriptor was a folder
    bool failFiles = false;     // fsync of a regular file fails with EIO
};
FsyncLog g_fsync;

}  // namespace

extern "C" int fsync(int fd) {
    struct stat st;
    const bool folder = fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    g_fsync.folders.push_back(folder);
    if (!folder && g_fsync.failFiles) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace kalendo {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    FileIoTest() {
        std::string pattern = (fs::temp_directory_path() / "k2-file-io-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        g_fsync = {};
    }
    ~FileIoTest() override {
        g_fsync = {};
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }
    std::string File(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    static mode_t Mode(const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }

    fs::path dir_;
};

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

// ---- reading ------------------------------------------------------------

TEST_F(FileIoTest, ReadsOnlyRegularFilesOfBoundedSize) {
    ASSERT_TRUE(WriteFileAtomically(File("plain"), "abc"));
    ASSERT_EQ(mkfifo(File("fifo").c_str(), 0600), 0);
    fs::create_symlink(File("plain"), File("link-to-plain"));
    fs::create_symlink(File("fifo"), File("link-to-fifo"));
    fs::create_directory(File("folder"));
    std::ofstream(File("limit"));
    fs::resize_file(File("limit"), kMaxReadBytes);
    std::ofstream(File("over"));
    fs::resize_file(File("over"), kMaxReadBytes + 1);
    std::ofstream(File("zeros-300mb"));
    fs::resize_file(File("zeros-300mb"), 300'000'000);

    const struct {
        std::string path;
        bool read;
        std::size_t size;
    } cases[] = {
        {File("plain"), true, 3},
        {File("link-to-plain"), true, 3},
        {File("limit"), true, kMaxReadBytes},
        {File("over"), false, 0},
        {File("zeros-300mb"), false, 0},
        {File("fifo"), false, 0},  // no writer: a blocking open would wait for ever
        {File("link-to-fifo"), false, 0},
        {File("folder"), false, 0},
        {File("missing"), false, 0},
        {"/dev/zero", false, 0},
        {"/dev/null", false, 0},
        {"/dev/full", false, 0},
    };
    const int before = OpenDescriptors();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto start = std::chrono::steady_clock::now();
        const auto bytes = ReadWholeFile(c.path);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        ASSERT_EQ(bytes.has_value(), c.read);
        if (c.read) {
            EXPECT_EQ(bytes->size(), c.size);
        }
    }
    EXPECT_EQ(OpenDescriptors(), before) << "every descriptor is closed";
}

// ---- writing ------------------------------------------------------------

TEST_F(FileIoTest, FlushesTheFileThenTheFolder) {
    ASSERT_TRUE(WriteFileAtomically(File("a"), "new"));
    EXPECT_EQ(g_fsync.folders, (std::vector<bool>{false, true}));
    EXPECT_EQ(Names(), std::vector<std::string>{"a"});
}

TEST_F(FileIoTest, AFailedFlushLosesNoDescriptorAndKeepsTheOldFile) {
    ASSERT_TRUE(WriteFileAtomically(File("a"), "old"));
    g_fsync.failFiles = true;
    const int before = OpenDescriptors();
    for (int i = 0; i < 50; ++i) EXPECT_FALSE(WriteFileAtomically(File("a"), "new"));
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_EQ(ReadWholeFile(File("a")), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"a"}) << "no temporary file left";
}

// Links planted where a fixed temporary name would be are never followed:
// the file they point to stays as it was.
TEST_F(FileIoTest, PlantedLinksAreNotFollowed) {
    ASSERT_TRUE(WriteFileAtomically(File("victim"), "precious"));
    for (const char* suffix : {".new", ".tmp", "~", ".XXXXXX"}) {
        fs::create_symlink(File("victim"), File(std::string("Kalendo2.Ini") + suffix));
    }
    ASSERT_TRUE(WriteFileAtomically(File("Kalendo2.Ini"), "settings"));
    EXPECT_EQ(ReadWholeFile(File("victim")), "precious");
    EXPECT_EQ(ReadWholeFile(File("Kalendo2.Ini")), "settings");
    EXPECT_EQ(Names().size(), 6u) << "the two files and the four links, nothing else";
}

TEST_F(FileIoTest, KeepsTheModeOfTheOldFile) {
    for (const mode_t mode : {0600, 0640, 0664, 0700, 0200}) {
        SCOPED_TRACE(mode);
        const std::string path = File(std::string("m").append(std::to_string(mode)));
        ASSERT_TRUE(WriteFileAtomically(path, "old"));
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(path, "new"));
        EXPECT_EQ(Mode(path), mode);
    }
    // A new file: 0644 less the umask.
    const mode_t mask = umask(027);
    ASSERT_TRUE(WriteFileAtomically(File("fresh"), "x"));
    umask(mask);
    EXPECT_EQ(Mode(File("fresh")), 0640u);
}

// A file the user made read-only is not written, by anyone: the save
// fails as in a read-only folder, and the file stays as it was.
TEST_F(FileIoTest, ARead_OnlyFileIsNotReplaced) {
    for (const mode_t mode : {0444, 0400, 0000, 0044}) {
        SCOPED_TRACE(mode);
        const std::string path = File(std::string("r").append(std::to_string(mode)));
        ASSERT_TRUE(WriteFileAtomically(path, "old"));
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        EXPECT_FALSE(WriteFileAtomically(path, "new"));
        EXPECT_EQ(Mode(path), mode);
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        EXPECT_EQ(ReadWholeFile(path), "old");
    }
}

TEST_F(FileIoTest, KeepsTheOwnerWhereTheProcessMay) {
    if (geteuid() != 0) GTEST_SKIP() << "only the super-user can give a file away";
    ASSERT_TRUE(WriteFileAtomically(File("owned"), "old"));
    ASSERT_EQ(chown(File("owned").c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileAtomically(File("owned"), "new"));
    struct stat st;
    ASSERT_EQ(stat(File("owned").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

// A linked file is replaced where the link leads, atomically in the
// target's own folder; the link stays a link (relative and absolute links,
// and a chain of two).
TEST_F(FileIoTest, ALinkedFileIsReplacedAtItsTarget) {
    fs::create_directory(File("synced"));
    ASSERT_TRUE(WriteFileAtomically(File("synced/Schedule.Def"), "old"));
    fs::create_symlink("synced/Schedule.Def", File("relative"));
    fs::create_symlink(File("synced/Schedule.Def"), File("absolute"));
    fs::create_symlink("relative", File("chain"));
    for (const char* link : {"relative", "absolute", "chain"}) {
        SCOPED_TRACE(link);
        const std::string bytes = std::string("new via ") + link;
        ASSERT_TRUE(WriteFileAtomically(File(link), bytes));
        EXPECT_TRUE(fs::is_symlink(File(link)));
        EXPECT_EQ(ReadWholeFile(File("synced/Schedule.Def")), bytes);
    }
    EXPECT_EQ(g_fsync.folders.back(), true);
    std::vector<std::string> synced;
    for (const auto& e : fs::directory_iterator(File("synced"))) synced.push_back(e.path().filename());
    EXPECT_EQ(synced, std::vector<std::string>{"Schedule.Def"});

    // A link to a file not there yet creates it; a loop is refused.
    fs::create_symlink("synced/new.Ini", File("dangling"));
    ASSERT_TRUE(WriteFileAtomically(File("dangling"), "created"));
    EXPECT_EQ(ReadWholeFile(File("synced/new.Ini")), "created");
    fs::create_symlink("loop-b", File("loop-a"));
    fs::create_symlink("loop-a", File("loop-b"));
    EXPECT_FALSE(WriteFileAtomically(File("loop-a"), "x"));
}

// What is no regular file is neither written through nor replaced.
TEST_F(FileIoTest, WhatIsNoRegularFileIsLeftAlone) {
    ASSERT_EQ(mkfifo(File("fifo").c_str(), 0600), 0);
    fs::create_directory(File("folder"));
    fs::create_symlink("/dev/null", File("to-null"));
    for (const char* name : {"fifo", "folder", "to-null"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(WriteFileAtomically(File(name), "x"));
    }
    EXPECT_TRUE(fs::is_fifo(File("fifo")));
    EXPECT_TRUE(fs::is_directory(File("folder")));
    EXPECT_TRUE(fs::is_symlink(File("to-null")));
    EXPECT_EQ(Names().size(), 3u) << "no temporary file left";
}

// The writer of a file made piece by piece says why it refuses, before a
// byte is made, and leaves nothing behind.
TEST_F(FileIoTest, APieceByPieceWriterNamesWhyItRefuses) {
    ASSERT_EQ(mkfifo(File("fifo").c_str(), 0600), 0);
    fs::create_directory(File("folder"));
    ASSERT_TRUE(WriteFileAtomically(File("kept"), "old"));
    ASSERT_EQ(chmod(File("kept").c_str(), 0444), 0);
    fs::create_symlink("loop-b", File("loop-a"));
    fs::create_symlink("loop-a", File("loop-b"));
    std::ofstream(File("plain")) << "x";
    struct Case {
        std::string path;
        int error;
        const char* why;
    };
    const Case cases[] = {
        {File("folder"), EISDIR, "a folder"},
        {File("fifo"), EINVAL, "a FIFO: no regular file"},
        {File("kept"), EACCES, "read-only for its owner, even for root"},
        {File("loop-a"), ELOOP, "links without end"},
        {File("plain/y.ics"), ENOTDIR, "a plain file where a folder should be"},
        {File("missing/y.ics"), ENOENT, "no such folder"},
    };
    const std::vector<std::string> before = Names();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        AtomicFileWriter file(c.path);
        EXPECT_FALSE(file.ok());
        EXPECT_EQ(file.error(), c.error) << std::strerror(file.error());
        EXPECT_FALSE(file.Write("x"));
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(Names(), before) << "no temporary file left";
    EXPECT_EQ(ReadWholeFile(File("kept")), "old");
}

}  // namespace
}  // namespace kalendo
