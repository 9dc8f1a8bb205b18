#pragma once
// Form5, the other-circular window: a circular pipe of any internal diameter, with
// its material or name, gradient, roughness and effective depth.

#include "sheets/FacilityWindow.h"

namespace tovarin {

class Form5 : public FacilityWindow {
    Q_OBJECT
public:
    // A fresh window: empty fields and the depth list on "水深８割" (a choice that
    // invalidates the result).
    explicit Form5(SewageWindows& windows, QWidget* parent = nullptr);

    EntryField* txt_m() const { return txt_m_; } // material or name
    EntryField* txt1() const { return txt1_; }   // diameter D
    EntryField* txt2() const { return txt2_; }   // gradient x
    EntryField* txt3() const { return txt3_; }   // roughness n

    ComputeVariant variant() const override { return ComputeVariant::OtherCircular; }
    void Zairyou_1(ComputeInput& input) const override;
    void Zairyou_2(CalcSheet& sheet) const override;
    QWidget* focusTarget(FocusTarget target) const override;

private:
    EntryField* txt_m_ = nullptr;
    EntryField* txt1_ = nullptr;
    EntryField* txt2_ = nullptr;
    EntryField* txt3_ = nullptr;
};

} // namespace tovarin
