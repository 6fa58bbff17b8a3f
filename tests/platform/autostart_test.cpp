#include "platform/autostart.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace kalendo {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable (or removes it, for nullopt) and restores
// the old value afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class AutostartTest : public ::testing::Test {
protected:
    AutostartTest() {
        std::string pattern = (fs::temp_directory_path() / "k2-autostart-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
    }
    ~AutostartTest() override { fs::remove_all(root_); }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string root_;
};

TEST_F(AutostartTest, PathFollowsXdgConfigHomeWhenAbsolute) {
    const std::string home = root_ + "/home";
    struct Case { std::optional<std::string> xdg; std::string want; const char* why; };
    const Case cases[] = {
        {root_ + "/cfg", root_ + "/cfg/autostart/Kalendo2.desktop", "absolute: used"},
        {std::nullopt, home + "/.config/autostart/Kalendo2.desktop", "unset: ~/.config"},
        {std::string(), home + "/.config/autostart/Kalendo2.desktop", "empty: ~/.config"},
        {std::string("cfg"), home + "/.config/autostart/Kalendo2.desktop",
         "relative: ignored as invalid"},
    };
    ScopedEnv homeEnv("HOME", home);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        EXPECT_EQ(AutostartEntryPath(), c.want);
    }
}

TEST_F(AutostartTest, CreateThenRemoveInMissingFolders) {
    ScopedEnv home("HOME", root_ + "/home");
    ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    const std::string path = root_ + "/home/.config/autostart/Kalendo2.desktop";
    EXPECT_FALSE(AutostartEntryExists());

    ASSERT_TRUE(CreateAutostartEntry("/opt/kalendo2/Kalendo2"));
    EXPECT_TRUE(AutostartEntryExists());
    EXPECT_EQ(ReadText(path), AutostartDesktopEntry("/opt/kalendo2/Kalendo2"));
    struct stat st;
    ASSERT_EQ(stat((root_ + "/home/.config").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "created folders are private";

    ASSERT_TRUE(CreateAutostartEntry("/usr/bin/kalendo2")) << "an existing entry is replaced";
    EXPECT_NE(ReadText(path).find("Exec=\"/usr/bin/kalendo2\"\n"), std::string::npos);

    EXPECT_TRUE(RemoveAutostartEntry());
    EXPECT_FALSE(AutostartEntryExists());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(RemoveAutostartEntry()) << "nothing left to remove is not a failure";
}

TEST_F(AutostartTest, CreateFailsWhenTheFolderCannotBeMade) {
    std::ofstream(root_ + "/file") << "a file where a folder should be";
    ScopedEnv xdg("XDG_CONFIG_HOME", root_ + "/file");
    EXPECT_FALSE(CreateAutostartEntry("/opt/kalendo2/Kalendo2"));
    EXPECT_FALSE(AutostartEntryExists());
}

TEST(AutostartDesktopEntry, IsAMinimalApplicationEntry) {
    EXPECT_EQ(AutostartDesktopEntry("/opt/kalendo2/Kalendo2"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Version=1.5\n"
              "Name=Kalendo2\n"
              "Comment=Japanese almanac\n"
              "Exec=\"/opt/kalendo2/Kalendo2\"\n"
              "Terminal=false\n");
}

// The Exec line as written, for paths that the desktop's parser would
// otherwise split, expand or misread.
TEST(AutostartDesktopEntry, ExecQuotesThePath) {
    struct Case { const char* path; const char* exec; const char* why; };
    const Case cases[] = {
        {"/home/a b/Kalendo2", "Exec=\"/home/a b/Kalendo2\"", "blank kept inside quotes"},
        {"/x/\"q\"/K", "Exec=\"/x/\\\\\"q\\\\\"/K\"", "quote: \\\" then the key file's \\\\"},
        {"/x/$HOME/K", "Exec=\"/x/\\\\$HOME/K\"", "dollar escaped"},
        {"/x/`id`/K", "Exec=\"/x/\\\\`id\\\\`/K\"", "backticks escaped"},
        {"/x\\y/K", "Exec=\"/x\\\\\\\\y/K\"", "backslash becomes four"},
        {"/x/100%/K", "Exec=\"/x/100%%/K\"", "percent is not a field code"},
        {"/x/a\nb/K", "Exec=\"/x/a\\nb/K\"", "line break as the key file's \\n"},
        {"/x/暦/K", "Exec=\"/x/暦/K\"", "UTF-8 passes unchanged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string entry = AutostartDesktopEntry(c.path);
        EXPECT_NE(entry.find(std::string("\n") + c.exec + "\n"), std::string::npos) << entry;
    }
}

}  // namespace
}  // namespace kalendo
