#include "platform/terminal_messages.h"

#include <cstdio>
#include <cstdlib>

#include "platform/terminal_text.h"
#include "platform/text_codec.h"

namespace kalendo {

void TerminalMessagesPlatform::ShowMessage(std::string_view cp932) { ShowMessageUtf8(Utf8FromCp932(cp932)); }

// The boxes' line breaks (CR LF) begin lines of their own.
void TerminalMessagesPlatform::ShowMessageUtf8(std::string_view utf8) {
    std::size_t begin = 0;
    for (std::size_t end; (end = utf8.find("\r\n", begin)) != std::string_view::npos; begin = end + 2) {
        PrintTerminalLine(utf8.substr(begin, end - begin));
    }
    PrintTerminalLine(utf8.substr(begin));
}

void TerminalMessagesPlatform::Fatal(std::string_view cp932) { FatalUtf8(Utf8FromCp932(cp932)); }

void TerminalMessagesPlatform::FatalUtf8(std::string_view utf8) {
    ShowMessageUtf8(utf8);
    std::fflush(nullptr);
    std::_Exit(kFatalExitStatus);
}

}  // namespace kalendo
