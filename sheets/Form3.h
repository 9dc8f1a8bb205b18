#pragma once
// Form3, the planned sewage dialog: land use and the four inputs from which the
// planned flow Q1 is computed (Keisan). Shown modally by the main sheet's "計算する";
// "ＯＫ" hides it and keeps its entries, "キャンセル" and the close box discard it.

#include "engine/Calculation.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace tovarin {

class EntryField;
class SheetHost;

class Form3 : public QDialog {
    Q_OBJECT
public:
    // A fresh dialog: no land use chosen, the four fields empty.
    Form3(SheetHost& host, QWidget* parent = nullptr);
    ~Form3() override;

    static constexpr int widthTwips = 5595;
    static constexpr int heightTwips = 3615;

    // opt1 "住宅地", opt2 "住宅地以外（1）", opt3 "住宅地以外（2）".
    QRadioButton* opt(int number) const;
    EntryField* txt_p() const { return txt_p_; }   // population P
    EntryField* txt_q1() const { return txt_q1_; } // sewage per capita q1
    EntryField* txt_a() const { return txt_a_; }   // drainage area A
    EntryField* txt_q2() const { return txt_q2_; } // sewage per hectare q2
    QPushButton* cmd1() const { return cmd1_; }    // ＯＫ
    QPushButton* cmd2() const { return cmd2_; }    // キャンセル
    // The labels lbl1 .. lbl12 of the two input frames.
    QLabel* lbl(int number) const;

    LandUse landUse() const;
    // Chooses a land use as a click would: empties the four fields, then enables the
    // rows the land use needs. None clears the choice without a handler.
    void selectLandUse(LandUse landUse);
    // The dialog's entries as the engine reads them.
    PlannedSewageInput input() const;
    // Stores the four numbers and the planned flow Q1 in the calculation document.
    void Keisan();
    // Back to the entries of a dialog just created (no land use, the four fields
    // empty and enabled), without building it anew.
    void startAfresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLandUseFrame();
    void buildPerCapitaFrame();
    void buildAreaFrame();
    void connectEnterChain();
    void landUseChosen();
    void setRowsEnabled(bool perCapita, bool area);
    void ok();
    EntryField* fieldOf(PlannedSewageField field) const;

    SheetHost& host_;
    QRadioButton* opt_[4] = {}; // opt_[1] .. opt_[3]
    EntryField* txt_p_ = nullptr;
    EntryField* txt_q1_ = nullptr;
    EntryField* txt_a_ = nullptr;
    EntryField* txt_q2_ = nullptr;
    QLabel* lbl_[13] = {}; // lbl_[1] .. lbl_[12]
    QPushButton* cmd1_ = nullptr;
    QPushButton* cmd2_ = nullptr;
};

} // namespace tovarin
