#include "sheets/RainwaterFacilityWindow.h"

#include "engine/Catalogue.h"
#include "engine/RainwaterFields.h"
#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/RainwaterWindows.h"
#include "sheets/WindowPlaces.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>
#include <tuple>

namespace tovarin {

namespace {

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr RainwaterFacilityKind kinds[] = {RainwaterFacilityKind::VP,
                                           RainwaterFacilityKind::VU,
                                           RainwaterFacilityKind::FRPM,
                                           RainwaterFacilityKind::Hume,
                                           RainwaterFacilityKind::OtherCircular,
                                           RainwaterFacilityKind::Rectangular,
                                           RainwaterFacilityKind::Trapezoidal};

int positionOf(RainwaterFacilityKind kind) {
    for (int i = 0; i < static_cast<int>(std::size(kinds)); ++i)
        if (kinds[i] == kind)
            return i;
    return 0;
}

int defaultDepthPosition(RainwaterFacilityKind kind) {
    return isCataloguePipe(kind) || kind == RainwaterFacilityKind::OtherCircular
               ? DepthRatioTable::circularDefaultPosition
               : DepthRatioTable::rectangularDefaultPosition;
}

// Rows of the window, in twips from its top.
constexpr int kindRow = 720;
constexpr int nameRow = 1140;
constexpr int firstDimensionRow = 1560;
constexpr int secondDimensionRow = 1980;
constexpr int thirdDimensionRow = 2400;
constexpr int gradientRow = 2820;
constexpr int roughnessRow = 3240;
constexpr int formulaRow = 3660;
constexpr int depthRow = 4080;

} // namespace

RainwaterFacilityWindow::RainwaterFacilityWindow(RainwaterWindows& windows, QWidget* parent)
    : FacilityWindowBase("RainwaterFacilityWindow", Invalidation::EditOrChoice, parent),
      windows_(windows) {
    addTitle("lblTitle", QStringLiteral("雨 水 排 水 施 設"), 180, 240);

    addLabel(this, "lblKind", QStringLiteral("施設の種類"), 300, kindRow + 45);
    kindList_ = new QComboBox(this);
    kindList_->setObjectName(QStringLiteral("cboKind"));
    for (RainwaterFacilityKind kind : kinds)
        kindList_->addItem(QString::fromUtf8(rainwaterFacilityName(kind)));
    placeTwips(kindList_, 1680, kindRow, 1905, 315);

    sizeLabel_ = addLabel(this, "lblSize", QStringLiteral("管径"), 300, nameRow + 45);
    sizeList_ = new QComboBox(this);
    sizeList_->setObjectName(QStringLiteral("cboSize"));
    placeTwips(sizeList_, 1680, nameRow, 1905, 315);
    materialLabel_ = addLabel(this, "lblMaterial", QStringLiteral("材料・名称"), 300, nameRow + 45);
    material_ = addField("txtMaterial", EntryField::Input::Japanese, 1680, nameRow + 15, 2655);

    diameterLabel_ =
        addLabel(this, "lblD", QStringLiteral("内径 Ｄ＝"), 1920, firstDimensionRow + 45);
    diameter_ = addField("txtD", EntryField::Input::Numeric, 2820, firstDimensionRow);
    heightLabel_ =
        addLabel(this, "lblH", QStringLiteral("高さ Ｈ＝"), 1920, firstDimensionRow + 45);
    height_ = addField("txtH", EntryField::Input::Numeric, 2820, firstDimensionRow);
    widthLabel_ = addLabel(this, "lblB", QStringLiteral("巾 Ｂ＝"), 2040, secondDimensionRow + 45);
    width_ = addField("txtB", EntryField::Input::Numeric, 2820, secondDimensionRow);
    slopeLabel_ =
        addLabel(this, "lblM", QStringLiteral("法勾配 1：ｍ  ｍ＝"), 1080, thirdDimensionRow + 45);
    sideSlope_ = addField("txtM", EntryField::Input::Numeric, 2820, thirdDimensionRow);
    for (int row : {firstDimensionRow, secondDimensionRow})
        metreUnits_.append(addUnitLabel(this, "lblMetre", QStringLiteral("m"), 3600, row + 60));

    addLabel(this, "lblGradient", QStringLiteral("施設の勾配 x/1000  x＝"), 300, gradientRow + 45);
    gradient_ = addField("txtGradient", EntryField::Input::Numeric, 2820, gradientRow);
    addLabel(this, "lblRoughness", QStringLiteral("粗度係数  n＝"), 1260, roughnessRow + 45);
    roughness_ = addField("txtRoughness", EntryField::Input::Numeric, 2820, roughnessRow);

    std::tie(manning_, kutter_) = addFormulaOptions("optManning", "optKutter", formulaRow);

    addLabel(this, "lblDepth", QStringLiteral("有効水深"), 1470, depthRow + 45);
    addDepthList("cboDepth", 2280, depthRow, 1305);
    addComputeButton("cmdCompute");

    connect(kindList_, &QComboBox::activated, this,
            [this](int position) { chooseKind(kinds[position]); });
    connect(sizeList_, &QComboBox::activated, this, &RainwaterFacilityWindow::invalidateResult);

    followInOrder({kindList_, sizeList_, material_, diameter_, height_, width_, sideSlope_,
                   gradient_, roughness_, manning_, kutter_, depthList(), computeButton()});

    chooseKind(RainwaterFacilityKind::Rectangular);
}

void RainwaterFacilityWindow::invalidateResult() {
    windows_.closeResults();
    windows_.host().setStatusMessage(RainwaterWindows::notice());
}

void RainwaterFacilityWindow::computeRequested() {
    windows_.compute();
}

RainwaterFacilityKind RainwaterFacilityWindow::kind() const {
    const int position = kindList_->currentIndex();
    return position >= 0 ? kinds[position] : RainwaterFacilityKind::Rectangular;
}

void RainwaterFacilityWindow::chooseKind(RainwaterFacilityKind kind) {
    {
        const QSignalBlocker blocker(kindList_);
        kindList_->setCurrentIndex(positionOf(kind));
    }
    sizeList_->clear();
    if (isCataloguePipe(kind)) {
        const FacilityKind sewageKind = sewageFacilityKind(kind);
        for (const PipeSize& size : PipeCatalogue::sizes(sewageKind))
            sizeList_->addItem(qtext(size.displayText));
        sizeList_->setCurrentIndex(0);
        fitSizeList();
        roughness_->setText(qtext(PipeCatalogue::kind(sewageKind).defaultRoughness));
    }
    fillDepthList(depthTexts(kind), defaultDepthPosition(kind));
    showFieldsOfKind();
    invalidateResult();
}

// The size list is as wide as its widest size (φ300 and φ350 told apart at a
// glance), and never narrower than its place.
void RainwaterFacilityWindow::fitSizeList() {
    sizeList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int room = twipsX(windowPlaces::facilityWindow.width - 1680 - 240);
    const int width = std::clamp(sizeList_->sizeHint().width(), twipsX(1905), room);
    sizeList_->resize(width, sizeList_->height());
    sizeList_->view()->setMinimumWidth(width);
}

void RainwaterFacilityWindow::showFieldsOfKind() {
    const RainwaterFacilityKind k = kind();
    const bool pipe = isCataloguePipe(k);
    const bool circular = k == RainwaterFacilityKind::OtherCircular;
    const bool trapezoid = k == RainwaterFacilityKind::Trapezoidal;
    const bool channel = k == RainwaterFacilityKind::Rectangular || trapezoid;
    sizeLabel_->setVisible(pipe);
    sizeList_->setVisible(pipe);
    materialLabel_->setVisible(!pipe);
    material_->setVisible(!pipe);
    diameterLabel_->setVisible(circular);
    diameter_->setVisible(circular);
    heightLabel_->setVisible(channel);
    height_->setVisible(channel);
    widthLabel_->setVisible(channel);
    width_->setVisible(channel);
    widthLabel_->setText(trapezoid ? QStringLiteral("底巾 Ｂ＝") : QStringLiteral("巾 Ｂ＝"));
    placeTwips(widthLabel_, trapezoid ? 1800 : 2040, secondDimensionRow + 45);
    slopeLabel_->setVisible(trapezoid);
    sideSlope_->setVisible(trapezoid);
    metreUnits_[0]->setVisible(circular || channel);
    metreUnits_[1]->setVisible(channel);
}

void RainwaterFacilityWindow::gather(RainwaterInput& input) const {
    input.facilityKind = kind();
    input.sizeListPosition = sizeList_->currentIndex() < 0 ? 0 : sizeList_->currentIndex();
    input.materialText = material_->text().toStdString();
    const auto number = [](const EntryField* field) {
        return halfWidthNumberText(field->text().toStdString());
    };
    input.diameterText = number(diameter_);
    input.heightText = number(height_);
    input.widthText = number(width_);
    input.sideSlopeText = number(sideSlope_);
    input.gradientText = number(gradient_);
    input.roughnessText = number(roughness_);
    input.velocityFormula =
        kutter_->isChecked() ? VelocityFormula::Kutter : VelocityFormula::Manning;
    input.depthText = depthList()->currentText().toStdString();
}

void RainwaterFacilityWindow::apply(const RainwaterInput& input) {
    chooseKind(input.facilityKind);
    if (input.sizeListPosition >= 0 && input.sizeListPosition < sizeList_->count())
        sizeList_->setCurrentIndex(input.sizeListPosition);
    material_->setText(qtext(input.materialText));
    diameter_->setText(qtext(input.diameterText));
    height_->setText(qtext(input.heightText));
    width_->setText(qtext(input.widthText));
    sideSlope_->setText(qtext(input.sideSlopeText));
    gradient_->setText(qtext(input.gradientText));
    roughness_->setText(qtext(input.roughnessText));
    (input.velocityFormula == VelocityFormula::Kutter ? kutter_ : manning_)->setChecked(true);
    const int depth = depthList()->findText(qtext(input.depthText));
    if (depth >= 0)
        depthList()->setCurrentIndex(depth);
}

QWidget* RainwaterFacilityWindow::focusTarget(RainwaterField field) const {
    switch (field) {
    case RainwaterField::SizeList:
        return sizeList_;
    case RainwaterField::Material:
        return material_;
    case RainwaterField::Diameter:
        return diameter_;
    case RainwaterField::Height:
        return height_;
    case RainwaterField::Width:
        return width_;
    case RainwaterField::SideSlope:
        return sideSlope_;
    case RainwaterField::Gradient:
        return gradient_;
    case RainwaterField::Roughness:
        return roughness_;
    case RainwaterField::DepthList:
        return depthList();
    default:
        return nullptr;
    }
}

} // namespace tovarin
