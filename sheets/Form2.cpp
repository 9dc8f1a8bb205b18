#include "sheets/Form2.h"

#include "sheets/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tovarin {

Form2::Form2(SewageWindows& windows, QWidget* parent) : FacilityWindow(windows, "Form2", parent) {
    addFrame(this, "FrameInputs", 420, 2040, 3960, 1560);
    label1_ = addTitle("Label1", QString(), 660, 240);
    lst_pu_ = addListBox(this, "lst_pu");
    placeTwips(lst_pu_, 660, 510, 2655, 1500);

    addLabel(this, "Label2", QStringLiteral("施設の勾配 x/1000"), 660, 2280);
    addLabel(this, "Label4", QStringLiteral("x＝"), 2280, 2280);
    txt1_ = addField("txt1", EntryField::Input::Numeric, 2580, 2220);
    addLabel(this, "Label3", QStringLiteral("粗度係数"), 1440, 2730);
    addLabel(this, "Label5", QStringLiteral("n＝"), 2280, 2730);
    txt2_ = addField("txt2", EntryField::Input::Numeric, 2580, 2670);
    label6_ = addLabel(this, "Label6", QStringLiteral("有効水深 水量"), 780, 3180);
    addDepthList(2010, 3120, 1575);
    addComputeButton();

    // A choice of size, by mouse, keyboard or code, invalidates the result; so does a
    // click on the size already chosen.
    connect(lst_pu_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            invalidateResult();
    });
    connect(lst_pu_, &QListWidget::pressed, this, [this] { invalidateResult(); });

    onEnterKey(lst_pu_, [this] { txt1_->setFocus(Qt::OtherFocusReason); });
    chainEnter(txt1_, txt2_);
    chainEnter(txt2_, cbo1());
    QWidget::setTabOrder(lst_pu_, txt1_);
    QWidget::setTabOrder(txt1_, txt2_);
    QWidget::setTabOrder(txt2_, cbo1());
    QWidget::setTabOrder(cbo1(), cmd1());
}

void Form2::setTitle(const QString& title) {
    label1_->setText(title);
    fitToText(label1_);
}

void Form2::setDepthCaption(const QString& caption) {
    label6_->setText(caption);
    fitToText(label6_);
}

void Form2::fillSizes(const std::vector<PipeSize>& sizes) {
    lst_pu_->clear();
    for (const PipeSize& size : sizes)
        lst_pu_->addItem(QString::fromStdString(size.displayText));
    lst_pu_->setCurrentRow(0);
}

void Form2::Zairyou_1(ComputeInput& input) const {
    input.gradientText = txt1_->text().toStdString();
    input.roughnessText = txt2_->text().toStdString();
    input.sizeListPosition = lst_pu_->currentRow();
    fillDepthInput(input);
}

void Form2::Zairyou_2(CalcSheet& sheet) const {
    resolveStandardPipe(sheet);
    if (const auto code = DepthRatioTable::circularCode(sheet.depthChoice))
        sheet.depthRatio = *code;
    computeCircularSection(sheet);
}

QWidget* Form2::focusTarget(FocusTarget target) const {
    switch (target) {
    case FocusTarget::GradientField:
        return txt1_;
    case FocusTarget::RoughnessField:
        return txt2_;
    case FocusTarget::DepthList:
        return cbo1();
    default:
        return nullptr;
    }
}

} // namespace tovarin
