#pragma once
// The rainwater input sheet's area table, as a spreadsheet user expects it: Tab moves
// from cell to cell and leaves the table after its last cell (Shift+Tab before its
// first; Ctrl+Tab leaves it at once: in the main window's document area it goes on to
// the next window, elsewhere to the next field), Ctrl+V pastes rows copied
// from a spreadsheet from the current cell on (also while a cell is being edited),
// and Ctrl+C copies the selected cells (Ctrl+A selects them all) tab-separated.

#include <QTableWidget>

#include <functional>

namespace tovarin {

class AreaTable : public QTableWidget {
    Q_OBJECT
public:
    explicit AreaTable(QWidget* parent = nullptr);

    // What Ctrl+V does with text of more than one cell: the sheet pastes the rows.
    void setPaste(std::function<void(const QString&)> paste) { paste_ = std::move(paste); }
    // The selected cells (their bounding rows and columns) as tab-separated lines.
    QString selectedCellsText() const;

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class AreaCellDelegate;
    // Ctrl+V, Ctrl+A and Ctrl+C while a cell's editor is open; true when taken.
    bool editorKey(QWidget* editor, const QKeyEvent& key);
    bool atLastCell(bool next) const;
    bool leaveTable(bool next);

    std::function<void(const QString&)> paste_;
};

} // namespace tovarin
