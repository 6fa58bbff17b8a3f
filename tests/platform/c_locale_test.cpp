#include "platform/c_locale.h"

#include <gtest/gtest.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>

namespace kalendo {
namespace {

namespace fs = std::filesystem;

std::string Format21(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2.1f", value);
    return buf;
}

// Switches the whole process to a German locale, as QApplication does for
// a German user: an installed one, else one compiled by localedef into a
// temporary folder (glibc looks there through LOCPATH). Everything is put
// back to "C" afterwards.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) return;
        }
        if (!fs::exists("/usr/share/i18n/locales/de_DE")) {
            GTEST_SKIP() << "no German locale installed and no locale sources to build one";
        }
        std::string pattern = (fs::temp_directory_path() / "k2-locale-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + folder_ + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            GTEST_SKIP() << "no German locale installed and localedef could not build one";
        }
        setenv("LOCPATH", folder_.c_str(), 1);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
            GTEST_SKIP() << "the German locale built by localedef does not load";
        }
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        if (!folder_.empty()) {
            unsetenv("LOCPATH");
            fs::remove_all(folder_);
        }
    }
    std::string folder_;
};

TEST_F(GermanLocale, MoonAgePrintsWithADecimalPoint) {
    ASSERT_EQ(Format21(29.6), "29,6") << "the German locale uses a decimal comma";
    ForceCLocale();
    EXPECT_EQ(Format21(29.6), "29.6");
    EXPECT_EQ(std::strtod("29.6", nullptr), 29.6) << "reading numbers follows the same rule";
}

// Every <cctype> answer for a byte (or EOF): the classes as bits, and both
// case mappings.
std::tuple<int, int, int> ClassOf(int c, locale_t loc) {
    int (*const kTests[])(int, locale_t) = {isalnum_l, isalpha_l, isblank_l, iscntrl_l,
                                            isdigit_l, isgraph_l, islower_l, isprint_l,
                                            ispunct_l, isspace_l, isupper_l, isxdigit_l};
    int classes = 0;
    for (std::size_t i = 0; i < std::size(kTests); ++i) classes |= (kTests[i](c, loc) != 0) << i;
    return {classes, toupper_l(c, loc), tolower_l(c, loc)};
}

TEST_F(GermanLocale, OnlyNumbersAndCharacterClassesChange) {
    const std::string timeLocale = std::setlocale(LC_TIME, nullptr);
    ForceCLocale();
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8") << "titles reach Xlib as UTF-8";
    EXPECT_EQ(std::setlocale(LC_TIME, nullptr), timeLocale) << "other categories stay the user's";
    // Whatever the multibyte encoding, every byte is classified and mapped
    // as in "C": code page 932 lead and trail bytes belong to no class.
    const locale_t c = newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
    const locale_t now = duplocale(LC_GLOBAL_LOCALE);
    ASSERT_TRUE(c != static_cast<locale_t>(0) && now != static_cast<locale_t>(0));
    for (int byte = EOF; byte <= 0xFF; ++byte) {
        SCOPED_TRACE(byte);
        EXPECT_EQ(ClassOf(byte, now), ClassOf(byte, c));
    }
    freelocale(now);
    freelocale(c);
}

}  // namespace
}  // namespace kalendo
