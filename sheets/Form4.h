#pragma once
// Form4, the rectangular window: a rectangular channel by its inside height and
// width, with its material or name, gradient, roughness and effective depth.

#include "sheets/FacilityWindow.h"

namespace tovarin {

class Form4 : public FacilityWindow {
    Q_OBJECT
public:
    // A fresh window: empty fields (no default roughness) and the depth list on
    // "水深８割" (a choice that invalidates the result).
    explicit Form4(SewageWindows& windows, QWidget* parent = nullptr);

    EntryField* txt_m() const { return txt_m_; } // material or name
    EntryField* txt1() const { return txt1_; }   // height H
    EntryField* txt2() const { return txt2_; }   // width B
    EntryField* txt3() const { return txt3_; }   // gradient x
    EntryField* txt4() const { return txt4_; }   // roughness n

    ComputeVariant variant() const override { return ComputeVariant::Rectangular; }
    void Zairyou_1(ComputeInput& input) const override;
    void Zairyou_2(CalcSheet& sheet) const override;
    QWidget* focusTarget(FocusTarget target) const override;

private:
    EntryField* txt_m_ = nullptr;
    EntryField* txt1_ = nullptr;
    EntryField* txt2_ = nullptr;
    EntryField* txt3_ = nullptr;
    EntryField* txt4_ = nullptr;
};

} // namespace tovarin
