// Test helper: a temporary folder holding the shipped definition files
// (from the build's bin folder) and a schedule file of the test's own.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/text_codec.h"

namespace kalendo {

// The build's bin folder: K2_BIN_DIR under ctest, else the test program's
// own folder (the tests are built there too).
inline std::string BinFolder() {
    if (const char* bin = std::getenv("K2_BIN_DIR")) return std::string(bin) + "/";
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
}

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// An argument for sh, in single quotes.
inline std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (const char c : arg) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

// Schedules around 2024-06-15: three consecutive past days, today, later.
inline constexpr char kScheduleFixtureUtf8[] =
    ";============================================================================\n"
    ";\tKalendoⅡ\t週間スケジュールファイル\n"
    ";============================================================================\n"
    "歯医者              2024/06/12\t0\n{\n\n}\n"
    "会議                2024/06/13\t1\n{\n\n}\n"
    "締切                2024/06/14\t1\n{\n\n}\n"
    "誕生会              2024/06/15\t2\n{\n花束\r\nケーキ\n}\n"
    "忘年会              2024/12/24\t4\n{\n\n}\n";

class DefinitionFolder {
public:
    DefinitionFolder() {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "k2-cli-XXXXXX").string();
        path_ = std::string(mkdtemp(pattern.data())) + "/";
        try {
            for (const char* name : {"元号.Def", "祝日.Def", "暦日.Def", "Usr.Def"}) {
                fs::copy_file(BinFolder() + name, path_ + name);
            }
        } catch (...) {
            fs::remove_all(path_);  // the destructor does not run
            throw;
        }
        std::ofstream(path_ + "Schedule.Def", std::ios::binary) << Cp932FromUtf8(kScheduleFixtureUtf8);
    }
    ~DefinitionFolder() { std::filesystem::remove_all(path_); }
    const std::string& path() const { return path_; }  // ends with "/"

private:
    std::string path_;
};

}  // namespace kalendo
