// The month grid as one control over its 42 day cells: it takes the
// keyboard focus (the window starts with it), draws the focus mark around
// the selected day while it has the focus, opens on Enter or the Menu key
// what a right click opens, and is the accessible table of the days
// (month_accessible.h). It lies over the cells without hiding them and lets
// every mouse press through to them.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "astro/places.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"
#include "ui/model/grid_eclipses.h"
#include "ui/model/month_view.h"
#include "ui/model/spoken_names.h"

namespace kalendo {

class DayCellWidget;

class DayGrid : public QWidget {
    Q_OBJECT

public:
    // `cells`: the view's 42 cells, whose places the grid follows. `rec`:
    // the window's record, which the names are read from.
    DayGrid(const std::array<DayCellWidget*, kGridCells>& cells, const MonthRecord& rec,
            QWidget* parent);

    // The grid as the view shows it now, its rows beginning on `start`.
    // Moves the selection and, while a screen reader listens, tells it what
    // changed.
    // Eclipses are named as seen from `eclipsesSeenFrom`, the window's place.
    void Show(const MonthGrid& grid, WeekStart start = WeekStart::Sunday,
              GeoPosition eclipsesSeenFrom = NamedPlaceOf(ListedPlaces()[kDefaultPlaceIndex]).position);
    WeekStart weekStart() const { return weekStart_; }
    // The notes of the lower register each day's name says after it: the
    // picked ones under the readings (the window's settings); none unless set.
    void SetRekichuPicks(RekichuReadings readings, RekichuSet picks);

    // The selected cell, -1 before any month.
    int selected() const { return selected_; }
    DayCellWidget* cell(int k) const { return cells_[static_cast<std::size_t>(k)]; }

    // What a screen reader is told, UTF-8 via the model's CP932 texts: the
    // month shown and the name of each day (computed on the first question
    // after each Show).
    QString Name() const;
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
    const MonthRecord& rec_;
    int selected_ = -1;
    WeekStart weekStart_ = WeekStart::Sunday;
    GeoPosition eclipsesSeenFrom_{0, 0};
    CalendarDate shownDate_{};  // the target date of the last Show
    QString name_;
    GridDayNames dayNames_;
    GridEclipses eclipses_;  // a day with an eclipse says its kind after its name
    RekichuReadings rekichuReadings_{};
    RekichuSet rekichuPicks_ = 0;
    std::array<QString, kGridCells> cellNames_;
    bool named_ = false;  // cellNames_ belong to the grid last shown
};

}  // namespace kalendo
