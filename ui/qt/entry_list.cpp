#include "ui/qt/entry_list.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QStyledItemDelegate>

#include "ui/qt/focus_mark.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

// A selected row takes the model's selection colours whatever its kind's
// text colour and the item's own background.
class SelectedRowDelegate : public QStyledItemDelegate {
public:
    SelectedRowDelegate(const ColourScheme& scheme, QObject* parent) : QStyledItemDelegate(parent), scheme_(scheme) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(option->state & QStyle::State_Selected)) return;
        const QColor text = ToQColor(SchemeColour(ColourRole::SelectedRowText, scheme_));
        const QColor background = ToQColor(SchemeColour(ColourRole::SelectedRowBackground, scheme_));
        option->palette.setColor(QPalette::Text, text);
        option->palette.setColor(QPalette::HighlightedText, text);
        option->palette.setColor(QPalette::Highlight, background);
        option->backgroundBrush = background;
    }

private:
    const ColourScheme& scheme_;  // the list's
};

// The list's palette in every colour group: the set's ground, text, header
// and selection, whatever the desktop's (a light list inside a dark
// desktop's frame, or the other way round, keeps its own header).
QPalette ListPalette(QPalette pal, ColourScheme scheme) {
    const auto colour = [scheme](ColourRole role) { return ToQColor(SchemeColour(role, scheme)); };
    const QColor text = colour(ColourRole::ListText), header = colour(ColourRole::ListHeaderBackground);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive,
                                             QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, colour(ColourRole::ListBackground));
        pal.setColor(group, QPalette::AlternateBase, colour(ColourRole::ListBackground));
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::WindowText, text);
        pal.setColor(group, QPalette::ButtonText, text);
        pal.setColor(group, QPalette::Button, header);
        pal.setColor(group, QPalette::Window, header);
        pal.setColor(group, QPalette::Highlight, colour(ColourRole::SelectedRowBackground));
        pal.setColor(group, QPalette::HighlightedText, colour(ColourRole::SelectedRowText));
    }
    return pal;
}

}  // namespace

EntryList::EntryList(bool withDayColumn, QWidget* parent)
    : QTreeWidget(parent), withDayColumn_(withDayColumn) {
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The last column takes what the others leave, with or without the
    // scroll bar: the heading spans the whole list.
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignCenter);
    setPalette(ListPalette(palette(), scheme_));
    header()->setPalette(ListPalette(header()->palette(), scheme_));
    setItemDelegate(new SelectedRowDelegate(scheme_, this));
    setColumnCount(withDayColumn ? 2 : 1);

    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { emit rowDoubleClicked(); });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        emit rightClicked(viewport()->mapToGlobal(pos));
    });
}

void EntryList::SetColumns(const std::vector<std::string>& headings,
                           const std::vector<int>& widths) {
    QStringList labels;
    for (const std::string& h : headings) labels << ToQt(h);
    setColumnCount(static_cast<int>(labels.size()));
    setHeaderLabels(labels);
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) setColumnWidth(c, widths[c]);
}

void EntryList::SetRows(const std::vector<ListRow>& rows) {
    // Rebuilt in full, as every refresh does: the selection goes with it.
    rows_ = rows;
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    const QColor itemBackground = ToQColor(SchemeColour(ColourRole::ListRowBackground, scheme_));
    for (const ListRow& row : rows) {
        auto* item = new QTreeWidgetItem;
        // The first column of a report list is left-aligned; the schedule
        // list's text column is centred under its heading.
        if (withDayColumn_) {
            item->setText(0, ToQt(row.dayText));
            item->setText(1, ToQt(row.text));
            item->setTextAlignment(1, Qt::AlignCenter);
        } else {
            item->setText(0, ToQt(row.text));
        }
        const std::optional<ColourRole> colour = RowTextRole(row.kind);
        for (int c = 0; c < columnCount(); ++c) {
            if (colour) item->setForeground(c, ToQColor(SchemeColour(*colour, scheme_)));
            item->setBackground(c, itemBackground);
        }
        items.append(item);
    }
    addTopLevelItems(items);
}

void EntryList::SetColourScheme(ColourScheme scheme) {
    if (scheme == scheme_) return;
    scheme_ = scheme;
    setPalette(ListPalette(palette(), scheme_));
    header()->setPalette(ListPalette(header()->palette(), scheme_));
    // The rows carry their colours: drawn again, with the selection kept.
    const int selected = SelectionMark();
    SetRows(std::vector<ListRow>(rows_));
    if (selected >= 0) topLevelItem(selected)->setSelected(true);
}

int EntryList::SelectionMark() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) return -1;
    return indexOfTopLevelItem(selected.front());
}

int EntryList::InnerWidth() const { return contentsRect().width(); }

void EntryList::paintEvent(QPaintEvent* event) {
    QTreeWidget::paintEvent(event);
    // The list's own colours leave the style's focus frame out; an empty
    // list would show none at all.
    if (!hasFocus()) return;
    QPainter painter(viewport());
    DrawFocusMark(painter, viewport()->rect(), scheme_);
}

void EntryList::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (SelectionMark() >= 0) emit rowDoubleClicked();
        event->accept();
        return;
    }
    if ((key == Qt::Key_Menu && mods == Qt::NoModifier) ||
        (key == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        emit rightClicked(RowMenuPlace());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void EntryList::contextMenuEvent(QContextMenuEvent* event) {
    // The Menu key arrives as a context-menu request of its own: the menu
    // opens at the row, not at a corner of the list.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        emit rightClicked(RowMenuPlace());
        event->accept();
        return;
    }
    QTreeWidget::contextMenuEvent(event);
}

QPoint EntryList::RowMenuPlace() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    const QRect row = selected.isEmpty() ? QRect() : visualItemRect(selected.front());
    return viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint(0, 0));
}

void EntryList::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    const bool byTab = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab && SelectionMark() < 0 && topLevelItemCount() > 0) {
        setCurrentItem(topLevelItem(0));
        topLevelItem(0)->setSelected(true);
    }
    viewport()->update();
}

void EntryList::focusOutEvent(QFocusEvent* event) {
    QTreeWidget::focusOutEvent(event);
    viewport()->update();
}

}  // namespace kalendo
