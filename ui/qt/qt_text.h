// The one crossing between the almanac's code page 932 texts and Qt's
// strings. Everything the window shows passes through ToQt; everything a
// user types passes through FromQt before the model sees it.
#pragma once

#include <QColor>
#include <QString>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"
#include "ui/model/month_view.h"

namespace kalendo {

// CP932 bytes to a QString.
QString ToQt(std::string_view cp932);

// A QString to CP932 bytes as Cp932FromUtf8Exact makes them: combining
// sequences composed, every other character as typed; a character CP932
// cannot hold is listed, never replaced (the dialog refuses the text).
ExactCp932 FromQt(const QString& text);

// What a user typed into a number or date field, after Unicode NFKC:
// full-width digits, signs and blanks (an input method's default,
// "２０３０") become their ASCII forms, which is all the model reads as
// numbers. The minus signs NFKC leaves alone ("−", "ー") the model reads.
// Then as FromQt.
ExactCp932 FromQtTypedExact(const QString& text);
// Its CP932 text, for a field that TypedQtFieldsHeld has accepted.
std::string FromQtTyped(const QString& text);

// A dialog's number and date fields, by the names their messages give them.
struct QtTypedField {
    const char* nameCp932;
    QString text;
};
// Whether every character typed into the fields (FromQtTypedExact) can be
// held; if not, the message naming them has been shown (TypedFieldsHeld)
// and the dialog stays as it is.
bool TypedQtFieldsHeld(std::initializer_list<QtTypedField> fields);

// Multi-line texts keep CR LF inside the almanac; Qt's editors break lines
// at LF alone and would show the CR.
QString ToQtLines(std::string_view cp932);

QColor ToQColor(const Rgb& rgb);

}  // namespace kalendo
