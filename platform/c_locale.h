// Numbers and character classes follow the C locale, whatever the user's
// locale says.
#pragma once

namespace kalendo {

// Sets LC_NUMERIC to "C" and LC_CTYPE to "C.UTF-8" ("C" where the C
// library has no C.UTF-8). Call it right after the QApplication is
// constructed: on Unix QCoreApplication runs setlocale(LC_ALL, ""), which
// hands printf and scanf the user's rules.
//
// Why these:
//  - LC_NUMERIC "C": the decimal point. The moon's age is shown with
//    "%2.1f"; a German user would see "29,6" instead of "29.6".
//  - LC_CTYPE: the readers classify code page 932 bytes with the <cctype>
//    tests and scanf. In C.UTF-8, as in "C", no byte from 0x80 up belongs
//    to any class (in UTF-8 none of them is a character on its own), so
//    the lead and trail bytes of double-byte characters are never taken
//    for letters or blanks (under a Latin-1 locale 65 of them are letters).
//    The multibyte encoding is UTF-8 all the same, which is what Xlib reads
//    the window title in when it writes WM_NAME for the tools that read
//    only that (under "C" it would label the title's UTF-8 bytes Latin-1).
// The other categories (messages, time, collation) are left to the user:
// Qt's own texts and the file dialogs may follow them.
void ForceCLocale();

}  // namespace kalendo
