#include "ui/qt/close_call_words.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>

#include "ui/qt/info_pane.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

// The name this code last gave the pane; when the pane's name is another
// one, the pane was named anew and that name is the base.
constexpr char kNameGiven[] = "k2NameWithCloseCalls";
constexpr char kBaseName[] = "k2BaseAccessibleName";

}  // namespace

CloseCallMark::CloseCallMark(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("closeCallMark"));
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
}

void CloseCallMark::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !text().isEmpty() && rect().contains(event->position().toPoint())) {
        emit activated();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CloseCallMark::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!text().isEmpty()) {
                emit activated();
                return;
            }
            break;
        default: break;
    }
    QLabel::keyPressEvent(event);
}

void ShowCloseCallWords(InfoPane* pane, CloseCallMark* mark, const CloseCallTexts& texts) {
    mark->setText(ToQt(texts.mark));
    pane->SetRightReserve(texts.mark.empty() ? 0 : mark->width());
    mark->setToolTip(ToQt(texts.first));
    // Named only while shown; its words are what it stands for.
    mark->setAccessibleName(texts.mark.empty() ? QString() : ToQt(kCloseCallMarkName));
    mark->setAccessibleDescription(ToQt(texts.spoken));
    mark->setFocusPolicy(texts.mark.empty() ? Qt::NoFocus : Qt::TabFocus);
    mark->setCursor(texts.mark.empty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    const QString current = pane->accessibleName();
    if (current != pane->property(kNameGiven).toString()) pane->setProperty(kBaseName, current);
    const QString base = pane->property(kBaseName).toString();
    const QString words = ToQt(texts.spoken);
    const QString name = words.isEmpty() ? base : base.isEmpty() ? words : base + u' ' + words;
    pane->setAccessibleName(name);
    pane->setProperty(kNameGiven, name);
}

}  // namespace kalendo
