// The screen Qt's offscreen platform is given, described in a file that the
// platform reads once, while QApplication is constructed. Each test process
// writes its own file in a folder of its own and removes both once the
// application exists: test programs started together (ctest -j) never read
// one another's half-written file, which Qt's JSON reader refuses by
// aborting the process.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace kalendo {

class OffscreenScreenFile {
public:
    OffscreenScreenFile(int width, int height) {
        std::string pattern = (std::filesystem::temp_directory_path() / "k2-screen-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        folder_ = pattern;
        const std::filesystem::path file = folder_ / "screen.json";
        std::ofstream(file) << "{\"screens\":[{\"name\":\"s\",\"x\":0,\"y\":0,\"width\":" << width
                            << ",\"height\":" << height << ",\"logicalDpi\":96}]}";
        platformArgument_ = "offscreen:configfile=" + file.string();
    }
    ~OffscreenScreenFile() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    OffscreenScreenFile(const OffscreenScreenFile&) = delete;
    OffscreenScreenFile& operator=(const OffscreenScreenFile&) = delete;

    // "offscreen:configfile=…" for -platform; the plain offscreen platform
    // (its default screen) when no folder could be made.
    const std::string& platformArgument() const { return platformArgument_; }

private:
    std::filesystem::path folder_;
    std::string platformArgument_ = "offscreen";
};

}  // namespace kalendo
