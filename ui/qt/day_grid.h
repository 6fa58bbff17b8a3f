// The month grid as one control over its 42 day cells: it takes the
// keyboard focus (the window starts with it), draws the focus mark around
// the selected day while it has the focus, opens on Enter or the Menu key
// what a right click opens, and is the accessible table of the days
// (month_accessible.h). It lies over the cells without hiding them and lets
// every mouse press through to them.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "platform/calendar_date.h"
#include "ui/model/view_state.h"

namespace kalendo {

class DayCellWidget;

class DayGrid : public QWidget {
    Q_OBJECT

public:
    // The spoken names of the days of the state last shown, asked for only
    // while a screen reader listens (ViewBuilder::CellNames).
    using CellNamesSource = std::function<const std::array<std::string, kGridCells>&()>;

    // `cells`: the view's 42 cells, whose places the grid follows.
    DayGrid(const std::array<DayCellWidget*, kGridCells>& cells, CellNamesSource cellNames,
            QWidget* parent);

    // The grid as the view shows it now: moves the selection and, while a
    // screen reader listens, tells it what changed.
    void Show(const ViewState& state);

    // The selected cell, -1 before any month.
    int selected() const { return selected_; }
    DayCellWidget* cell(int k) const { return cells_[static_cast<std::size_t>(k)]; }

    // What a screen reader is told, UTF-8 via the model's CP932 texts: the
    // month shown, each column's weekday and the name of each day (asked
    // for on the first question after each Show).
    QString Name() const { return name_; }
    QString ColumnName(int column) const { return columnNames_[static_cast<std::size_t>(column)]; }
    QString CellName(int k);

signals:
    // Enter or the Menu key on the selected day.
    void menuRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void FollowCells();
    void NameCells();
    void SendSelectionEvents(int previous);

    std::array<DayCellWidget*, kGridCells> cells_;
    CellNamesSource cellNamesSource_;
    int selected_ = -1;
    CalendarDate shownDate_{};  // the target date of the last Show
    QString name_;
    std::array<QString, kGridColumns> columnNames_;
    std::array<QString, kGridCells> cellNames_;
    bool named_ = false;  // cellNames_ belong to the grid last shown
};

}  // namespace kalendo
