#include "sheets/AreaTable.h"

#include "engine/RainwaterFields.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyledItemDelegate>

namespace tovarin {

// Hands the table the keys a cell's editor would otherwise take for its own text.
class AreaCellDelegate : public QStyledItemDelegate {
public:
    explicit AreaCellDelegate(AreaTable& table) : QStyledItemDelegate(&table), table_(table) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* editor = qobject_cast<QWidget*>(object);
            if (editor && table_.editorKey(editor, *static_cast<QKeyEvent*>(event)))
                return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    AreaTable& table_;
};

AreaTable::AreaTable(QWidget* parent) : QTableWidget(parent) {
    setItemDelegate(new AreaCellDelegate(*this));
    setTabKeyNavigation(true);
}

bool AreaTable::atLastCell(bool next) const {
    const QModelIndex current = currentIndex();
    if (rowCount() == 0 || !current.isValid())
        return true;
    return next ? current.row() == rowCount() - 1 && current.column() == columnCount() - 1
                : current.row() == 0 && current.column() == 0;
}

bool AreaTable::leaveTable(bool next) {
    // The window's chain of Tab stops, from the table itself.
    return QWidget::focusNextPrevChild(next);
}

bool AreaTable::focusNextPrevChild(bool next) {
    if (atLastCell(next))
        return leaveTable(next);
    return QTableWidget::focusNextPrevChild(next);
}

void AreaTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool leaving =
        (next || hint == QAbstractItemDelegate::EditPreviousItem) && atLastCell(next);
    QTableWidget::closeEditor(editor, leaving ? QAbstractItemDelegate::NoHint : hint);
    if (leaving)
        leaveTable(next);
}

QString AreaTable::selectedCellsText() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty())
        return {};
    int top = rowCount(), bottom = -1, left = columnCount(), right = -1;
    for (const QTableWidgetSelectionRange& range : ranges) {
        top = std::min(top, range.topRow());
        bottom = std::max(bottom, range.bottomRow());
        left = std::min(left, range.leftColumn());
        right = std::max(right, range.rightColumn());
    }
    std::vector<std::vector<std::string>> cells;
    for (int row = top; row <= bottom; ++row) {
        std::vector<std::string>& line = cells.emplace_back();
        for (int column = left; column <= right; ++column) {
            const QTableWidgetItem* cell = item(row, column);
            line.push_back(cell ? cell->text().toStdString() : std::string());
        }
    }
    return QString::fromStdString(tabSeparatedCells(cells));
}

bool AreaTable::editorKey(QWidget* editor, const QKeyEvent& key) {
    const bool pasteRows =
        key.matches(QKeySequence::Paste) && paste_ &&
        QApplication::clipboard()->text().contains(QRegularExpression(QStringLiteral("[\t\n]")));
    const bool selectTable = key.matches(QKeySequence::SelectAll);
    if (!pasteRows && !selectTable)
        return false;
    // The cell's own text is left as it was; the whole table answers the key.
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    setFocus(Qt::OtherFocusReason);
    if (pasteRows)
        paste_(QApplication::clipboard()->text());
    else
        selectAll();
    return true;
}

void AreaTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && paste_) {
        paste_(QApplication::clipboard()->text());
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedCellsText());
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        const bool back =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        leaveTable(!back);
        return;
    }
    QTableWidget::keyPressEvent(event);
}

} // namespace tovarin
