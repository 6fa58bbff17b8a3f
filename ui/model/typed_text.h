// What a user typed into a dialog, on its way to the schedule file or the
// record: a character code page 932 cannot hold is never replaced. The
// dialog names it (the character itself, its code, the field and where it
// stands in it) and stays open with the text as typed, so that the user can
// replace it. The window converts what was typed with Cp932FromUtf8Exact
// (combining sequences composed first) and hands over what it lists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace kalendo {

// One field of a dialog and the characters of it that CP932 cannot hold.
struct TypedField {
    const char* nameCp932;                       // as the dialog names the field
    const std::vector<UnheldCharacter>* unheld;  // empty: every character is held
    bool multiLine = false;                      // lines are named too (the note)
};

// The most characters named one by one; the rest are counted.
inline constexpr int kMaxNamedUnheld = 10;

// nullopt when every field is held; else the message, in UTF-8 (it shows
// the characters): the heading kUnheldTypedHeading, then one line for each
// character in field order, "項目名 4文字目「🎂」（U+1F382）", with the line
// for a multi-line field ("備考 2行目 1文字目…"); after kMaxNamedUnheld the
// count of the others (kUnheldTypedMoreFormat).
std::optional<std::string> UnheldTypedMessage(const std::vector<TypedField>& fields);

// Shows UnheldTypedMessage and returns false when there is one; true when
// every character can be held.
bool TypedFieldsHeld(const std::vector<TypedField>& fields);

}  // namespace kalendo
