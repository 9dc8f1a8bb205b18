#pragma once
// Form2, the standard pipe window (VP, VU, FRPM and Hume pipes): nominal size,
// gradient, roughness and effective depth. The main sheet's Sentaku fills it for
// the chosen kind.

#include "engine/Catalogue.h"
#include "sheets/FacilityWindow.h"

#include <vector>

class QListWidget;

namespace tovarin {

class Form2 : public FacilityWindow {
    Q_OBJECT
public:
    explicit Form2(SewageWindows& windows, QWidget* parent = nullptr);

    QLabel* Label1() const { return label1_; } // the kind's title
    QLabel* Label6() const { return label6_; } // depth caption
    QListWidget* lst_pu() const { return lst_pu_; }
    EntryField* txt1() const { return txt1_; } // gradient x
    EntryField* txt2() const { return txt2_; } // roughness n

    void setTitle(const QString& title);
    void setDepthCaption(const QString& caption);
    // Replaces the size list with the kind's sizes and chooses the first one.
    void fillSizes(const std::vector<PipeSize>& sizes);

    ComputeVariant variant() const override { return ComputeVariant::StandardPipe; }
    void Zairyou_1(ComputeInput& input) const override;
    // Catalogue diameter and label, depth code, flow area and perimeter.
    void Zairyou_2(CalcSheet& sheet) const override;
    QWidget* focusTarget(FocusTarget target) const override;

private:
    QLabel* label1_ = nullptr;
    QLabel* label6_ = nullptr;
    QListWidget* lst_pu_ = nullptr;
    EntryField* txt1_ = nullptr;
    EntryField* txt2_ = nullptr;
};

} // namespace tovarin
