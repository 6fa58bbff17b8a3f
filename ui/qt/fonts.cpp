#include "ui/qt/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

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

// The smallest height tried for the day numbers, as a share of the
// layout's; below it the layout's font is kept.
constexpr double kSmallestDayFontShare = 0.6;
constexpr double kDayFontStepPoints = 0.5;

bool DayNumbersFit(const QFont& font, int cellWidth) {
    constexpr int kBorders = 2;  // one line on each side of a cell
    return WidestDayNumberWidth(font) + kBorders + kDayDigitGap <= cellWidth;
}

}  // namespace

int WidestDayNumberWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    constexpr int kFirstTwoDigitDay = 10, kLastDay = 31;
    int widest = 0;
    for (int day = kFirstTwoDigitDay; day <= kLastDay; ++day) {
        widest = std::max(widest, metrics.boundingRect(QString::number(day)).width());
    }
    return widest;
}

QFont FontFittingDayNumbers(const QFont& layoutFont, int cellWidth) {
    QStringList faces{layoutFont.family()};
    faces << FixedPitchJapanese();
    const double points = layoutFont.pointSizeF();
    for (double size = points; size >= points * kSmallestDayFontShare;
         size -= kDayFontStepPoints) {
        for (const QString& face : faces) {
            QFont candidate = layoutFont;
            candidate.setFamily(face);
            candidate.setPointSizeF(size);
            if (DayNumbersFit(candidate, cellWidth)) return candidate;
        }
    }
    return layoutFont;
}

void InstallJapaneseFonts() {
    QFont::insertSubstitutions(ToQt(kFaceGothic), FixedPitchJapanese());
    QFont::insertSubstitutions(ToQt(kFacePGothic), ProportionalJapanese());
    QFont::insertSubstitutions(ToQt(kFaceSystem), ProportionalJapanese());
    QApplication::setFont(FaceFont(kFacePGothic, kApplicationFontPoints));
}

QFont LunarLineFont(bool enlarged) {
    constexpr int kNormalPixels = 9, kEnlargedPixels = 11;
    QFont font(ToQt(kFacePGothic));
    font.setPixelSize(enlarged ? kEnlargedPixels : kNormalPixels);
    return font;
}

QFont FaceFont(const char* faceCp932, double points, bool bold) {
    QFont font(ToQt(faceCp932));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

}  // namespace kalendo
