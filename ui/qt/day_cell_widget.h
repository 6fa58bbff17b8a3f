// One square of the month grid: a day cell or a weekday heading. It draws
// the text it is given, bold and centred, in the given colours, and, while
// the grid's second line is shown, that line's text under it in the same
// colour; it reports mouse presses and never takes the focus, so the
// navigation keys keep working after a click.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <vector>

#include "ui/model/colour_scheme.h"

namespace kalendo {

class DayCellWidget : public QWidget {
    Q_OBJECT

public:
    // `index`: the cell index 0-41 reported with the presses (-1 for a
    // heading). `bordered`: a one-pixel frame (the Sunday heading has none).
    DayCellWidget(int index, bool bordered, QWidget* parent);

    void SetContent(const QString& text, const QColor& fg, const QColor& bg);
    void SetTextFont(const QFont& font);
    // `shown`: the cell keeps a second line under its number, drawn in
    // `font` (empty text: the line stays blank).
    void SetLunarLine(bool shown, const QFont& font);
    void SetLunarText(const QString& text);
    // A day with an eclipse seen from the place: a small triangle in the
    // cell's top right corner, sized from the cell, so it stays inside the
    // cell in every style, font and scale.
    void SetEclipseMark(bool marked);
    bool eclipseMarked() const { return eclipseMarked_; }
    // A day carrying a note of the lower register the user picked: a small
    // dot in the top left corner, sized like the eclipse mark.
    void SetRekichuMark(bool marked);
    bool rekichuMarked() const { return rekichuMarked_; }
    // Where a corner mark is drawn: a square of a sixth of the cell's
    // shorter side (at least four pixels) inside the border.
    int CornerMarkSide() const;

    // The colour set of the frame and the marks (the texts come with
    // SetContent).
    void SetColourScheme(ColourScheme scheme);
    ColourScheme colourScheme() const { return scheme_; }

    // The least size a cell needs to show its number in `numberFont`
    // (the widest two-digit day, with its border and kDayDigitGap) and,
    // when `lunarFont` is given, the widest of `lunarTexts` under it.
    static QSize NeededSize(const QFont& numberFont, const std::vector<QString>& numberTexts,
                            const QFont* lunarFont, const std::vector<QString>& lunarTexts);

    int index() const { return index_; }
    const QString& text() const { return text_; }
    const QColor& textColour() const { return fg_; }
    const QColor& background() const { return bg_; }
    const QString& lunarText() const { return lunarText_; }
    bool lunarLineShown() const { return lunarShown_; }
    const QFont& lunarFont() const { return lunarFont_; }
    // Where the number and the second line are drawn (the border excluded).
    QRect NumberArea() const;
    QRect LunarArea() const;

signals:
    void leftPressed(int index);
    void rightPressed(int index);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int index_;
    bool bordered_;
    QString text_;
    QColor fg_;
    QColor bg_;
    bool strokedBold_ = false;  // bold asked, and the face has no bold style
    bool lunarShown_ = false;
    QFont lunarFont_;
    QString lunarText_;
    bool eclipseMarked_ = false;
    bool rekichuMarked_ = false;
    ColourScheme scheme_ = ColourScheme::Light;
};

}  // namespace kalendo
