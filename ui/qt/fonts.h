// The fonts of the window. The layouts name Windows faces ("ＭＳ ゴシック",
// "ＭＳ Ｐゴシック", "System"); at start-up each is mapped to the first
// installed Japanese font of a list, so every text is drawn with real
// Japanese glyphs whatever font the desktop offers by default.
#pragma once

#include <QFont>

namespace kalendo {

// Registers the substitutes of the three faces and makes "ＭＳ Ｐゴシック"
// 9 point the application's font (menus, toolbars, dialogs). Call once
// after the QApplication exists.
void InstallJapaneseFonts();

// A font of a named face (CP932 face name from window_texts) in points.
QFont FaceFont(const char* faceCp932, double points, bool bold = false);

// Between the digits of two neighbouring day cells at least this much
// background shows (pixels, logical), beside the cells' two border lines.
inline constexpr int kDayDigitGap = 2;

// The widest ink of the two-digit day numbers 10-31 in `font`, pixels.
int WidestDayNumberWidth(const QFont& font);

// `layoutFont` when its widest two-digit day leaves kDayDigitGap between
// neighbouring cells `cellWidth` pixels wide (each cell has a one-pixel
// border); otherwise the first that does of: a narrower Japanese face at
// the same height, then the layout's and the narrower faces in half-point
// steps smaller. Bold and the other attributes are kept. Decided once per
// size mode, so every cell of the grid has the same font.
QFont FontFittingDayNumbers(const QFont& layoutFont, int cellWidth);

// The grid's second line: the proportional face at 9 logical pixels in the
// normal size and 11 in the enlarged one (the least that stays legible,
// so the cells grow no more than they must).
QFont LunarLineFont(bool enlarged);

// Font heights given in twips (1/20 point): 260 twips is 13 points.
inline constexpr double PointsFromTwips(int twips) { return twips / 20.0; }

}  // namespace kalendo
