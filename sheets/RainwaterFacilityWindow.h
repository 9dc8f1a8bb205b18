#pragma once
// RainwaterFacilityWindow, the rainwater facility window beside the input sheet: the kind (the
// sewage kinds and the trapezoidal channel), the fields that kind reads (catalogue
// size, material or name, D, H, B, side slope m), gradient, roughness, Manning or
// Kutter, the effective depth, and "計算". Built on the facility windows' base, at
// their place.

#include "engine/Rainwater.h"
#include "sheets/FacilityWindow.h"

#include <QList>

class QComboBox;
class QLabel;
class QRadioButton;

namespace tovarin {

class RainwaterWindows;

class RainwaterFacilityWindow : public FacilityWindowBase {
    Q_OBJECT
public:
    explicit RainwaterFacilityWindow(RainwaterWindows& windows, QWidget* parent = nullptr);

    QComboBox* kindList() const { return kindList_; }
    QComboBox* sizeList() const { return sizeList_; }
    EntryField* material() const { return material_; }
    EntryField* diameter() const { return diameter_; }
    EntryField* height() const { return height_; }
    EntryField* width() const { return width_; }
    EntryField* sideSlope() const { return sideSlope_; }
    EntryField* gradient() const { return gradient_; }
    EntryField* roughness() const { return roughness_; }
    QRadioButton* manning() const { return manning_; }
    QRadioButton* kutter() const { return kutter_; }

    RainwaterFacilityKind kind() const;
    // Chooses a kind as the user does: its fields shown, its depth list on "水深８割",
    // a catalogue pipe's size list and default roughness.
    void chooseKind(RainwaterFacilityKind kind);

    void gather(RainwaterInput& input) const;
    void apply(const RainwaterInput& input);

    QWidget* focusTarget(RainwaterField field) const;

private:
    void fitSizeList();
    void showFieldsOfKind();
    void invalidateResult() override;
    void computeRequested() override;

    RainwaterWindows& windows_;
    QComboBox* kindList_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QComboBox* sizeList_ = nullptr;
    QLabel* materialLabel_ = nullptr;
    EntryField* material_ = nullptr;
    QLabel* diameterLabel_ = nullptr;
    EntryField* diameter_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    EntryField* height_ = nullptr;
    QLabel* widthLabel_ = nullptr;
    EntryField* width_ = nullptr;
    QLabel* slopeLabel_ = nullptr;
    EntryField* sideSlope_ = nullptr;
    QList<QLabel*> metreUnits_; // D, H, B
    EntryField* gradient_ = nullptr;
    EntryField* roughness_ = nullptr;
    QRadioButton* manning_ = nullptr;
    QRadioButton* kutter_ = nullptr;
};

} // namespace tovarin
