// The event list ("この日の暦") and the schedule list ("日", "予 定") beside
// the grid: report lists with one or two columns, whole-row single
// selection, each row coloured by the kind of entry it shows. The rows come
// from the model with their kind and table index; the list only shows them
// and reports which row was clicked.
#pragma once

#include <QTreeWidget>

#include <vector>

#include "ui/model/lists.h"

namespace kalendo {

class EntryList : public QTreeWidget {
    Q_OBJECT

public:
    // `withDayColumn`: the schedule list's "日" column before the texts.
    EntryList(bool withDayColumn, QWidget* parent);

    // The column headings (CP932) and widths, rebuilt by the view's layout
    // from the list's new inner width.
    void SetColumns(const std::vector<std::string>& headings, const std::vector<int>& widths);

    // Replaces every row.
    void SetRows(const std::vector<ListRow>& rows);

    // The rows as last set (their kinds and indexes).
    const std::vector<ListRow>& rows() const { return rows_; }

    // The selected row, -1 when none: what the double-click and the
    // schedule commands act on.
    int SelectionMark() const;

    // The list's colours: ground, header, each kind's text, the selection.
    void SetColourScheme(ColourScheme scheme);

    // The width the columns are computed from: the inside of the frame.
    int InnerWidth() const;

signals:
    void rowDoubleClicked();
    void rightClicked(const QPoint& globalPos);

protected:
    // The keyboard's ways to what the mouse does: Enter opens the row as a
    // double-click does, the Menu key and Shift+F10 the row's menu beside
    // it, Ctrl+Up and Ctrl+Down move the row (the plain arrows move the
    // date), and a list reached by Tab selects its first row.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint RowMenuPlace() const;  // global: the selected row's bottom left

    bool withDayColumn_;
    std::vector<ListRow> rows_;
    ColourScheme scheme_ = ColourScheme::Light;
};

}  // namespace kalendo
