#include "sheets/Form5.h"

#include "engine/Catalogue.h"
#include "sheets/Controls.h"
#include "sheets/SectionSketch.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tovarin {

Form5::Form5(SewageWindows& windows, QWidget* parent) : FacilityWindow(windows, "Form5", parent) {
    addFrame(this, "FrameInputs", 240, 1740, 4260, 1620);
    addTitle("Label8", QStringLiteral("円　形　管"), 180, 240);
    addLabel(this, "Label7", QStringLiteral("管の材料・名称"), 1980, 480);
    txt_m_ = addField("txt_m", EntryField::Input::Japanese, 1980, 720, 1575);
    auto* circle = new SectionSketch(SectionSketch::Shape::Circle, this);
    placeTwips(circle, 420, 840, 735, 735);
    addLabel(this, "Label1", QStringLiteral("直径 Ｄ＝"), 1980, 1380);
    txt1_ = addField("txt1", EntryField::Input::Numeric, 2820, 1320);
    addUnitLabel(this, "Label2", QStringLiteral("m"), 3600, 1380);
    addLabel(this, "Label5", QStringLiteral("施設の勾配 x/1000"), 900, 1920);
    addLabel(this, "Label9", QStringLiteral("x＝"), 2520, 1920);
    txt2_ = addField("txt2", EntryField::Input::Numeric, 2820, 1860);
    addLabel(this, "Label6", QStringLiteral("粗度係数"), 1680, 2460);
    addLabel(this, "Label19", QStringLiteral("n＝"), 2520, 2460);
    txt3_ = addField("txt3", EntryField::Input::Numeric, 2820, 2400);
    addLabel(this, "Label4", QStringLiteral("有効水深 水量"), 1020, 3000);
    addDepthList(2280, 2940, 1575);
    addComputeButton();

    chainEnter(txt_m_, txt1_);
    chainEnter(txt1_, txt2_);
    chainEnter(txt2_, txt3_);
    chainEnter(txt3_, cbo1());
    QWidget::setTabOrder(txt_m_, txt1_);
    QWidget::setTabOrder(txt1_, txt2_);
    QWidget::setTabOrder(txt2_, txt3_);
    QWidget::setTabOrder(txt3_, cbo1());
    QWidget::setTabOrder(cbo1(), cmd1());

    fillDepthList(DepthRatioTable::circularTexts(), DepthRatioTable::circularDefaultPosition);
}

void Form5::Zairyou_1(ComputeInput& input) const {
    input.materialText = txt_m_->text().toStdString();
    input.diameterText = txt1_->text().toStdString();
    input.gradientText = txt2_->text().toStdString();
    input.roughnessText = txt3_->text().toStdString();
    fillDepthInput(input);
}

void Form5::Zairyou_2(CalcSheet& sheet) const {
    if (const auto code = DepthRatioTable::circularCode(sheet.depthChoice))
        sheet.depthRatio = *code;
    computeCircularSection(sheet);
}

QWidget* Form5::focusTarget(FocusTarget target) const {
    switch (target) {
    case FocusTarget::DiameterField:
        return txt1_;
    case FocusTarget::GradientField:
        return txt2_;
    case FocusTarget::RoughnessField:
        return txt3_;
    case FocusTarget::DepthList:
        return cbo1();
    default:
        return nullptr;
    }
}

} // namespace tovarin
