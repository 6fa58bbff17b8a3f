// Kalendo2 --print-pdf as a process with an emptied environment (no
// display, HOME and TMPDIR in a scratch folder): its exit statuses, that
// nothing else is ever left behind, and the PDF read back with poppler and
// rendered against a reference image.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

// What a shell command prints on its standard output.
std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// A cell's lunisolar day and 六曜, "M/D 六曜" or "D 六曜": month (0 when not
// given), day and the 六曜's index from 大安; false for any other line.
constexpr const char* kRokuyoFromTaian[] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
bool ParseLunarLine(const std::string& line, int& month, int& day, int& rokuyo) {
    const std::size_t blank = line.find(' ');
    const std::string date = line.substr(0, blank);
    if (blank == std::string::npos || date.empty() || date.find_first_not_of("0123456789/") != std::string::npos) return false;
    const std::size_t slash = date.find('/');
    month = slash == std::string::npos ? 0 : std::stoi(date.substr(0, slash));
    day = std::stoi(date.substr(slash == std::string::npos ? 0 : slash + 1));
    for (rokuyo = 0; rokuyo < 6; ++rokuyo) {
        if (line.substr(blank + 1) == kRokuyoFromTaian[rokuyo]) return true;
    }
    return false;
}

// Kalendo2 with today pinned and `arguments` (shell words), in "env -i"
// but for HOME, TMPDIR and the sanitizers' options of a sanitized build.
// `limits`: shell commands before it (ulimit).
int PrintPdf(const fs::path& scratch, const std::string& arguments, const std::string& limits = "") {
    std::string command = limits + "env -i HOME='" + (scratch / "home").string() + "' TMPDIR='" + (scratch / "tmp").string() + "'";
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name)) command += std::string(" ") + name + "='" + value + "'";
    }
    command += " '" + BinFolder() + "Kalendo2' --today 2024-01-01 " + arguments + " </dev/null >/dev/null 2>'" +
               (scratch / "err").string() + "'";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

class PrintPdfTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "k2-print-XXXXXX").string();
        scratch_ = new fs::path(mkdtemp(pattern.data()));
        for (const char* sub : {"home", "tmp", "out/taken.pdf"}) fs::create_directories(*scratch_ / sub);
        yearStatus_ = PrintPdf(*scratch_, "--print-pdf '" + Year() + "' 2024-01 2024-12");
    }
    static void TearDownTestSuite() {
        fs::remove_all(*scratch_);
        delete scratch_;
    }
    static std::string Year() { return (*scratch_ / "2024.pdf").string(); }

    static fs::path* scratch_;
    static int yearStatus_;
};

fs::path* PrintPdfTest::scratch_ = nullptr;
int PrintPdfTest::yearStatus_ = -1;

// 0 written; 2 a usage error; 3 FILE cannot be written or --data cannot be
// read. A failure leaves the folder of FILE as it was (no PDF, no
// temporary file), and no run writes anything else.
TEST_F(PrintPdfTest, ExitStatusesAndNothingLeftBehind) {
    const fs::path out = *scratch_ / "out";
    struct Case {
        std::string arguments;
        int status;
        const char* why;
        std::string limits = "";  // shell commands before the run
        const char* says = "";    // what stderr holds
    };
    const std::string year = " 2024-01 2024-12";
    const Case cases[] = {
        {"--print-pdf " + out.string() + "/a.pdf 2024-05", 0, "one month"},
        {"--print-pdf " + out.string() + "/b.pdf", 2, "no month"},
        {"--print-pdf " + out.string() + "/b.pdf 2024-05 2024-04", 2, "months out of order"},
        {"--print-pdf " + out.string() + "/b.pdf 2024-05 -platform xcb", 2, "Qt's options are not taken"},
        {"--print-pdf " + out.string() + "/no/b.pdf 2024-05", 3, "no such folder", "", "フォルダーがありません"},
        {"--print-pdf " + out.string() + "/taken.pdf 2024-05", 3, "a folder of that name", "", "同じ名前のフォルダーがあります"},
        {"--data " + out.string() + "/none --print-pdf " + out.string() + "/b.pdf 2024-05", 3, "no definition folder"},
        {"--print-pdf /dev/full 2024-05", 3, "a device", "", "/dev/full: FIFO やデバイスなど、通常のファイルではありません"},
        {"--print-pdf " + out.string() + "/b.pdf" + year, 3, "the file-size limit, 20 kB", "ulimit -f 40; ",
         "ファイルが大きすぎます"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        std::set<fs::path> before(fs::recursive_directory_iterator(out), {});
        if (c.status == 0) before.insert(out / "a.pdf");
        EXPECT_EQ(PrintPdf(*scratch_, c.arguments, c.limits), c.status) << ReadFileBytes((*scratch_ / "err").string());
        EXPECT_NE(ReadFileBytes((*scratch_ / "err").string()).find(c.says), std::string::npos);
        EXPECT_EQ(std::set<fs::path>(fs::recursive_directory_iterator(out), {}), before);
        EXPECT_TRUE(fs::is_empty(*scratch_ / "home") && fs::is_empty(*scratch_ / "tmp"));
    }
}

// Twelve A4 pages of 2024 set in IPA Gothic: the reference image below is
// drawn in it, and in another face every glyph would move.
TEST_F(PrintPdfTest, AYearIsTwelvePagesInIpaGothic) {
    ASSERT_EQ(yearStatus_, 0);
    const std::string info = CommandOutput("pdfinfo '" + Year() + "'");
    EXPECT_NE(info.find("Pages:           12\n"), std::string::npos) << info;
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;
    const std::string fonts = CommandOutput("pdffonts '" + Year() + "'");
    EXPECT_NE(fonts.find("IPAGothic"), std::string::npos)
        << "the pages must be set in IPA Gothic (fonts-ipafont-gothic); fc-match IPAGothic gives "
        << CommandOutput("fc-match IPAGothic") << "and the PDF holds:\n" << fonts;
}

// May 2024: its holidays, and the lunisolar days 3/23 ... 4/24 each once
// and in order, the month named on the first day and on the 1st of a new
// lunar month, each 六曜 the one its date gives ((month + day) mod 6 from
// 大安).
TEST_F(PrintPdfTest, MayHoldsItsHolidaysAndItsLunisolarDaysInOrder) {
    ASSERT_EQ(yearStatus_, 0);
    const std::string text = CommandOutput("pdftotext -f 5 -l 5 '" + Year() + "' -");
    for (const char* word : {"2024年（令和6年）5月", "憲法記念日", "みどりの日", "こどもの日", "先負", "標準の暦計算"}) {
        EXPECT_NE(text.find(word), std::string::npos) << word;
    }
    // The lunisolar day and its 六曜 are two words of a cell's line: read
    // in the page's layout, one follows the other.
    std::istringstream words(CommandOutput("pdftotext -layout -f 5 -l 5 '" + Year() + "' -"));
    std::vector<std::string> tokens{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    int month = 3, day = 22, seen = 0;
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        const std::string line = tokens[i] + " " + tokens[i + 1];
        int shownMonth, shownDay, rokuyo;
        if (!ParseLunarLine(line, shownMonth, shownDay, rokuyo)) continue;
        SCOPED_TRACE(line);
        if (shownDay == 1 && day >= 29) {  // a lunar month has 29 or 30 days
            ++month;
            day = 0;
        }
        EXPECT_EQ(shownDay, ++day);
        EXPECT_EQ(shownMonth, seen++ == 0 || day == 1 ? month : 0);
        EXPECT_EQ(rokuyo, (month + day) % 6);
    }
    EXPECT_EQ(seen, 31);
    EXPECT_EQ(month * 100 + day, 424);
}

// The May page at 30 dpi against tests/data/print/2024-05.png (its README:
// how it is made). The same page renders to the same pixels; the precise
// almanac's footer alone is 0.012 away and April or June 0.05, so a cell
// moved, a text missing or spilling out is well beyond the tolerance.
TEST_F(PrintPdfTest, MayLooksLikeItsReference) {
    ASSERT_EQ(yearStatus_, 0);
    const std::string page = (*scratch_ / "may").string();
    CommandOutput("pdftoppm -r 30 -gray -png -singlefile -f 5 -l 5 '" + Year() + "' '" + page + "'");
    const char* data = std::getenv("K2_TEST_DATA");
    const std::string reference = std::string(data ? data : "tests/data") + "/print/2024-05.png";
    // RMSE over the pixels, then as a share of full scale: "1234 (0.0188)".
    const std::string rmse = CommandOutput("compare -metric RMSE '" + reference + "' '" + page + ".png' null: 2>&1");
    const std::size_t open = rmse.find('(');
    ASSERT_NE(open, std::string::npos) << rmse;
    constexpr double kTolerance = 0.01;
    EXPECT_LT(std::stod(rmse.substr(open + 1)), kTolerance) << rmse;
}

}  // namespace
}  // namespace kalendo
