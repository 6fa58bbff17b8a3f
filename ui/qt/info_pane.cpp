#include "ui/qt/info_pane.h"

#include <QFontMetrics>
#include <QtMath>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

#include "ui/model/month_view.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

// The panes are sized for their widest texts drawn at this share of the
// layout's font, as the layout has always drawn its longest dates; a pane
// grows only where even that would not fit.
constexpr double kSizingShareOfFont = 0.9;
// The smallest size a long pane text is shrunk to, and the step.
constexpr double kSmallestFitPoints = 8.0;
constexpr double kFitStepPoints = 0.5;
// The line edit's own margins inside its contents rectangle, pixels: 2 on
// either side of the text, 1 above and below it.
constexpr int kTextSideMargin = 2;
constexpr int kTextTopMargin = 1;
// A size to ask the style about; any that holds the frame will do.
constexpr int kProbeWidth = 400, kProbeHeight = 100;

}  // namespace

InfoPane::InfoPane(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setFrame(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Tight margins: the panes are 23-25 pixels high and carry 12.5-14 point
    // text.
    setTextMargins(0, 0, 0, 0);
    SetColourScheme(ColourScheme::Light);
}

void InfoPane::SetColourScheme(ColourScheme scheme) {
    if (scheme_ == scheme) return;
    scheme_ = scheme;
    // The style sheet's frame replaces the style's, and with it the
    // style's focus mark: the focused pane's frame takes the focus colour
    // and its background a tint of it instead. The frame keeps its width,
    // so the text keeps the room it was fitted to.
    const auto css = [scheme](ColourRole role) { return ToQColor(SchemeColour(role, scheme)).name(); };
    setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; border: 1px solid %1; color: %2; background: %3; }"
                                 "QLineEdit:focus { border: 1px solid %4; background: %5; }")
                      .arg(css(ColourRole::PaneFrame), css(ColourRole::PaneText), css(ColourRole::PaneBackground),
                           css(ColourRole::FocusMark), css(ColourRole::FocusedPaneBackground)));
}

void InfoPane::SetTexts(const std::string& text, const std::string& detailTitle,
                        const std::string& detailText) {
    if (text != text_) {
        text_ = text;
        setText(ToQt(text));
        setCursorPosition(0);
        FitFont();
    }
    detailTitle_ = detailTitle;
    detailText_ = detailText;
}

void InfoPane::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        emit doubleClicked();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InfoPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

}  // namespace kalendo

namespace kalendo {

void InfoPane::SetPaneFont(const QFont& font) {
    paneFont_ = font;
    FitFont();
}

void InfoPane::SetRightReserve(int pixels) {
    if (pixels == rightReserve_) return;
    rightReserve_ = pixels;
    setTextMargins(0, 0, pixels, 0);
    FitFont();
}

void InfoPane::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    FitFont();
}

QSize InfoPane::Chrome() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, kProbeWidth, kProbeHeight);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins m = textMargins();
    return QSize(kProbeWidth - contents.width() + m.left() + m.right() + 2 * kTextSideMargin,
                 kProbeHeight - contents.height() + m.top() + m.bottom() + 2 * kTextTopMargin);
}

int InfoPane::TextRoom() const { return width() - Chrome().width(); }

QSize InfoPane::SizeFor(const std::vector<std::string>& textsCp932, const QFont& font) const {
    // Measured in the font drawn and scaled to the share, not in a font of
    // the shrunken size: that one would be loaded only to be measured, and
    // Qt's font cache, holding what it no longer uses, wakes the idle window
    // every 10 s until it has let it go.
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (const std::string& t : textsCp932) {
        widest = std::max(widest, metrics.horizontalAdvance(ToQt(t)));
    }
    const int lineHeight = QFontMetrics(font).height();
    return QSize(qCeil(widest * kSizingShareOfFont), lineHeight) + Chrome();
}

void InfoPane::FitFont() {
    QFont font = paneFont_;
    const int room = TextRoom() - rightReserve_;
    const QString shown = text();
    while (font.pointSizeF() > kSmallestFitPoints &&
           QFontMetrics(font).horizontalAdvance(shown) > room) {
        font.setPointSizeF(font.pointSizeF() - kFitStepPoints);
    }
    if (font != this->font()) setFont(font);
}

}  // namespace kalendo
