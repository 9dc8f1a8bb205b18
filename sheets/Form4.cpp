#include "sheets/Form4.h"

#include "engine/Catalogue.h"
#include "sheets/Controls.h"
#include "sheets/SectionSketch.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tovarin {

Form4::Form4(SewageWindows& windows, QWidget* parent) : FacilityWindow(windows, "Form4", parent) {
    addTitle("Label8", QStringLiteral("矩　形　管"), 180, 240);
    addLabel(this, "Label7", QStringLiteral("管の材料・名称"), 1980, 240);
    txt_m_ = addField("txt_m", EntryField::Input::Japanese, 1980, 480, 1575);
    auto* channel = new SectionSketch(SectionSketch::Shape::Rectangle, this);
    placeTwips(channel, 300, 840, 1380, 1020);
    addLabel(this, "Label11", QStringLiteral("高さ Ｈ＝"), 2100, 1080);
    txt1_ = addField("txt1", EntryField::Input::Numeric, 2820, 1020);
    addUnitLabel(this, "Label12", QStringLiteral("m"), 3600, 1080);
    addLabel(this, "Label1", QStringLiteral("巾 Ｂ＝"), 2220, 1620);
    txt2_ = addField("txt2", EntryField::Input::Numeric, 2820, 1560);
    addUnitLabel(this, "Label2", QStringLiteral("m"), 3600, 1620);
    addLabel(this, "Label5", QStringLiteral("施設の勾配 x/1000"), 900, 2160);
    addLabel(this, "Label9", QStringLiteral("x＝"), 2520, 2160);
    txt3_ = addField("txt3", EntryField::Input::Numeric, 2820, 2100);
    addLabel(this, "Label6", QStringLiteral("粗度係数"), 1680, 2700);
    addLabel(this, "Label19", QStringLiteral("n＝"), 2520, 2700);
    txt4_ = addField("txt4", EntryField::Input::Numeric, 2820, 2640);
    addLabel(this, "Label4", QStringLiteral("有効水深"), 1470, 3180);
    addDepthList(2280, 3120, 1305);
    addComputeButton();

    chainEnter(txt_m_, txt1_);
    chainEnter(txt1_, txt2_);
    chainEnter(txt2_, txt3_);
    chainEnter(txt3_, txt4_);
    chainEnter(txt4_, cbo1());
    QWidget::setTabOrder(txt_m_, txt1_);
    QWidget::setTabOrder(txt1_, txt2_);
    QWidget::setTabOrder(txt2_, txt3_);
    QWidget::setTabOrder(txt3_, txt4_);
    QWidget::setTabOrder(txt4_, cbo1());
    QWidget::setTabOrder(cbo1(), cmd1());

    fillDepthList(DepthRatioTable::rectangularTexts(), DepthRatioTable::rectangularDefaultPosition);
}

void Form4::Zairyou_1(ComputeInput& input) const {
    input.materialText = txt_m_->text().toStdString();
    input.heightText = txt1_->text().toStdString();
    input.widthText = txt2_->text().toStdString();
    input.gradientText = txt3_->text().toStdString();
    input.roughnessText = txt4_->text().toStdString();
    fillDepthInput(input);
}

void Form4::Zairyou_2(CalcSheet& sheet) const {
    if (const auto code = DepthRatioTable::rectangularCode(sheet.depthChoice))
        sheet.depthRatio = *code;
    computeRectangularSection(sheet);
}

QWidget* Form4::focusTarget(FocusTarget target) const {
    switch (target) {
    case FocusTarget::HeightField:
        return txt1_;
    case FocusTarget::WidthField:
        return txt2_;
    case FocusTarget::GradientField:
        return txt3_;
    case FocusTarget::RoughnessField:
        return txt4_;
    case FocusTarget::DepthList:
        return cbo1();
    default:
        return nullptr;
    }
}

} // namespace tovarin
