// One square of the month grid: a day cell or a weekday heading. It draws
// the text it is given, bold and centred, in the given colours, and reports
// mouse presses; it never takes the focus, so the navigation keys keep
// working after a click.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace kalendo {

class DayCellWidget : public QWidget {
    Q_OBJECT

public:
    // `index`: the cell index 0-41 reported with the presses (-1 for a
    // heading). `bordered`: a one-pixel frame (the Sunday heading has none).
    DayCellWidget(int index, bool bordered, QWidget* parent);

    void SetContent(const QString& text, const QColor& fg, const QColor& bg);
    void SetTextFont(const QFont& font);

    int index() const { return index_; }
    const QString& text() const { return text_; }
    const QColor& textColour() const { return fg_; }
    const QColor& background() const { return bg_; }

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
};

}  // namespace kalendo
