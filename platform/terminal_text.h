// Text bound for a terminal (stderr). A message may carry bytes from a
// definition file or the command line; a terminal takes control characters
// among them as commands (ESC sequences move the cursor, retitle the
// window, answer back), so they are shown, never sent.
#pragma once

#include <string>
#include <string_view>

namespace kalendo {

// The text with every control character written as "\x" and two lowercase
// hex digits of its code: C0 (U+0000-U+001F, line breaks included: a
// message is one line), DEL (U+007F) and C1 (U+0080-U+009F, the two-byte
// UTF-8 forms C2 80-C2 9F, shown by their code). A byte that does not
// belong to well-formed UTF-8 is shown the same way (its value), since a
// terminal in a legacy mode may read a lone 0x9B as a command. Everything
// else is kept byte for byte.
std::string TerminalSafe(std::string_view utf8);

// TerminalSafe(utf8) and a line break on stderr, flushed.
void PrintTerminalLine(std::string_view utf8);

}  // namespace kalendo
