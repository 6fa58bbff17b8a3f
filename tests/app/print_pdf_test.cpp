// Kalendo2 --print-pdf as a process, with an emptied environment (no
// display, no XDG folders): its exit statuses, that a failure leaves
// nothing behind, and the PDF itself read back with poppler (pdfinfo,
// pdffonts, pdftotext) and rendered (pdftoppm) against a reference image.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

fs::path BinDir() {
    const char* bin = std::getenv("K2_BIN_DIR");
    return bin ? fs::path(bin) : fs::read_symlink("/proc/self/exe").parent_path();
}

fs::path DataDir() {
    const char* data = std::getenv("K2_TEST_DATA");
    return fs::path(data ? data : "tests/data");
}

// A shell command's stdout and exit status.
struct Shell {
    int status = -1;
    std::string out;
};

Shell RunShell(const std::string& command) {
    Shell result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

std::set<std::string> Listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(folder)) names.insert(e.path().string());
    return names;
}

// "env -i" and what stays of the environment: the sanitizers' options of a
// sanitized build (LeakSanitizer must know fontconfig's cache is no leak).
std::string EmptiedEnvironment() {
    std::string command = "env -i";
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name)) command += std::string(" ") + name + "='" + value + "'";
    }
    return command;
}

class PrintPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "k2-print-XXXXXX").string();
        scratch_ = fs::path(mkdtemp(pattern.data()));
        fs::create_directories(scratch_ / "home");
        fs::create_directories(scratch_ / "tmp");
    }
    void TearDown() override { fs::remove_all(scratch_); }

    // Kalendo2 with `arguments` (shell words), HOME and TMPDIR in the
    // scratch folder and nothing else in the environment; today pinned.
    int Print(const std::string& arguments) {
        const std::string command = EmptiedEnvironment() + " HOME='" + (scratch_ / "home").string() + "' TMPDIR='" +
                                    (scratch_ / "tmp").string() + "' '" + (BinDir() / "Kalendo2").string() +
                                    "' --today 2024-01-01 " + arguments + " </dev/null >/dev/null 2>'" +
                                    (scratch_ / "err").string() + "'";
        const int raw = std::system(command.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    fs::path scratch_;
};

// 0 written; 2 a usage error; 3 FILE cannot be written or the definition
// folder cannot be read. On any failure the folder of FILE holds what it
// held before (no PDF, no temporary file), and nothing else is ever
// written: the home and temporary folders stay empty.
TEST_F(PrintPdfTest, ExitStatusesAndNothingLeftBehind) {
    fs::create_directories(scratch_ / "out" / "taken.pdf");  // a folder in the way
    struct Case { std::string arguments; int status; const char* why; };
    const std::string out = (scratch_ / "out").string();
    const Case cases[] = {
        {"--print-pdf " + out + "/a.pdf 2024-05", 0, "one month"},
        {"--print-pdf " + out + "/b.pdf", 2, "no month"},
        {"--print-pdf " + out + "/b.pdf 2024-13", 2, "no such month"},
        {"--print-pdf " + out + "/b.pdf 2024-05 2024-04", 2, "months out of order"},
        {"--print-pdf " + out + "/b.pdf 2024-05 -platform xcb", 2, "Qt's options are not taken"},
        {"--print-pdf " + out + "/no/b.pdf 2024-05", 3, "no such folder"},
        {"--print-pdf " + out + "/taken.pdf 2024-05", 3, "a folder of that name"},
        {"--data " + out + "/none --print-pdf " + out + "/b.pdf 2024-05", 3, "no definition folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::set<std::string> before = Listing(scratch_ / "out");
        EXPECT_EQ(Print(c.arguments), c.status) << ReadAll(scratch_ / "err");
        std::set<std::string> after = Listing(scratch_ / "out");
        if (c.status == 0) {
            EXPECT_EQ(after.erase(out + "/a.pdf"), 1u);
        } else {
            EXPECT_NE(ReadAll(scratch_ / "err").find("Kalendo2: "), std::string::npos);
        }
        EXPECT_EQ(after, before);
        EXPECT_TRUE(fs::is_empty(scratch_ / "home"));
        EXPECT_TRUE(fs::is_empty(scratch_ / "tmp"));
    }
}

// The year 2024 written once for the checks of its pages.
class PrintedYearTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "k2-print-year-XXXXXX").string();
        folder_ = new fs::path(mkdtemp(pattern.data()));
        const std::string command = EmptiedEnvironment() + " HOME='" + folder_->string() + "' '" +
                                    (BinDir() / "Kalendo2").string() + "' --today 2024-01-01 --print-pdf '" +
                                    Pdf() + "' 2024-01 2024-12 2>/dev/null";
        status_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        fs::remove_all(*folder_);
        delete folder_;
    }
    static std::string Pdf() { return (*folder_ / "2024.pdf").string(); }

    static fs::path* folder_;
    static int status_;
};

fs::path* PrintedYearTest::folder_ = nullptr;
int PrintedYearTest::status_ = -1;

// The reference is drawn in IPA Gothic; in another face every glyph moves
// and the comparison below would say nothing about the layout.
TEST_F(PrintedYearTest, TwelvePagesInIpaGothic) {
    ASSERT_EQ(status_, 0);
    const Shell info = RunShell("pdfinfo '" + Pdf() + "'");
    ASSERT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("Pages:           12\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("595 x 842 pts (A4)"), std::string::npos) << info.out;
    const Shell fonts = RunShell("pdffonts '" + Pdf() + "'");
    EXPECT_NE(fonts.out.find("IPAGothic"), std::string::npos)
        << "the pages must be set in IPA Gothic (fonts-ipafont-gothic); fc-match says "
        << RunShell("fc-match IPAGothic").out << "and the PDF holds:\n" << fonts.out;
}

// May 2024: its three holidays, and the lunisolar days 3/23 ... 4/24 each
// once and in order, the new lunar month named on its first day, every
// 六曜 the one its lunisolar date gives ((month + day) mod 6 from 大安).
TEST_F(PrintedYearTest, MayHoldsItsHolidaysAndItsLunisolarDaysInOrder) {
    ASSERT_EQ(status_, 0);
    const Shell text = RunShell("pdftotext -f 5 -l 5 '" + Pdf() + "' -");
    ASSERT_EQ(text.status, 0);
    for (const char* word : {"2024年（令和6年）5月", "憲法記念日", "みどりの日", "こどもの日", "先負", "標準の暦計算"}) {
        EXPECT_NE(text.out.find(word), std::string::npos) << word;
    }
    const std::vector<std::string> rokuyo = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    const std::regex cellLine(R"(^(?:(\d+)/)?(\d+) (\S+)$)");
    std::istringstream lines(text.out);
    std::string line;
    int month = 3, day = 22;
    int seen = 0;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (!std::regex_match(line, m, cellLine)) continue;
        SCOPED_TRACE(line);
        // A lunar month has 29 or 30 days.
        if (std::stoi(m[2]) == 1 && day >= 29) {
            ++month;
            day = 0;
        }
        ++day;
        EXPECT_EQ(std::stoi(m[2]), day);
        if (seen == 0 || day == 1) {
            EXPECT_EQ(m[1].matched ? std::stoi(m[1]) : 0, month);
        }
        EXPECT_EQ(m[3].str(), rokuyo[(month + day) % 6]);
        ++seen;
    }
    EXPECT_EQ(seen, 31);
    EXPECT_EQ(month * 100 + day, 424);
}

// The May page rendered small and compared with tests/data/print/
// 2024-05.png (how it was made: the README beside it). The same page
// renders to the same pixels; the footer of the precise almanac alone is
// 0.012 away, April and June 0.05, so a cell moved, a text missing or
// spilling out is well beyond the tolerance.
TEST_F(PrintedYearTest, MayLooksLikeItsReference) {
    ASSERT_EQ(status_, 0);
    const std::string page = (*folder_ / "may").string();
    ASSERT_EQ(RunShell("pdftoppm -r 30 -gray -png -singlefile -f 5 -l 5 '" + Pdf() + "' '" + page + "'").status, 0);
    const std::string reference = (DataDir() / "print" / "2024-05.png").string();
    ASSERT_TRUE(fs::exists(reference)) << reference;
    // RMSE over the pixels, as a share of full scale: "1234 (0.0188)".
    const Shell rmse = RunShell("compare -metric RMSE '" + reference + "' '" + page + ".png' null: 2>&1");
    const std::size_t open = rmse.out.find('(');
    ASSERT_NE(open, std::string::npos) << rmse.out;
    constexpr double kTolerance = 0.01;
    EXPECT_LT(std::stod(rmse.out.substr(open + 1)), kTolerance) << rmse.out;
}

}  // namespace
