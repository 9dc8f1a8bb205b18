#pragma once
// The drainage network document's window: the network's keys on top (rainwater: the
// intensity form, its constants and t1; sewage: q1, 地下水, 余裕; both: 最小土被り)
// and a table below, one row per section: the inputs on the left, the computed
// figures read-only on the right, NG and every 注意 in the warning colour. The 面積
// cell opens the rainwater input sheet's area table for its row, the 施設 cell the
// rainwater facility window; what they hold comes back into the row when they close
// or when the network is computed or saved. The calculation runs here, and its result
// lives here while the table shows it.

#include "engine/Network.h"
#include "engine/NetworkLevels.h"
#include "sheets/RainwaterWindows.h"
#include "sheets/SheetHost.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tovarin {

class EntryField;
class NetworkProfileView;

class NetworkWindows;

class NetworkSheet : public QWidget {
    Q_OBJECT
public:
    NetworkSheet(NetworkWindows& windows, NetworkKind kind, QWidget* parent = nullptr);
    ~NetworkSheet() override;

    NetworkKind kind() const { return kind_; }
    QTableWidget* table() const { return table_; }
    QComboBox* intensityFormList() const { return formList_; }
    EntryField* constantA() const { return constantA_; }
    EntryField* constantB() const { return constantB_; }
    EntryField* constantN() const { return constantN_; }
    EntryField* directIntensity() const { return directIntensity_; }
    EntryField* inletTime() const { return inletTime_; }
    EntryField* perCapita() const { return perCapita_; }
    EntryField* groundwater() const { return groundwater_; }
    EntryField* allowance() const { return allowance_; }
    EntryField* minimumCover() const { return minimumCover_; }
    QPushButton* addRowButton() const { return addRow_; }
    QPushButton* removeRowButton() const { return removeRow_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }
    QPushButton* computeButton() const { return compute_; }
    QComboBox* headList() const { return headList_; } // the profile's head section
    NetworkProfileView* profileView() const { return profile_; }

    // The input columns, by what they hold; -1 where the kind has none.
    struct Columns {
        int name = 0, upper = 1, lower = 2, length = 3;
        int area = -1, population = -1, sewageFlow = -1;
        int facility = 0, groundUpper = 0, groundLower = 0, invert = 0, wall = 0;
        int firstResult = 0; // the computed columns start here
    };
    const Columns& columns() const { return columns_; }
    int inputColumnCount() const { return columns_.firstResult; }

    void apply(const NetworkInput& input);
    NetworkInput gathered() const;

    // Adds an empty row after the current one (at the end without one); returns it.
    int addSection();
    void removeSection();
    // Moves the current row up or down one place.
    void moveSection(int step);

    // The section data behind a row's 面積 and 施設 cells.
    const NetworkSection& sectionData(int row) const { return rows_.at(row); }
    void setSectionData(int row, const NetworkSection& section);

    // Fills the input columns from the current cell with tab-separated rows (as a
    // spreadsheet copies them), adding rows as needed. Refused as a whole (nothing
    // changed) with the message and the cell it is about.
    struct PasteRefusal {
        QString message;
        int row = 0;
        int column = 0;
    };
    std::optional<PasteRefusal> paste(const QString& text);
    // The selected cells (the whole table with its header when nothing is selected),
    // tab-separated, one line a row.
    QString copiedText() const;

    // The computed figures into the table's right-hand columns (cleared without one).
    void showResult(const NetworkResult* result, const NetworkLevels* levels);
    // The cell of a refused field made current, the table focused (or the key field).
    void focusRefusal(const NetworkRefusal& refusal);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildKeys();
    void buildTable();
    void buildButtons();
    void showFieldsOfForm();
    void refreshCompoundCells(int row);
    void setRowTexts(int row, const NetworkSection& section);
    void cellChosen(int row, int column);
    void moveOnFromCell();
    void invalidate();
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString& text, bool editable);

    NetworkWindows& windows_;
    NetworkKind kind_;
    Columns columns_;
    std::vector<NetworkSection> rows_; // areas and facility of each row
    QTableWidget* table_ = nullptr;
    QComboBox* formList_ = nullptr;
    QList<QWidget*> intensityOnly_; // hidden with 直接
    QList<QWidget*> directOnly_;    // shown with 直接
    QList<QWidget*> constantB_s_;
    QList<QWidget*> constantN_s_;
    EntryField* constantA_ = nullptr;
    EntryField* constantB_ = nullptr;
    EntryField* constantN_ = nullptr;
    EntryField* directIntensity_ = nullptr;
    EntryField* inletTime_ = nullptr;
    EntryField* perCapita_ = nullptr;
    EntryField* groundwater_ = nullptr;
    EntryField* allowance_ = nullptr;
    EntryField* minimumCover_ = nullptr;
    QPushButton* addRow_ = nullptr;
    QPushButton* removeRow_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* compute_ = nullptr;
    QComboBox* headList_ = nullptr;
    NetworkProfileView* profile_ = nullptr;
    bool filling_ = false;
};

class NetworkWindows : public QObject {
    Q_OBJECT
public:
    explicit NetworkWindows(SheetHost& host, QObject* parent = nullptr);
    ~NetworkWindows() override;

    SheetHost& host() { return host_; }

    // A new network of a kind: the window with one empty row.
    void newDocument(NetworkKind kind);
    // The window showing the input (the document reader). Nothing is computed.
    void showInput(const NetworkInput& input);
    void closeWindows();
    bool isOpen() const { return sheet_ != nullptr; }

    // Everything the window holds (an open area or facility window's too).
    NetworkInput input();

    // "計算": a refused input shows its message and focuses its cell; a computed one
    // fills the results columns, its first problem in the status line.
    bool compute();
    void clearResult();
    bool hasResult() const { return result_.has_value(); }
    const NetworkResult* result() const { return result_ ? &*result_ : nullptr; }
    const NetworkLevels* levels() const { return levels_ ? &*levels_ : nullptr; }

    // Opens the area table (rainwater) or the facility window for a row; the window it
    // was open for gives its row back first.
    void openAreaEditor(int row);
    void openFacilityEditor(int row);
    RainwaterInputSheet* areaEditor() const { return areaEditor_; }
    RainwaterFacilityWindow* facilityEditor() const { return facilityEditor_; }
    // Takes what the open editors hold into their rows and closes them.
    void takeBackEditors();

    void focusRefusal(const NetworkRefusal& refusal);
    void setDocumentTitle(const QString& path);
    NetworkSheet* sheet() const { return sheet_; }

    // The status line when an input changes.
    static QString notice();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addChild(QWidget* window, int left, int top, int width, int height);
    void takeBack(int row);
    void watchClose(QWidget* editor);
    QString firstProblem() const;

    SheetHost& host_;
    QPointer<NetworkSheet> sheet_;
    // The rainwater windows the editors call back into; never opened themselves, so
    // their own 計算 and results stay out of the network.
    RainwaterWindows editorWindows_;
    QPointer<RainwaterInputSheet> areaEditor_;
    QPointer<RainwaterFacilityWindow> facilityEditor_;
    int editedRow_ = -1;
    std::optional<NetworkResult> result_;
    std::optional<NetworkLevels> levels_;
};

} // namespace tovarin
