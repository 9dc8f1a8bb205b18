#pragma once
// What the three facility windows (standard pipe, other circular pipe, rectangular
// channel) have in common: their place beside the main sheet, the title, the depth
// list, the compute button "計算", and the rule that a click into a field or a choice
// in a list invalidates the result.

#include "engine/Calculation.h"
#include "sheets/EntryField.h"
#include "sheets/WindowPlaces.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace tovarin {

class SewageWindows;

class FacilityWindow : public QWidget {
public:
    // Place and inner size beside the main sheet, in twips.
    static constexpr int leftTwips = windowPlaces::facilityWindow.left;
    static constexpr int topTwips = windowPlaces::facilityWindow.top;
    static constexpr int widthTwips = windowPlaces::facilityWindow.width;
    static constexpr int heightTwips = windowPlaces::facilityWindow.height;

    ~FacilityWindow() override;

    QComboBox* cbo1() const { return cbo1_; }   // effective depth
    QPushButton* cmd1() const { return cmd1_; } // "計算"

    virtual ComputeVariant variant() const = 0;
    // Zairyou_1: the window's entries, as typed or chosen, into a compute request.
    virtual void Zairyou_1(ComputeInput& input) const = 0;
    // Zairyou_2: the section step (depth code, flow area, wetted perimeter).
    virtual void Zairyou_2(CalcSheet& sheet) const = 0;
    // The control of this window that a failed check focuses; null when not here.
    virtual QWidget* focusTarget(FocusTarget target) const = 0;

protected:
    FacilityWindow(SewageWindows& windows, const char* name, QWidget* parent);

    QLabel* addTitle(const char* name, const QString& text, int left, int top);
    // An entry field whose click closes the results and shows the facility notice.
    EntryField* addField(const char* name, EntryField::Input input, int left, int top,
                         int width = 735, int height = 270);
    // The depth list: a choice closes the results, Enter moves on to "計算".
    void addDepthList(int left, int top, int width);
    void fillDepthList(const std::vector<std::string>& texts, int selected);
    void addComputeButton();
    // Enter in the field moves the focus to the next control.
    void chainEnter(EntryField* from, QWidget* to);
    // Closes the results and shows the facility windows' notice.
    void invalidateResult();
    void fillDepthInput(ComputeInput& input) const;

    SewageWindows& windows_;

private:
    QComboBox* cbo1_ = nullptr;
    QPushButton* cmd1_ = nullptr;
};

} // namespace tovarin
