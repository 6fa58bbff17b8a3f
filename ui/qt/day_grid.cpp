#include "ui/qt/day_grid.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

#include <utility>

#include "ui/qt/day_cell_widget.h"
#include "ui/qt/focus_mark.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

void SendCellEvent(QAccessibleEvent& event, int k) {
    event.setChild(k);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

DayGrid::DayGrid(const std::array<DayCellWidget*, kGridCells>& cells, CellNamesSource cellNames,
                 QWidget* parent)
    : QWidget(parent), cells_(cells), cellNamesSource_(std::move(cellNames)) {
    setFocusPolicy(Qt::StrongFocus);
    // Presses go to the cells below; the grid is never drawn but for its mark.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    cells_.front()->installEventFilter(this);
    cells_.back()->installEventFilter(this);
    FollowCells();
    raise();
}

void DayGrid::Show(const ViewState& state) {
    const int previous = selected_;
    const CalendarDate previousDate = shownDate_;
    shownDate_ = state.target;
    selected_ = state.selectedCell;
    name_ = ToQt(state.spoken.grid);
    for (int c = 0; c < kGridColumns; ++c) {
        columnNames_[static_cast<std::size_t>(c)] = ToQt(state.spoken.headings[static_cast<std::size_t>(c)]);
    }
    named_ = false;
    // Nothing is computed for the names while no screen reader listens.
    if (QAccessible::isActive()) {
        NameCells();
        if (!(shownDate_ == previousDate)) SendSelectionEvents(previous);
    }
    update();
}

QString DayGrid::CellName(int k) {
    if (!named_) {
        const std::array<std::string, kGridCells>& names = cellNamesSource_();
        for (int i = 0; i < kGridCells; ++i) cellNames_[static_cast<std::size_t>(i)] = ToQt(names[static_cast<std::size_t>(i)]);
        named_ = true;
    }
    return cellNames_[static_cast<std::size_t>(k)];
}

void DayGrid::NameCells() {
    const std::array<QString, kGridCells> before = cellNames_;
    for (int k = 0; k < kGridCells; ++k) {
        if (CellName(k) == before[static_cast<std::size_t>(k)]) continue;
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        SendCellEvent(changed, k);
    }
}

void DayGrid::SendSelectionEvents(int previous) {
    QAccessible::State selectedState;
    selectedState.selected = true;
    if (previous >= 0 && previous != selected_) {
        QAccessibleStateChangeEvent left(this, selectedState);
        SendCellEvent(left, previous);
    }
    if (selected_ < 0) return;
    QAccessibleStateChangeEvent entered(this, selectedState);
    SendCellEvent(entered, selected_);
    QAccessibleEvent selection(this, QAccessible::Selection);
    SendCellEvent(selection, selected_);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        SendCellEvent(focus, selected_);
    }
}

bool DayGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) FollowCells();
    return QWidget::eventFilter(watched, event);
}

void DayGrid::FollowCells() {
    setGeometry(cells_.front()->geometry().united(cells_.back()->geometry()));
}

void DayGrid::paintEvent(QPaintEvent*) {
    if (!hasFocus() || selected_ < 0) return;
    QPainter painter(this);
    const QRect cell = cells_[static_cast<std::size_t>(selected_)]->geometry().translated(-pos());
    DrawFocusMark(painter, cell.adjusted(kCellFocusMarkInset, kCellFocusMarkInset,
                                         -kCellFocusMarkInset, -kCellFocusMarkInset),
                  cells_[static_cast<std::size_t>(selected_)]->colourScheme());
}

void DayGrid::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                          (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier);
    if (menuKey && selected_ >= 0) {
        emit menuRequested();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DayGrid::contextMenuEvent(QContextMenuEvent* event) {
    // Shift+F10 and the like; presses of the mouse never reach the grid.
    if (event->reason() == QContextMenuEvent::Keyboard && selected_ >= 0) {
        emit menuRequested();
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

void DayGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    if (QAccessible::isActive() && selected_ >= 0) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        SendCellEvent(focus, selected_);
    }
}

void DayGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

}  // namespace kalendo
