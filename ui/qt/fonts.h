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

// Font heights given in twips (1/20 point): 260 twips is 13 points.
inline constexpr double PointsFromTwips(int twips) { return twips / 20.0; }

}  // namespace kalendo
