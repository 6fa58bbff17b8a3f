// One of the six read-only information panes of the month view: one
// centred line on a pale background. The officer and mansion panes also
// carry a detail title and text, which a double-click opens in the memo
// dialog.
#pragma once

#include <QLineEdit>

#include <optional>
#include <string>
#include <vector>

#include "ui/model/colour_scheme.h"

namespace kalendo {

class InfoPane : public QLineEdit {
    Q_OBJECT

public:
    explicit InfoPane(QWidget* parent);

    // Texts in CP932 as the model builds them.
    void SetTexts(const std::string& text, const std::string& detailTitle = std::string(),
                  const std::string& detailText = std::string());

    // The pane's font (12.5 or 14 point). A text wider than the pane is
    // drawn a little smaller, down to what fits, rather than cut off.
    void SetPaneFont(const QFont& font);

    // The least size that shows each of `textsCp932` whole, with the frame
    // and margins the style gives a line edit: as wide as the text drawn a
    // little smaller than `font` (the pane's own fitting goes that far), as
    // high as a line of `font`.
    QSize SizeFor(const std::vector<std::string>& textsCp932, const QFont& font) const;
    // The width the style leaves for the text inside the pane.
    int TextRoom() const;
    // Room kept free at the right end of the pane for a mark of its own
    // (pixels; 0 for none): the text is centred and fitted in the rest.
    void SetRightReserve(int pixels);

    // The pane's colours: text, ground, frame and the focused pane's.
    void SetColourScheme(ColourScheme scheme);

    const std::string& detailTitle() const { return detailTitle_; }
    const std::string& detailText() const { return detailText_; }

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Enter does what a double-click does: the keyboard's way to the detail.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitFont();
    QSize Chrome() const;  // what the frame and margins take, both directions

    QFont paneFont_;
    int rightReserve_ = 0;
    std::optional<ColourScheme> scheme_;
    std::string text_;
    std::string detailTitle_;
    std::string detailText_;
};

}  // namespace kalendo
