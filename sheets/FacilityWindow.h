#pragma once
// The facility windows of both documents. FacilityWindowBase is what they all share:
// the window at its place beside the input sheet in the windows' font, the dark-green
// title, entry fields and the rule of what invalidates the result, Enter moving on to
// the next field, the Manning and Kutter options, the depth list and the compute
// button "計算". FacilityWindow is the sewage document's (standard pipe, other
// circular pipe, rectangular channel); the rainwater window is built on the base too.

#include "engine/Calculation.h"
#include "sheets/EntryField.h"
#include "sheets/WindowPlaces.h"

#include <QList>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tovarin {

class SewageWindows;

class FacilityWindowBase : public QWidget {
public:
    // What closes the result of the document.
    enum class Invalidation {
        // A click into an entry field, or any change of the depth list.
        ClickOrAnyChange,
        // Typing in an entry field, or a choice of the user's in a list or option.
        EditOrChoice,
    };

    ~FacilityWindowBase() override;

    QComboBox* depthList() const { return depthList_; }
    QPushButton* computeButton() const { return compute_; } // "計算"

protected:
    FacilityWindowBase(const char* name, Invalidation invalidation, QWidget* parent);

    // Closes the document's results and shows its notice in the status bar.
    virtual void invalidateResult() = 0;
    // "計算" was pressed.
    virtual void computeRequested() = 0;

    QLabel* addTitle(const char* name, const QString& text, int left, int top);
    // An entry field whose click or edit (as the window's rule says) invalidates the result.
    EntryField* addField(const char* name, EntryField::Input input, int left, int top,
                         int width = 735, int height = 270);
    // The depth list: a choice invalidates the result, Enter moves on to "計算".
    void addDepthList(const char* name, int left, int top, int width);
    void fillDepthList(const std::vector<std::string>& texts, int selected);
    // "計算" at the foot of the window.
    void addComputeButton(const char* name);
    // "マニング公式" and "クッター公式" side by side, Manning chosen; a click invalidates
    // the result.
    std::pair<QRadioButton*, QRadioButton*> addFormulaOptions(const char* manningName,
                                                              const char* kutterName, int top);
    // Enter in the field moves the focus to the next control.
    void chainEnter(EntryField* from, QWidget* to);
    // Tab follows the controls in this order; Enter in an entry field among them moves on
    // to the next one that is shown and enabled, its whole text selected.
    void followInOrder(const QList<QWidget*>& order);

private:
    Invalidation invalidation_;
    QComboBox* depthList_ = nullptr;
    QPushButton* compute_ = nullptr;
};

class FacilityWindow : public FacilityWindowBase {
public:
    // Place and inner size beside the main sheet, in twips.
    static constexpr int leftTwips = windowPlaces::facilityWindow.left;
    static constexpr int topTwips = windowPlaces::facilityWindow.top;

    QComboBox* cbo1() const { return depthList(); }       // effective depth
    QPushButton* cmd1() const { return computeButton(); } // "計算"

    virtual ComputeVariant variant() const = 0;
    // Zairyou_1: the window's entries, as typed or chosen, into a compute request.
    virtual void Zairyou_1(ComputeInput& input) const = 0;
    // Zairyou_2: the section step (depth code, flow area, wetted perimeter).
    virtual void Zairyou_2(CalcSheet& sheet) const = 0;
    // The control of this window that a failed check focuses; null when not here.
    virtual QWidget* focusTarget(FocusTarget target) const = 0;

protected:
    FacilityWindow(SewageWindows& windows, const char* name, QWidget* parent);

    // The sewage windows' depth list "cbo1" and compute button "cmd1".
    void addDepthList(int left, int top, int width);
    void addComputeButton();
    // Closes the results and shows the facility windows' notice.
    void invalidateResult() override;
    void computeRequested() override;
    void fillDepthInput(ComputeInput& input) const;

    SewageWindows& windows_;
};

} // namespace tovarin
