// Build step: writes the help page with the table of the periods where the
// two almanac modes differ and the table of the close calls, computed by the
// program's own two modes.
//   k2_help_page SOURCE_PAGE OUTPUT_PAGE
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "tools/help_table/close_call_table.h"
#include "tools/help_table/mode_differences.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: k2_help_page SOURCE_PAGE OUTPUT_PAGE\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "k2_help_page: cannot read %s\n", argv[1]);
        return 1;
    }
    const std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string html =
        kalendo::ModeDifferencesHtml(kalendo::ComputeModeDifferences(1900, 2100));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    const std::string closeCalls = kalendo::CloseCallsHtml(
        kalendo::ComputeCloseCallTable(1900, 2100, kalendo::AlmanacMode::Standard),
        kalendo::ComputeCloseCallTable(1900, 2100, kalendo::AlmanacMode::Precise));
    out << kalendo::WithMarkedSection(kalendo::WithModeDifferences(page, html), "close-calls",
                                      closeCalls);
    out.close();
    if (!out) {
        std::fprintf(stderr, "k2_help_page: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
