#include "sheets/RainwaterInputSheet.h"

#include "engine/CatchmentTotals.h"
#include "engine/RainwaterFields.h"
#include "platform/qt/Twips.h"
#include "sheets/AreaTable.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/RainwaterWindows.h"
#include "sheets/WindowPlaces.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <functional>

namespace tovarin {

namespace {

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

std::string cellText(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

const QString freeNameEntry = QStringLiteral("（自由入力）");

} // namespace

RainwaterInputSheet::RainwaterInputSheet(RainwaterWindows& windows, QWidget* parent)
    : QWidget(parent), windows_(windows) {
    setObjectName(QStringLiteral("RainwaterInputSheet"));
    setFont(sheetFont());
    resize(twipsSize(windowPlaces::inputSheet.width, windowPlaces::inputSheet.height));

    addLabel(this, "lblTitle", QStringLiteral("☆ 雨水排水施設流量計算"), 240, 120);
    buildAreaGroup();
    buildIntensityGroup();
    connectHandlers();
    showFieldsOfForm();
    updateTotals();
}

RainwaterInputSheet::~RainwaterInputSheet() {
    disconnectControls(this);
}

// ---------------------------------------------------------------- layout

void RainwaterInputSheet::buildAreaGroup() {
    QFrame* frame = addFrame(this, "FrameArea", 240, 360, 5655, 2700);
    addLabel(frame, "lblArea", QStringLiteral("集水区域"), 120, 120);

    areaTable_ = new AreaTable(frame);
    areaTable_->setColumnCount(3);
    areaTable_->setObjectName(QStringLiteral("tblArea"));
    areaTable_->setHorizontalHeaderLabels(
        {QStringLiteral("土地利用"), QStringLiteral("面積 ha"), QStringLiteral("流出係数 C")});
    areaTable_->verticalHeader()->setDefaultSectionSize(twipsY(285));
    areaTable_->verticalHeader()->setMinimumWidth(twipsX(300));
    areaTable_->horizontalHeader()->setFixedHeight(twipsY(285));
    areaTable_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    areaTable_->setSelectionBehavior(QAbstractItemView::SelectItems);
    areaTable_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    areaTable_->setPaste([this](const QString& text) { pasteRows(text); });
    placeTwips(areaTable_, 120, 390, 5415, 1620);
    // The figures' columns fit their widest text (the heading or a cell) at any scale
    // and however many rows push the row numbers and the scroll bar in; the land use
    // takes the width left.
    QHeaderView* header = areaTable_->horizontalHeader();
    header->setSectionResizeMode(nameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(areaColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(runoffColumn, QHeaderView::ResizeToContents);

    landUseList_ = new QComboBox(frame);
    landUseList_->setObjectName(QStringLiteral("cboLandUse"));
    for (const RunoffPreset& preset : runoffPresets())
        landUseList_->addItem(QString::fromUtf8(preset.landUse));
    landUseList_->addItem(freeNameEntry);
    placeTwips(landUseList_, 120, 2070, 2130, 315);
    addRow_ = addButton(frame, "cmdAdd", QStringLiteral("追加"), 2340, 2070, 735, 315);
    removeRow_ = addButton(frame, "cmdRemove", QStringLiteral("削除"), 3150, 2070, 735, 315);

    addLabel(frame, "lblSumA", QStringLiteral("ΣA＝"), 120, 2430);
    totalArea_ = addLabel(frame, "lblTotalArea", QString(), 600, 2430);
    addLabel(frame, "lblSumAUnit", QStringLiteral("ha"), 1560, 2430);
    addLabel(frame, "lblC", QStringLiteral("Ｃ＝Σ(Ci･Ai)/ΣA＝"), 2340, 2430);
    weightedRunoff_ = addLabel(frame, "lblWeightedC", QString(), 4260, 2430);
}

void RainwaterInputSheet::buildIntensityGroup() {
    QFrame* frame = addFrame(this, "FrameIntensity", 240, 3120, 5655, 1875);
    addLabel(frame, "lblIntensity", QStringLiteral("降雨強度式"), 120, 195);
    formList_ = new QComboBox(frame);
    formList_->setObjectName(QStringLiteral("cboForm"));
    for (IntensityForm form : intensityForms())
        formList_->addItem(QString::fromUtf8(intensityFormName(form)));
    placeTwips(formList_, 1320, 150, 1695, 315);
    formula_ = addLabel(frame, "lblFormula", QString(), 3180, 195);

    labelA_ = addLabel(frame, "lblA", QStringLiteral("a＝"), 120, 630);
    constantA_ = addEntryField(frame, "txtA", EntryField::Input::Numeric, 480, 570, 1005, 270);
    labelB_ = addLabel(frame, "lblB", QStringLiteral("b＝"), 1680, 630);
    constantB_ = addEntryField(frame, "txtB", EntryField::Input::Numeric, 2040, 570, 1005, 270);
    labelN_ = addLabel(frame, "lblN", QStringLiteral("n＝"), 3240, 630);
    constantN_ = addEntryField(frame, "txtN", EntryField::Input::Numeric, 3600, 570, 1005, 270);
    labelI_ = addLabel(frame, "lblI", QStringLiteral("I＝"), 120, 630);
    directIntensity_ =
        addEntryField(frame, "txtI", EntryField::Input::Numeric, 480, 570, 1005, 270);
    unitI_ = addUnitLabel(frame, "lblIUnit", QStringLiteral("mm/hr"), 1560, 630);

    labelT1_ = addLabel(frame, "lblT1", QStringLiteral("流入時間 t1＝"), 120, 1050);
    inletTime_ = addEntryField(frame, "txtT1", EntryField::Input::Numeric, 1320, 990, 735, 270);
    unitT1_ = addUnitLabel(frame, "lblT1Unit", QStringLiteral("min"), 2130, 1050);
    labelL_ = addLabel(frame, "lblL", QStringLiteral("流下延長 L＝"), 2760, 1050);
    flowLength_ = addEntryField(frame, "txtL", EntryField::Input::Numeric, 3870, 990, 735, 270);
    unitL_ = addUnitLabel(frame, "lblLUnit", QStringLiteral("m"), 4680, 1050);
    timeNote_ = addLabel(frame, "lblTimeNote",
                         QStringLiteral("ｔ＝t1＋t2　（流下時間 t2＝L/(60･V)）"), 120, 1470);

    // The window's reading order: the table, the row buttons below it, the intensity.
    const QList<QWidget*> order = {areaTable_, landUseList_, addRow_,          removeRow_,
                                   formList_,  constantA_,   directIntensity_, constantB_,
                                   constantN_, inletTime_,   flowLength_};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------- handlers

void RainwaterInputSheet::connectHandlers() {
    connect(addRow_, &QPushButton::clicked, this, [this] {
        const int row = addArea(landUseList_->currentIndex());
        // A free name is typed first; a land use has its C: the area comes next.
        const int column = landUseList_->currentText() == freeNameEntry ? nameColumn : areaColumn;
        areaTable_->setCurrentCell(row, column);
        areaTable_->setFocus(Qt::OtherFocusReason);
        areaTable_->editItem(areaTable_->item(row, column));
    });
    connect(removeRow_, &QPushButton::clicked, this, &RainwaterInputSheet::removeArea);
    connect(areaTable_, &QTableWidget::itemChanged, this, [this] {
        updateTotals();
        invalidateResult();
    });
    connect(formList_, &QComboBox::currentIndexChanged, this, [this] {
        showFieldsOfForm();
        invalidateResult();
    });
    for (EntryField* field :
         {constantA_, constantB_, constantN_, directIntensity_, inletTime_, flowLength_})
        connect(field, &QLineEdit::textEdited, this, &RainwaterInputSheet::invalidateResult);

    // Enter moves on through the fields of the form shown.
    auto chain = [this](EntryField* from, std::function<QWidget*()> next) {
        connect(from, &EntryField::enterPressed, this, [next] {
            if (QWidget* to = next())
                focusWholeText(to);
        });
    };
    chain(constantA_, [this]() -> QWidget* {
        return constantB_->isVisible()   ? constantB_
               : constantN_->isVisible() ? constantN_
                                         : inletTime_;
    });
    chain(constantB_,
          [this]() -> QWidget* { return constantN_->isVisible() ? constantN_ : inletTime_; });
    chain(constantN_, [this]() -> QWidget* { return inletTime_; });
    chain(inletTime_, [this]() -> QWidget* { return flowLength_; });
    chain(directIntensity_, [] { return static_cast<QWidget*>(nullptr); });
}

void RainwaterInputSheet::invalidateResult() {
    windows_.closeResults();
    windows_.host().setStatusMessage(RainwaterWindows::notice());
}

IntensityForm RainwaterInputSheet::currentForm() const {
    const int position = formList_->currentIndex();
    const std::vector<IntensityForm>& forms = intensityForms();
    if (position < 0 || position >= static_cast<int>(forms.size()))
        return IntensityForm::Talbot;
    return forms[static_cast<std::size_t>(position)];
}

void RainwaterInputSheet::showFieldsOfForm() {
    const IntensityForm form = currentForm();
    const bool direct = form == IntensityForm::Direct;
    formula_->setText(QString::fromUtf8(intensityFormula(form)));
    fitToText(formula_);
    labelA_->setVisible(!direct);
    constantA_->setVisible(!direct);
    labelB_->setVisible(formUsesB(form));
    constantB_->setVisible(formUsesB(form));
    labelN_->setVisible(formUsesN(form));
    constantN_->setVisible(formUsesN(form));
    // Sherman has no b: its n takes the second place.
    placeTwips(labelN_, formUsesB(form) ? 3240 : 1680, 630);
    placeTwips(constantN_, formUsesB(form) ? 3600 : 2040, 570, 1005, 270);
    for (QWidget* widget : {static_cast<QWidget*>(labelI_), static_cast<QWidget*>(unitI_),
                            static_cast<QWidget*>(directIntensity_)})
        widget->setVisible(direct);
    // Given directly, I needs no time of concentration.
    for (QWidget* widget : {static_cast<QWidget*>(labelT1_), static_cast<QWidget*>(unitT1_),
                            static_cast<QWidget*>(inletTime_), static_cast<QWidget*>(labelL_),
                            static_cast<QWidget*>(unitL_), static_cast<QWidget*>(flowLength_),
                            static_cast<QWidget*>(timeNote_)})
        widget->setVisible(!direct);
}

void RainwaterInputSheet::updateTotals() {
    RainwaterInput rows;
    gather(rows);
    const CatchmentTotals totals = catchmentTotals(rows.areas);
    totalArea_->setText(qtext(totals.area));
    fitToText(totalArea_);
    weightedRunoff_->setText(qtext(totals.runoff));
    fitToText(weightedRunoff_);
}

// ---------------------------------------------------------------- rows

int RainwaterInputSheet::addArea(int presetPosition) {
    const std::vector<RunoffPreset>& presets = runoffPresets();
    CatchmentArea area;
    if (presetPosition >= 0 && presetPosition < static_cast<int>(presets.size())) {
        area.name = presets[static_cast<std::size_t>(presetPosition)].landUse;
        area.runoffText = presets[static_cast<std::size_t>(presetPosition)].coefficientText;
    }
    return addArea(area);
}

int RainwaterInputSheet::addArea(const CatchmentArea& area) {
    const int row = areaTable_->rowCount();
    {
        const QSignalBlocker blocker(areaTable_);
        areaTable_->setRowCount(row + 1);
        setAreaRow(row, area);
    }
    updateTotals();
    invalidateResult();
    return row;
}

// The row's three cells, without a signal: the caller brings the totals up to date.
void RainwaterInputSheet::setAreaRow(int row, const CatchmentArea& area) {
    areaTable_->setItem(row, nameColumn, new QTableWidgetItem(qtext(area.name)));
    auto* areaItem = new QTableWidgetItem(qtext(area.areaText));
    areaItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    areaTable_->setItem(row, areaColumn, areaItem);
    auto* runoffItem = new QTableWidgetItem(qtext(area.runoffText));
    runoffItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    areaTable_->setItem(row, runoffColumn, runoffItem);
}

void RainwaterInputSheet::pasteRows(const QString& text) {
    const QModelIndex current = areaTable_->currentIndex();
    const int firstRow = current.isValid() ? current.row() : areaTable_->rowCount();
    const int firstColumn = current.isValid() ? current.column() : nameColumn;
    const AreaPaste paste = pastedAreaCells(text.toStdString(), firstRow, firstColumn);
    if (paste.refusal) {
        // Nothing is pasted: the table stays as it was.
        showInputError(windows_.host().platform(), windows_.host().dialogParent(),
                       qtext(paste.refusal->message));
        areaTable_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (paste.rows.empty())
        return;
    {
        const QSignalBlocker blocker(areaTable_);
        const int lastRow = firstRow + static_cast<int>(paste.rows.size()) - 1;
        for (int row = areaTable_->rowCount(); row <= lastRow; ++row) {
            areaTable_->setRowCount(row + 1);
            setAreaRow(row, CatchmentArea{});
        }
        int widest = 0;
        for (std::size_t i = 0; i < paste.rows.size(); ++i) {
            const std::vector<std::string>& cells = paste.rows[i];
            widest = std::max(widest, static_cast<int>(cells.size()));
            for (std::size_t c = 0; c < cells.size(); ++c)
                areaTable_->item(firstRow + static_cast<int>(i), firstColumn + static_cast<int>(c))
                    ->setText(qtext(cells[c]));
        }
        areaTable_->setCurrentCell(firstRow, firstColumn);
        areaTable_->setRangeSelected(
            QTableWidgetSelectionRange(firstRow, firstColumn, lastRow, firstColumn + widest - 1),
            true);
    }
    updateTotals();
    invalidateResult();
}

void RainwaterInputSheet::removeArea() {
    if (areaTable_->rowCount() == 0)
        return;
    const int current = areaTable_->currentRow();
    areaTable_->removeRow(current >= 0 ? current : areaTable_->rowCount() - 1);
    updateTotals();
    invalidateResult();
}

// ---------------------------------------------------------------- input

void RainwaterInputSheet::gather(RainwaterInput& input) const {
    input.areas.clear();
    input.areas.reserve(static_cast<std::size_t>(areaTable_->rowCount()));
    for (int row = 0; row < areaTable_->rowCount(); ++row)
        input.areas.push_back({cellText(areaTable_, row, nameColumn),
                               halfWidthNumberText(cellText(areaTable_, row, areaColumn)),
                               halfWidthNumberText(cellText(areaTable_, row, runoffColumn))});
    const auto number = [](const EntryField* field) {
        return halfWidthNumberText(field->text().toStdString());
    };
    input.intensityForm = currentForm();
    input.constantAText = number(constantA_);
    input.constantBText = number(constantB_);
    input.constantNText = number(constantN_);
    input.directIntensityText = number(directIntensity_);
    input.inletTimeText = number(inletTime_);
    input.flowLengthText = number(flowLength_);
}

void RainwaterInputSheet::apply(const RainwaterInput& input) {
    {
        // Every row at once, the totals once after them: a document of many rows opens
        // in time proportional to its rows.
        const QSignalBlocker blocker(areaTable_);
        areaTable_->setRowCount(0);
        areaTable_->setRowCount(static_cast<int>(input.areas.size()));
        for (std::size_t row = 0; row < input.areas.size(); ++row)
            setAreaRow(static_cast<int>(row), input.areas[row]);
    }
    invalidateResult();
    const std::vector<IntensityForm>& forms = intensityForms();
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (forms[i] == input.intensityForm)
            formList_->setCurrentIndex(static_cast<int>(i));
    constantA_->setText(qtext(input.constantAText));
    constantB_->setText(qtext(input.constantBText));
    constantN_->setText(qtext(input.constantNText));
    directIntensity_->setText(qtext(input.directIntensityText));
    inletTime_->setText(qtext(input.inletTimeText));
    flowLength_->setText(qtext(input.flowLengthText));
    updateTotals();
}

QWidget* RainwaterInputSheet::focusTarget(RainwaterField field, int row, AreaColumn column) const {
    switch (field) {
    case RainwaterField::AreaTable:
        if (row >= 0 && row < areaTable_->rowCount()) {
            const int cell = column == AreaColumn::Name   ? nameColumn
                             : column == AreaColumn::Area ? areaColumn
                                                          : runoffColumn;
            areaTable_->setCurrentCell(row, cell);
            return areaTable_;
        }
        // No row to go to: the way to add one.
        return areaTable_->rowCount() == 0 ? static_cast<QWidget*>(landUseList_) : areaTable_;
    case RainwaterField::ConstantA:
        return constantA_;
    case RainwaterField::ConstantB:
        return constantB_;
    case RainwaterField::ConstantN:
        return constantN_;
    case RainwaterField::DirectIntensity:
        return directIntensity_;
    case RainwaterField::InletTime:
        return inletTime_;
    case RainwaterField::FlowLength:
        return flowLength_;
    default:
        return nullptr;
    }
}

} // namespace tovarin
