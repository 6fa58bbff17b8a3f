#include "ui/qt/month_accessible.h"

#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QMenu>
#include <QPointer>

#include <array>

#include "ui/qt/day_cell_widget.h"
#include "ui/qt/day_grid.h"
#include "ui/qt/month_view.h"

namespace kalendo {
namespace {

class DayGridAccessible;

// One day of the grid. It has no widget of its own: the DayCellWidget
// draws it, the grid answers for it.
class DayCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    DayCellAccessible(DayGrid* grid, int index) : grid_(grid), index_(index) {}

    bool isValid() const override { return !grid_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return grid_ ? grid_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!grid_ || t != QAccessible::Name) return {};
        return grid_->CellName(index_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!grid_) return {};
        const DayCellWidget* cell = grid_->cell(index_);
        return QRect(cell->mapToGlobal(QPoint(0, 0)), cell->size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!grid_) return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = isSelected();
        s.focused = s.selected && grid_->hasFocus();
        s.invisible = !grid_->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        return nullptr;
    }

    bool isSelected() const override { return grid_ && grid_->selected() == index_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % kGridColumns; }
    int rowIndex() const override { return index_ / kGridColumns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<DayGrid> grid_;
    int index_;
};

// The grid: a table of 6 rows of 7 days, named after the month it shows.
class DayGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit DayGridAccessible(DayGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

    ~DayGridAccessible() override {
        for (const QAccessible::Id id : cellIds_) {
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
        }
    }

    DayGrid* grid() const { return static_cast<DayGrid*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return grid()->Name();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return kGridCells; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= kGridCells) return nullptr;
        QAccessible::Id& id = cellIds_[static_cast<std::size_t>(index)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new DayCellAccessible(grid(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int k = 0; k < kGridCells; ++k) {
            if (cellIds_[static_cast<std::size_t>(k)] != 0 && this->child(k) == child) return k;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int k = 0; k < kGridCells; ++k) {
            if (child(k)->rect().contains(x, y)) return child(k);
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return grid()->hasFocus() && grid()->selected() >= 0 ? child(grid()->selected()) : nullptr;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns) return nullptr;
        return child(row * kGridColumns + column);
    }
    int selectedCellCount() const override { return grid()->selected() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        if (grid()->selected() < 0) return {};
        return {child(grid()->selected())};
    }
    QString columnDescription(int column) const override {
        return grid()->ColumnName(column);
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kGridColumns; }
    int rowCount() const override { return kGridRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // A day is chosen with the keys or the mouse, as a sighted user does.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::array<QAccessible::Id, kGridCells> cellIds_{};
};

// The view without its 42 day cell widgets: the grid's table holds the
// days, and the cells' own widgets would be 42 silent fillers beside it.
class MonthViewAccessible : public QAccessibleWidget {
public:
    explicit MonthViewAccessible(QWidget* view) : QAccessibleWidget(view, QAccessible::Pane) {}

    int childCount() const override { return static_cast<int>(Children().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || !child->object()) return -1;
        return static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    // As QAccessibleWidget lists a widget's children, less the day cells.
    QList<QWidget*> Children() const {
        QList<QWidget*> list;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w == nullptr || w->isWindow() || qobject_cast<QFocusFrame*>(w) != nullptr ||
                qobject_cast<QMenu*>(w) != nullptr) {
                continue;
            }
            if (const auto* cell = qobject_cast<DayCellWidget*>(w); cell != nullptr && cell->index() >= 0) {
                continue;
            }
            list.append(w);
        }
        return list;
    }
};

QAccessibleInterface* MonthInterfaceFactory(const QString& className, QObject* object) {
    // Qt asks for each class of the object's hierarchy; answer for the
    // object's own class only.
    if (className == QLatin1String(DayGrid::staticMetaObject.className())) {
        if (auto* grid = qobject_cast<DayGrid*>(object)) return new DayGridAccessible(grid);
    }
    if (className == QLatin1String(MonthView::staticMetaObject.className())) {
        if (auto* view = qobject_cast<MonthView*>(object)) return new MonthViewAccessible(view);
    }
    return nullptr;
}

}  // namespace

void InstallMonthAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MonthInterfaceFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace kalendo
