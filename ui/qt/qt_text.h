// The one crossing between the almanac's code page 932 texts and Qt's
// strings. Everything the window shows passes through ToQt; everything a
// user types passes through FromQt before the model sees it.
#pragma once

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

#include "ui/model/month_view.h"

namespace kalendo {

// CP932 bytes to a QString.
QString ToQt(std::string_view cp932);

// A QString to CP932 bytes; a character CP932 cannot hold becomes "?".
std::string FromQt(const QString& text);

// What a user typed into a number or date field, in CP932 after Unicode
// NFKC: full-width digits, signs and blanks (an input method's default,
// "２０３０") become their ASCII forms, which is all the model reads as
// numbers. The minus signs NFKC leaves alone ("−", "ー") the model reads.
std::string FromQtTyped(const QString& text);

// Multi-line texts keep CR LF inside the almanac; Qt's editors break lines
// at LF alone and would show the CR.
QString ToQtLines(std::string_view cp932);

QColor ToQColor(const Rgb& rgb);

}  // namespace kalendo
