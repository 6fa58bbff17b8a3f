#include "ui/qt/info_pane.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPalette>

#include "ui/model/month_view.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

// The smallest size a long pane text is shrunk to, and the step.
constexpr double kSmallestFitPoints = 8.0;
constexpr double kFitStepPoints = 0.5;
// The line edit's own margin on either side of its text, pixels.
constexpr int kTextSideMargin = 2;

}  // namespace

InfoPane::InfoPane(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setFrame(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Tight margins: the panes are 23-25 pixels high and carry 12.5-14 point
    // text.
    setTextMargins(0, 0, 0, 0);
    setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; border: 1px solid rgb(100,100,100); "
                                 "color: rgb(%1,%2,%3); background: rgb(%4,%5,%6); }")
                      .arg(kPaneText.r)
                      .arg(kPaneText.g)
                      .arg(kPaneText.b)
                      .arg(kPaneBackground.r)
                      .arg(kPaneBackground.g)
                      .arg(kPaneBackground.b));
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

void InfoPane::FitFont() {
    QFont font = paneFont_;
    const int room = contentsRect().width() - 2 * kTextSideMargin - rightReserve_;
    const QString shown = text();
    while (font.pointSizeF() > kSmallestFitPoints &&
           QFontMetrics(font).horizontalAdvance(shown) > room) {
        font.setPointSizeF(font.pointSizeF() - kFitStepPoints);
    }
    if (font != this->font()) setFont(font);
}

}  // namespace kalendo
