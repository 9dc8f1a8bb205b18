#pragma once
// RainwaterInputSheet, the rainwater input sheet: the catchment area table (land use, area in
// ha, runoff coefficient C) with ΣA and the weighted C kept up to date as the user
// types, and the rainfall intensity: its form, the constants, the inlet time t1 and
// the flow length L.

#include "engine/Rainwater.h"
#include "sheets/AreaTable.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tovarin {

class EntryField;
class RainwaterWindows;

class RainwaterInputSheet : public QWidget {
    Q_OBJECT
public:
    explicit RainwaterInputSheet(RainwaterWindows& windows, QWidget* parent = nullptr);
    ~RainwaterInputSheet() override;

    // Area table columns.
    static constexpr int nameColumn = 0;
    static constexpr int areaColumn = 1;
    static constexpr int runoffColumn = 2;

    QTableWidget* areaTable() const { return areaTable_; }
    QComboBox* landUseList() const { return landUseList_; } // presets, then 自由入力
    QPushButton* addRowButton() const { return addRow_; }
    QPushButton* removeRowButton() const { return removeRow_; }
    QLabel* totalArea() const { return totalArea_; }           // ΣA
    QLabel* weightedRunoff() const { return weightedRunoff_; } // C
    QComboBox* intensityFormList() const { return formList_; }
    QLabel* formulaLabel() const { return formula_; }
    EntryField* constantA() const { return constantA_; }
    EntryField* constantB() const { return constantB_; }
    EntryField* constantN() const { return constantN_; }
    EntryField* directIntensity() const { return directIntensity_; }
    EntryField* inletTime() const { return inletTime_; }
    EntryField* flowLength() const { return flowLength_; }

    // Adds a row at the end: a preset's land use and its starting C, or (position
    // past the presets) an empty row for a free name. Returns the new row.
    int addArea(int presetPosition);
    // Adds a row with the texts as given (the document reader).
    int addArea(const CatchmentArea& area);
    // Removes the current row (the last when none is current).
    void removeArea();
    // Rows copied from a spreadsheet (tab-separated), from the current cell on, rows
    // added as needed; a bad number is refused with its cell named, nothing pasted.
    void pasteRows(const QString& text);

    // The table's rows and the intensity entries into / from an input.
    void gather(RainwaterInput& input) const;
    void apply(const RainwaterInput& input);

    // The control of a refused field; for the table, the cell is made current.
    QWidget* focusTarget(RainwaterField field, int row, AreaColumn column) const;

private:
    void buildAreaGroup();
    void buildIntensityGroup();
    void connectHandlers();
    void showFieldsOfForm();
    void updateTotals();
    void setAreaRow(int row, const CatchmentArea& area);
    void invalidateResult();
    IntensityForm currentForm() const;

    RainwaterWindows& windows_;
    AreaTable* areaTable_ = nullptr;
    QComboBox* landUseList_ = nullptr;
    QPushButton* addRow_ = nullptr;
    QPushButton* removeRow_ = nullptr;
    QLabel* totalArea_ = nullptr;
    QLabel* weightedRunoff_ = nullptr;
    QComboBox* formList_ = nullptr;
    QLabel* formula_ = nullptr;
    QLabel* labelA_ = nullptr;
    QLabel* labelB_ = nullptr;
    QLabel* labelN_ = nullptr;
    QLabel* labelI_ = nullptr;
    QLabel* unitI_ = nullptr;
    QLabel* labelT1_ = nullptr;
    QLabel* unitT1_ = nullptr;
    QLabel* labelL_ = nullptr;
    QLabel* unitL_ = nullptr;
    QLabel* timeNote_ = nullptr;
    EntryField* constantA_ = nullptr;
    EntryField* constantB_ = nullptr;
    EntryField* constantN_ = nullptr;
    EntryField* directIntensity_ = nullptr;
    EntryField* inletTime_ = nullptr;
    EntryField* flowLength_ = nullptr;
};

} // namespace tovarin
