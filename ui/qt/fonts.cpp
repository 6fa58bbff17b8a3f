#include "ui/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

// The dialogs' and menus' font size, in points.
constexpr double kApplicationFontPoints = 9.0;

// Fixed-pitch Japanese faces first for the fixed-pitch Windows face, then
// proportional ones; both lists end with the Noto family that most desktops
// ship. "System" was a proportional bold face.
QStringList FixedPitchJapanese() {
    return {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")};
}

QStringList ProportionalJapanese() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")};
}

}  // namespace

void InstallJapaneseFonts() {
    QFont::insertSubstitutions(ToQt(kFaceGothic), FixedPitchJapanese());
    QFont::insertSubstitutions(ToQt(kFacePGothic), ProportionalJapanese());
    QFont::insertSubstitutions(ToQt(kFaceSystem), ProportionalJapanese());
    QApplication::setFont(FaceFont(kFacePGothic, kApplicationFontPoints));
}

QFont FaceFont(const char* faceCp932, double points, bool bold) {
    QFont font(ToQt(faceCp932));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace kalendo
