// Kalendo2 --help and --version: answered on stdout with no display at all
// (the environment is emptied, so a Qt application object could not open
// one), whatever else the line holds.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct WindowRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Window() {
    const char* bin = std::getenv("K2_BIN_DIR");
    const fs::path folder = bin ? fs::path(bin) : fs::read_symlink("/proc/self/exe").parent_path();
    return (folder / "Kalendo2").string();
}

class WindowArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "k2-window-args-XXXXXX").string();
        scratch_ = std::string(mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override { fs::remove_all(scratch_); }

    // `arguments` are shell words; `redirect` replaces the stdout file.
    WindowRun Start(const std::string& arguments, const std::string& redirect = "") {
        const std::string out = redirect.empty() ? ">" + scratch_ + "out" : redirect;
        const std::string command = "env -i HOME=" + scratch_ + " '" + Window() + "' " +
                                    arguments + " </dev/null " + out + " 2>" + scratch_ + "err";
        const int raw = std::system(command.c_str());
        WindowRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadAll(scratch_ + "out");
        run.err = ReadAll(scratch_ + "err");
        return run;
    }

    std::string scratch_;
};

TEST_F(WindowArgumentsTest, HelpAndVersionNeedNoDisplay) {
    struct Case { const char* arguments; const char* startsWith; };
    const Case cases[] = {
        {"--help", "Usage: Kalendo2\n"},
        {"--version", "Kalendo2 1.18\n"},
        {"-platform xcb --version", "Kalendo2 1.18\n"},
        {"--ignored --help --version", "Usage: Kalendo2\n"},
        {"--version --help", "Kalendo2 1.18\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const WindowRun run = Start(c.arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind(c.startsWith, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(Start("--version").out, "Kalendo2 1.18\n") << "nothing but the line";
    const std::string help = Start("--help").out;
    for (const char* word : {"--help", "--version", "Kalendo2(1)", "kalendo2-cli"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

// A text that cannot be written is not reported as success.
TEST_F(WindowArgumentsTest, UnwritableStdoutIsAnError) {
    for (const char* arguments : {"--help", "--version"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(Start(arguments, ">/dev/full").status, 3);
    }
}

}  // namespace
