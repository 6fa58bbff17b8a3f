#include "ui/qt/close_call_words.h"

#include <QLabel>
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

void ShowCloseCallWords(InfoPane* pane, QLabel* mark, const CloseCallTexts& texts) {
    mark->setText(ToQt(texts.mark));
    pane->SetRightReserve(texts.mark.empty() ? 0 : mark->width());
    mark->setToolTip(ToQt(texts.spoken));
    // Named only while shown; its words are what it stands for.
    mark->setAccessibleName(texts.mark.empty() ? QString() : ToQt(kCloseCallMarkName));
    mark->setAccessibleDescription(ToQt(texts.spoken));
    const QString current = pane->accessibleName();
    if (current != pane->property(kNameGiven).toString()) pane->setProperty(kBaseName, current);
    const QString base = pane->property(kBaseName).toString();
    const QString words = ToQt(texts.spoken);
    const QString name = words.isEmpty() ? base : base.isEmpty() ? words : base + u' ' + words;
    pane->setAccessibleName(name);
    pane->setProperty(kNameGiven, name);
}

}  // namespace kalendo
