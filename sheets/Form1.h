#pragma once
// Form1, the main input sheet: planned flow, groundwater, allowance, velocity
// formula, facility kind and margin check of one calculation.

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tovarin {

class EntryField;
class SewageWindows;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // The sheet's own initialisation: both lists filled, "１００％" chosen, the margin
    // check on "しない", every other option pair and the facility kind unselected.
    explicit Form1(SewageWindows& windows, QWidget* parent = nullptr);
    ~Form1() override;

    // Size of the sheet in twips.
    static constexpr int widthTwips = 6165;
    static constexpr int heightTwips = 5115;

    // Controls, by their names on the sheet.
    EntryField* txt1() const { return txt1_; } // allowance, percent
    EntryField* txt2() const { return txt2_; } // groundwater rate, percent
    EntryField* txt3() const { return txt3_; } // planned flow Q1
    // opt1 Manning, opt2 Kutter, opt3/opt4 groundwater 無し/有り, opt5/opt6 allowance
    // 無し/有り, opt7/opt8 computed/direct planned flow, opt9/opt10 margin しない/する.
    QRadioButton* opt(int number) const;
    QListWidget* lst_s() const { return lst_s_; }
    QComboBox* cob1() const { return cob1_; }
    QPushButton* cmd1() const { return cmd1_; } // 計算する
    QPushButton* cmd2() const { return cmd2_; } // 直接入力
    QLabel* lbl1() const { return lbl1_; }      // ％増し
    QLabel* lbl2() const { return lbl2_; }      // ％
    QLabel* lbl4() const { return lbl4_; }      // 余裕率

    // Applies the facility kind chosen in lst_s: opens its window, closes the others.
    void Sentaku();
    // Fills the depth list of the standard pipe window and chooses "水深８割".
    void Suisin_a();

    // Direct entry of the planned flow: opt8 selected and txt3 with its single border.
    void showDirectEntry();
    // "計算する" shows txt3 without a border.
    bool plannedFlowHasBorder() const;

private:
    void buildPlannedFlowGroup();
    void buildGroundwaterGroup();
    void buildAllowanceGroup();
    void buildFormulaGroup();
    void buildFacilityGroup();
    void buildMarginGroup();
    void buildTabOrder();
    void connectHandlers();
    void connectEnterChain();

    // Handlers
    void computePlannedFlow();       // cmd1 "計算する"
    void enterPlannedFlowDirectly(); // cmd2 "直接入力"
    void plannedFlowClicked();
    void groundwaterOff();
    void groundwaterOn();
    void allowanceOff();
    void allowanceOn();
    void marginOff();
    void marginOn();
    void facilityKindEnter();

    // Closes the results and shows the main sheet's notice.
    void invalidateResult();
    void closeResults();

    SewageWindows& windows_;
    EntryField* txt1_ = nullptr;
    EntryField* txt2_ = nullptr;
    EntryField* txt3_ = nullptr;
    QRadioButton* opt_[11] = {}; // opt_[1] .. opt_[10]
    QButtonGroup* groups_[5] = {};
    QListWidget* lst_s_ = nullptr;
    QComboBox* cob1_ = nullptr;
    QPushButton* cmd1_ = nullptr;
    QPushButton* cmd2_ = nullptr;
    QLabel* lbl1_ = nullptr;
    QLabel* lbl2_ = nullptr;
    QLabel* lbl4_ = nullptr;
};

} // namespace tovarin
