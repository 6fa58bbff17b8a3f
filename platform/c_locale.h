// Numbers and character classes follow the C locale, whatever the user's
// locale says.
#pragma once

namespace kalendo {

// Sets LC_NUMERIC and LC_CTYPE back to "C". Call it right after the
// QApplication is constructed: on Unix QCoreApplication runs
// setlocale(LC_ALL, ""), which hands printf and scanf the user's rules.
//
// Why both categories:
//  - LC_NUMERIC: the decimal point. The moon's age is shown with "%2.1f";
//    a German user would see "29,6" instead of "29.6".
//  - LC_CTYPE: the readers classify code page 932 bytes with the <cctype>
//    tests and scanf. In the C locale no byte from 0x80 up belongs to any
//    class, so the lead and trail bytes of double-byte characters are
//    never taken for letters, blanks or pieces of a multibyte sequence in
//    the user's encoding (under a Latin-1 locale 65 of them are letters).
// The other categories (messages, time, collation) are left to the user:
// Qt's own texts and the file dialogs may follow them.
void ForceCLocale();

}  // namespace kalendo
