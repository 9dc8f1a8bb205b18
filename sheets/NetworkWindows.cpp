#include "sheets/NetworkWindows.h"

#include "documents/record/RainwaterRecord.h"
#include "engine/CatchmentTotals.h"
#include "engine/NumberText.h"
#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/EntryField.h"
#include "sheets/Form11.h"
#include "sheets/NetworkProfileView.h"
#include "sheets/RainwaterFacilityWindow.h"
#include "sheets/RainwaterInputSheet.h"
#include "sheets/WindowPlaces.h"
#include "sheettext/NetworkSheet.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

namespace tovarin {

namespace {

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

std::string toStd(const QString& text) {
    return text.trimmed().toStdString();
}

// The section's facility as the document writes it, one text: "VU,200 10.0‰ …".
QString facilitySummary(const RainwaterInput& facility) {
    QStringList parts;
    for (RainwaterKey key : {RainwaterKey::Facility, RainwaterKey::Gradient,
                             RainwaterKey::Roughness, RainwaterKey::Formula, RainwaterKey::Depth}) {
        for (const std::string& value : rainwaterValues(key, facility))
            parts << fromStd(value) + (key == RainwaterKey::Gradient ? QStringLiteral("‰") : "");
    }
    return parts.join(QLatin1Char(' '));
}

// The 施設 cell's text read back: the document's 施設 value, then as many as are given
// of 勾配 (‰ or not), 粗度係数, 公式 and 有効水深, separated by spaces.
std::optional<std::string> readFacilityText(const QString& text, RainwaterInput& into) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const RainwaterKey keys[] = {RainwaterKey::Facility, RainwaterKey::Gradient,
                                 RainwaterKey::Roughness, RainwaterKey::Formula,
                                 RainwaterKey::Depth};
    for (int i = 0; i < parts.size(); ++i) {
        if (i >= static_cast<int>(std::size(keys)))
            return std::string("施設の後の値が多すぎます。");
        QString part = parts[i];
        if (keys[i] == RainwaterKey::Gradient && part.endsWith(QStringLiteral("‰")))
            part.chop(1);
        if (auto problem = readRainwaterValue(keys[i], toStd(part), into))
            return problem;
    }
    return std::nullopt;
}

QString areaSummary(const std::vector<CatchmentArea>& areas) {
    if (areas.empty())
        return QString();
    const CatchmentTotals totals = catchmentTotals(areas);
    return QStringLiteral("ΣA=%1 C=%2").arg(fromStd(totals.area), fromStd(totals.runoff));
}

// The texts of a row's levels columns from its levels: 管底高(下流), 土被り (上流・下流), 注意.
QStringList levelTexts(const NetworkSectionLevels& levels) {
    const auto text = [](const std::optional<double>& value) {
        return value ? fromStd(formatNumber(*value, "0.000")) : QString();
    };
    QStringList notes;
    for (const std::string& note : levels.notes)
        notes << fromStd(note);
    return {text(levels.lowerInvert), text(levels.upperCover), text(levels.lowerCover),
            notes.join(QStringLiteral("・"))};
}

// A new section's facility: as the rainwater document starts (矩形, マニング, 水深８割),
// or a VU pipe for sewage.
NetworkSection freshSection(NetworkKind kind) {
    NetworkSection section;
    section.facility.depthText = "水深８割";
    if (kind == NetworkKind::Sewage) {
        section.facility.facilityKind = RainwaterFacilityKind::VU;
        section.facility.sizeListPosition = 5;
        section.facility.roughnessText = "0.010";
    }
    return section;
}

std::vector<std::string> resultHeader(NetworkKind kind) {
    std::vector<std::string> header = networkTableHeader(kind);
    header.erase(header.begin(), header.begin() + 4); // 区間, 上流, 下流, 延長
    for (const char* level : {"管底高(下流)", "土被り(上流)", "土被り(下流)", "注意"})
        header.emplace_back(level);
    return header;
}

} // namespace

// ---------------------------------------------------------------- NetworkSheet

NetworkSheet::NetworkSheet(NetworkWindows& windows, NetworkKind kind, QWidget* parent)
    : QWidget(parent), windows_(windows), kind_(kind) {
    setObjectName(QStringLiteral("NetworkSheet"));
    setFont(sheetFont());
    buildKeys();
    buildTable();
    buildButtons();
    showFieldsOfForm();
}

NetworkSheet::~NetworkSheet() {
    disconnectControls(this);
}

void NetworkSheet::buildKeys() {
    const bool rain = kind_ == NetworkKind::Rainwater;
    addLabel(this, "lblTitle",
             rain ? QStringLiteral("☆ 流量計算表（雨水排水施設）")
                  : QStringLiteral("☆ 流量計算表（汚水排水施設）"),
             240, 120);
    // A caption, its field `labelWidth` twips to the right, and its unit after the field.
    const auto field = [this](const char* name, const QString& label, int left, int labelWidth,
                              int width, const QString& unit = QString()) {
        QLabel* caption = addLabel(this, (std::string(name) + "Label").c_str(), label, left, 495);
        const int fieldLeft = left + labelWidth;
        EntryField* entry =
            addEntryField(this, name, EntryField::Input::Numeric, fieldLeft, 435, width, 270);
        QList<QWidget*> widgets{caption, entry};
        if (!unit.isEmpty())
            widgets << addUnitLabel(this, (std::string(name) + "Unit").c_str(), unit,
                                    fieldLeft + width + 60, 495);
        connect(entry, &QLineEdit::textEdited, this, &NetworkSheet::invalidate);
        return std::pair{entry, widgets};
    };
    int left = 240;
    if (rain) {
        addLabel(this, "lblIntensity", QStringLiteral("降雨強度式"), left, 495);
        formList_ = new QComboBox(this);
        formList_->setObjectName(QStringLiteral("cboForm"));
        for (IntensityForm form : intensityForms())
            formList_->addItem(QString::fromUtf8(intensityFormName(form)));
        placeTwips(formList_, left + 1200, 435, 1695, 315);
        connect(formList_, &QComboBox::currentIndexChanged, this, [this] {
            showFieldsOfForm();
            invalidate();
        });
        left += 3000;
        auto [a, aWidgets] = field("txtA", QStringLiteral("a＝"), left, 360, 900);
        constantA_ = a;
        intensityOnly_ << aWidgets;
        auto [b, bWidgets] = field("txtB", QStringLiteral("b＝"), left + 1500, 360, 900);
        constantB_ = b;
        constantB_s_ << bWidgets;
        auto [n, nWidgets] = field("txtN", QStringLiteral("n＝"), left + 3000, 360, 900);
        constantN_ = n;
        constantN_s_ << nWidgets;
        auto [t1, tWidgets] = field("txtT1", QStringLiteral("流入時間 t1＝"), left + 4500, 1200,
                                    735, QStringLiteral("min"));
        inletTime_ = t1;
        intensityOnly_ << tWidgets;
        auto [i, iWidgets] =
            field("txtI", QStringLiteral("I＝"), left, 360, 900, QStringLiteral("mm/hr"));
        directIntensity_ = i;
        directOnly_ << iWidgets;
        left += 7400;
    } else {
        perCapita_ = field("txtQ1", QStringLiteral("一人一日汚水量＝"), left, 1700, 900,
                           QStringLiteral("L/人/日"))
                         .first;
        groundwater_ =
            field("txtW", QStringLiteral("地下水＝"), left + 3900, 900, 735, QStringLiteral("％"))
                .first;
        allowance_ =
            field("txtA", QStringLiteral("余裕＝"), left + 6000, 720, 735, QStringLiteral("％"))
                .first;
        left += 8100;
    }
    minimumCover_ =
        field("txtCover", QStringLiteral("最小土被り＝"), left, 1200, 735, QStringLiteral("m"))
            .first;
}

void NetworkSheet::buildTable() {
    const bool rain = kind_ == NetworkKind::Rainwater;
    QStringList header = {QStringLiteral("区間"), QStringLiteral("上流"), QStringLiteral("下流"),
                          QStringLiteral("延長L(m)")};
    int column = 4;
    if (rain) {
        columns_.area = column++;
        header << QStringLiteral("面積");
    } else {
        columns_.population = column++;
        columns_.sewageFlow = column++;
        header << QStringLiteral("人口") << QStringLiteral("汚水量(m3/sec)");
    }
    columns_.facility = column++;
    columns_.groundUpper = column++;
    columns_.groundLower = column++;
    columns_.invert = column++;
    columns_.wall = column++;
    columns_.firstResult = column;
    header << QStringLiteral("施設") << QStringLiteral("地盤高(上流)")
           << QStringLiteral("地盤高(下流)") << QStringLiteral("管底高(上流)")
           << QStringLiteral("管厚");
    for (const std::string& title : resultHeader(kind_))
        header << fromStd(title);

    table_ = new QTableWidget(0, static_cast<int>(header.size()), this);
    table_->setObjectName(QStringLiteral("tblNetwork"));
    table_->setHorizontalHeaderLabels(header);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setTabKeyNavigation(true);
    table_->verticalHeader()->setDefaultSectionSize(twipsY(285));
    table_->installEventFilter(this);
    placeTwips(table_, 240, 900, 17000, 3600);
    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_)
            invalidate();
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, &NetworkSheet::cellChosen);
    connect(table_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    QTimer::singleShot(0, this, &NetworkSheet::moveOnFromCell);
            });
}

void NetworkSheet::buildButtons() {
    int left = 240;
    const auto button = [this, &left](const char* name, const QString& text) {
        QPushButton* made = addButton(this, name, text, left, 4600, 1100, 375);
        left += 1200;
        return made;
    };
    addRow_ = button("cmdAdd", QStringLiteral("行の追加"));
    removeRow_ = button("cmdRemove", QStringLiteral("行の削除"));
    up_ = button("cmdUp", QStringLiteral("上へ"));
    down_ = button("cmdDown", QStringLiteral("下へ"));
    compute_ = button("cmdCompute", QStringLiteral("計算"));
    connect(addRow_, &QPushButton::clicked, this, [this] { addSection(); });
    connect(removeRow_, &QPushButton::clicked, this, &NetworkSheet::removeSection);
    connect(up_, &QPushButton::clicked, this, [this] { moveSection(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveSection(1); });
    connect(compute_, &QPushButton::clicked, this, [this] { windows_.compute(); });

    addLabel(this, "lblHead", QStringLiteral("縦断図の上流端"), left + 300, 4670);
    headList_ = new QComboBox(this);
    headList_->setObjectName(QStringLiteral("cboHead"));
    placeTwips(headList_, left + 1800, 4600, 1800, 375);
    // The profile at the size of an A4 landscape page at 3 pixels a millimetre, scrolled.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("profileScroll"));
    profile_ = new NetworkProfileView;
    profile_->setObjectName(QStringLiteral("profile"));
    profile_->setFixedSize(297 * 3, 210 * 3);
    scroll->setWidget(profile_);
    placeTwips(scroll, 240, 5100, 17000, 8200);
    connect(headList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        profile_->setHead(index >= 0 ? headList_->itemData(index).toInt() : -1);
    });
}

void NetworkSheet::showFieldsOfForm() {
    if (!formList_)
        return;
    const IntensityForm form =
        intensityForms()[static_cast<std::size_t>(std::max(0, formList_->currentIndex()))];
    const bool direct = form == IntensityForm::Direct;
    for (QWidget* widget : intensityOnly_)
        widget->setVisible(!direct);
    for (QWidget* widget : directOnly_)
        widget->setVisible(direct);
    for (QWidget* widget : constantB_s_)
        widget->setVisible(formUsesB(form));
    for (QWidget* widget : constantN_s_)
        widget->setVisible(formUsesN(form));
}

void NetworkSheet::invalidate() {
    windows_.clearResult();
    windows_.host().setStatusMessage(NetworkWindows::notice());
}

QString NetworkSheet::cellText(int row, int column) const {
    const QTableWidgetItem* item = table_->item(row, column);
    return item ? item->text() : QString();
}

void NetworkSheet::setCellText(int row, int column, const QString& text, bool editable) {
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (editable)
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    table_->setItem(row, column, item);
}

void NetworkSheet::setRowTexts(int row, const NetworkSection& s) {
    const std::pair<int, const std::string*> texts[] = {
        {columns_.name, &s.name},
        {columns_.upper, &s.upper},
        {columns_.lower, &s.lower},
        {columns_.length, &s.lengthText},
        {columns_.population, &s.populationText},
        {columns_.sewageFlow, &s.sewageFlowText},
        {columns_.groundUpper, &s.groundUpperText},
        {columns_.groundLower, &s.groundLowerText},
        {columns_.invert, &s.invertText},
        {columns_.wall, &s.wallText},
    };
    for (const auto& [column, text] : texts) {
        if (column >= 0)
            setCellText(row, column, fromStd(*text), true);
    }
    refreshCompoundCells(row);
    for (int column = columns_.firstResult; column < table_->columnCount(); ++column)
        setCellText(row, column, QString(), false);
}

void NetworkSheet::refreshCompoundCells(int row) {
    const bool was = filling_;
    filling_ = true;
    const NetworkSection& s = rows_.at(static_cast<std::size_t>(row));
    if (columns_.area >= 0)
        setCellText(row, columns_.area, areaSummary(s.facility.areas), false);
    setCellText(row, columns_.facility, facilitySummary(s.facility), false);
    filling_ = was;
}

void NetworkSheet::apply(const NetworkInput& in) {
    filling_ = true;
    if (formList_) {
        formList_->setCurrentIndex(static_cast<int>(in.intensity.intensityForm));
        constantA_->setText(fromStd(in.intensity.constantAText));
        constantB_->setText(fromStd(in.intensity.constantBText));
        constantN_->setText(fromStd(in.intensity.constantNText));
        directIntensity_->setText(fromStd(in.intensity.directIntensityText));
        inletTime_->setText(fromStd(in.intensity.inletTimeText));
    } else {
        perCapita_->setText(fromStd(in.perCapitaText));
        groundwater_->setText(fromStd(in.groundwaterText));
        allowance_->setText(fromStd(in.allowanceText));
    }
    minimumCover_->setText(fromStd(in.minimumCoverText));
    rows_ = in.sections;
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (int row = 0; row < table_->rowCount(); ++row)
        setRowTexts(row, rows_[static_cast<std::size_t>(row)]);
    filling_ = false;
    showFieldsOfForm();
    table_->resizeColumnsToContents();
}

NetworkInput NetworkSheet::gathered() const {
    NetworkInput in;
    in.kind = kind_;
    if (formList_) {
        in.intensity.intensityForm =
            intensityForms()[static_cast<std::size_t>(std::max(0, formList_->currentIndex()))];
        const bool direct = in.intensity.intensityForm == IntensityForm::Direct;
        if (direct) {
            in.intensity.directIntensityText = toStd(directIntensity_->text());
        } else {
            in.intensity.constantAText = toStd(constantA_->text());
            if (formUsesB(in.intensity.intensityForm))
                in.intensity.constantBText = toStd(constantB_->text());
            if (formUsesN(in.intensity.intensityForm))
                in.intensity.constantNText = toStd(constantN_->text());
            in.intensity.inletTimeText = toStd(inletTime_->text());
        }
    } else {
        in.perCapitaText = toStd(perCapita_->text());
        in.groundwaterText = toStd(groundwater_->text());
        in.allowanceText = toStd(allowance_->text());
    }
    in.minimumCoverText = toStd(minimumCover_->text());
    for (int row = 0; row < table_->rowCount(); ++row) {
        NetworkSection s = rows_.at(static_cast<std::size_t>(row));
        const auto take = [&](int column, std::string& into) {
            if (column >= 0)
                into = toStd(cellText(row, column));
        };
        take(columns_.name, s.name);
        take(columns_.upper, s.upper);
        take(columns_.lower, s.lower);
        take(columns_.length, s.lengthText);
        take(columns_.population, s.populationText);
        take(columns_.sewageFlow, s.sewageFlowText);
        take(columns_.groundUpper, s.groundUpperText);
        take(columns_.groundLower, s.groundLowerText);
        take(columns_.invert, s.invertText);
        take(columns_.wall, s.wallText);
        in.sections.push_back(std::move(s));
    }
    return in;
}

void NetworkSheet::setSectionData(int row, const NetworkSection& section) {
    rows_.at(static_cast<std::size_t>(row)) = section;
    refreshCompoundCells(row);
}

int NetworkSheet::addSection() {
    windows_.takeBackEditors();
    const int row = table_->currentRow() >= 0 ? table_->currentRow() + 1 : table_->rowCount();
    filling_ = true;
    table_->insertRow(row);
    rows_.insert(rows_.begin() + row, freshSection(kind_));
    setRowTexts(row, rows_[static_cast<std::size_t>(row)]);
    filling_ = false;
    invalidate();
    table_->setCurrentCell(row, columns_.name);
    table_->setFocus(Qt::OtherFocusReason);
    return row;
}

void NetworkSheet::removeSection() {
    windows_.takeBackEditors();
    int row = table_->currentRow();
    if (row < 0)
        row = table_->rowCount() - 1;
    if (row < 0)
        return;
    table_->removeRow(row);
    rows_.erase(rows_.begin() + row);
    invalidate();
    if (table_->rowCount() > 0)
        table_->setCurrentCell(std::min(row, table_->rowCount() - 1),
                               std::max(0, table_->currentColumn()));
}

void NetworkSheet::moveSection(int step) {
    windows_.takeBackEditors();
    const int row = table_->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= table_->rowCount())
        return;
    const int column = table_->currentColumn();
    const NetworkInput before = gathered();
    NetworkInput moved = before;
    std::swap(moved.sections[static_cast<std::size_t>(row)],
              moved.sections[static_cast<std::size_t>(to)]);
    filling_ = true;
    rows_ = moved.sections;
    setRowTexts(row, rows_[static_cast<std::size_t>(row)]);
    setRowTexts(to, rows_[static_cast<std::size_t>(to)]);
    filling_ = false;
    invalidate();
    table_->setCurrentCell(to, column);
}

// ---------------------------------------------------------------- paste and copy

std::optional<NetworkSheet::PasteRefusal> NetworkSheet::paste(const QString& text) {
    windows_.takeBackEditors();
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (body.endsWith(QLatin1Char('\n')))
        body.chop(1);
    if (body.isEmpty())
        return std::nullopt;
    const QStringList lines = body.split(QLatin1Char('\n'));
    const int top = std::max(0, table_->currentRow());
    const int left = std::max(0, table_->currentColumn());
    // Every row is read first: a refusal changes nothing.
    std::vector<NetworkSection> data = rows_;
    data.resize(std::max(data.size(), static_cast<std::size_t>(top + lines.size())),
                freshSection(kind_));
    std::vector<std::vector<std::pair<int, QString>>> cells(lines.size());
    for (int l = 0; l < lines.size(); ++l) {
        const int row = top + l;
        const QStringList fields = lines[l].split(QLatin1Char('\t'));
        for (int f = 0; f < fields.size(); ++f) {
            const int column = left + f;
            if (column >= columns_.firstResult)
                break;
            const QString value = fields[f].trimmed();
            RainwaterInput& facility = data[static_cast<std::size_t>(row)].facility;
            // A compound cell pasted with the text it shows keeps what it holds.
            const bool unchanged = row < table_->rowCount() && value == cellText(row, column);
            if ((column == columns_.facility || column == columns_.area) && unchanged)
                continue;
            if (column == columns_.facility) {
                if (value.isEmpty())
                    continue;
                RainwaterInput read = facility;
                if (auto problem = readFacilityText(value, read))
                    return PasteRefusal{
                        QStringLiteral("%1行目の施設：%2").arg(row + 1).arg(fromStd(*problem)), row,
                        column};
                facility = read;
            } else if (column == columns_.area) {
                // Areas as the document writes them: "名称,面積,C", several joined by ";".
                std::vector<CatchmentArea> areas;
                RainwaterInput read;
                for (const QString& area : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    if (auto problem = readRainwaterValue(RainwaterKey::Area, toStd(area), read))
                        return PasteRefusal{
                            QStringLiteral("%1行目の面積：%2").arg(row + 1).arg(fromStd(*problem)),
                            row, column};
                }
                facility.areas = read.areas;
            } else {
                cells[static_cast<std::size_t>(l)].emplace_back(column, value);
            }
        }
    }
    filling_ = true;
    const int oldRows = table_->rowCount();
    table_->setRowCount(static_cast<int>(data.size()));
    rows_ = std::move(data);
    for (int row = oldRows; row < table_->rowCount(); ++row)
        setRowTexts(row, rows_[static_cast<std::size_t>(row)]);
    for (int l = 0; l < lines.size(); ++l) {
        const int row = top + l;
        for (const auto& [column, value] : cells[static_cast<std::size_t>(l)])
            setCellText(row, column, value, true);
        refreshCompoundCells(row);
    }
    filling_ = false;
    invalidate();
    return std::nullopt;
}

QString NetworkSheet::copiedText() const {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    QStringList lines;
    if (ranges.isEmpty()) {
        QStringList header;
        for (int column = 0; column < table_->columnCount(); ++column)
            header << table_->horizontalHeaderItem(column)->text();
        lines << header.join(QLatin1Char('\t'));
        for (int row = 0; row < table_->rowCount(); ++row) {
            QStringList fields;
            for (int column = 0; column < table_->columnCount(); ++column)
                fields << cellText(row, column);
            lines << fields.join(QLatin1Char('\t'));
        }
    } else {
        const QTableWidgetSelectionRange& range = ranges.front();
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            QStringList fields;
            for (int column = range.leftColumn(); column <= range.rightColumn(); ++column)
                fields << cellText(row, column);
            lines << fields.join(QLatin1Char('\t'));
        }
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// ---------------------------------------------------------------- results

void NetworkSheet::showResult(const NetworkResult* result, const NetworkLevels* levels) {
    filling_ = true;
    const QColor warning = Form11::warningColour();
    for (int row = 0; row < table_->rowCount(); ++row) {
        QStringList texts;
        bool fails = false;
        std::vector<std::string> notes;
        if (result && static_cast<std::size_t>(row) < result->sections.size()) {
            std::vector<std::string> figures =
                networkRowTexts(*result, static_cast<std::size_t>(row));
            for (std::size_t c = 4; c < figures.size(); ++c)
                texts << fromStd(figures[c]);
            fails = result->sections[static_cast<std::size_t>(row)].capacityFails;
            if (levels) {
                const NetworkSectionLevels& own = levels->sections[static_cast<std::size_t>(row)];
                texts << levelTexts(own);
                notes = own.notes;
            }
        }
        for (int column = columns_.firstResult; column < table_->columnCount(); ++column) {
            const int index = column - columns_.firstResult;
            setCellText(row, column, index < texts.size() ? texts[index] : QString(), false);
            const bool last = column == table_->columnCount() - 1;
            const bool verdict =
                table_->horizontalHeaderItem(column)->text() == QStringLiteral("判定");
            if ((verdict && fails) || (last && !notes.empty()))
                table_->item(row, column)->setForeground(warning);
        }
        if (fails || !notes.empty()) {
            for (int column = 0; column < columns_.firstResult; ++column) {
                if (QTableWidgetItem* item = table_->item(row, column); item && column == 0)
                    item->setForeground(warning);
            }
        }
    }
    filling_ = false;
    table_->resizeColumnsToContents();
    // The profile's heads: every section nothing flows into.
    const QSignalBlocker blocker(headList_);
    headList_->clear();
    if (result) {
        std::vector<bool> fed(result->sections.size(), false);
        for (const NetworkSectionResult& s : result->sections) {
            if (s.downstream >= 0)
                fed[static_cast<std::size_t>(s.downstream)] = true;
        }
        headList_->addItem(QStringLiteral("（最長）"), -1);
        for (std::size_t i = 0; i < fed.size(); ++i) {
            if (!fed[i])
                headList_->addItem(fromStd(result->sections[i].name), static_cast<int>(i));
        }
    }
    profile_->show(result, levels);
}

void NetworkSheet::focusRefusal(const NetworkRefusal& refusal) {
    QWidget* key = nullptr;
    switch (refusal.what) {
    case NetworkField::Intensity:
        key = formList_ && intensityForms()[static_cast<std::size_t>(formList_->currentIndex())] ==
                               IntensityForm::Direct
                  ? static_cast<QWidget*>(directIntensity_)
              : refusal.field == RainwaterField::ConstantB ? constantB_
              : refusal.field == RainwaterField::ConstantN ? constantN_
                                                           : constantA_;
        break;
    case NetworkField::InletTime:
        key = inletTime_;
        break;
    case NetworkField::PerCapita:
        key = perCapita_;
        break;
    case NetworkField::Groundwater:
        key = groundwater_;
        break;
    case NetworkField::Allowance:
        key = allowance_;
        break;
    case NetworkField::MinimumCover:
        key = minimumCover_;
        break;
    default:
        break;
    }
    if (key && !refusal.section) {
        focusWholeText(key);
        return;
    }
    if (!refusal.section)
        return;
    const int row = static_cast<int>(*refusal.section);
    int column = columns_.name;
    switch (refusal.what) {
    case NetworkField::Population:
        column = columns_.population;
        break;
    case NetworkField::SewageFlow:
        column = columns_.sewageFlow;
        break;
    case NetworkField::Ground:
        column = columns_.groundUpper;
        break;
    case NetworkField::Invert:
        column = columns_.invert;
        break;
    case NetworkField::Wall:
        column = columns_.wall;
        break;
    case NetworkField::SectionField:
        column = refusal.field == RainwaterField::AreaTable && columns_.area >= 0
                     ? columns_.area
                     : columns_.facility;
        break;
    case NetworkField::SectionLine:
        column =
            refusal.message.find("延長") != std::string::npos ? columns_.length : columns_.name;
        break;
    default:
        break;
    }
    table_->setFocus(Qt::OtherFocusReason);
    table_->setCurrentCell(row, column);
}

// ---------------------------------------------------------------- keys

void NetworkSheet::cellChosen(int row, int column) {
    if (column == columns_.area)
        windows_.openAreaEditor(row);
    else if (column == columns_.facility)
        windows_.openFacilityEditor(row);
}

void NetworkSheet::moveOnFromCell() {
    const int row = table_->currentRow();
    const int column = table_->currentColumn();
    if (row < 0)
        return;
    if (column + 1 < columns_.firstResult)
        table_->setCurrentCell(row, column + 1);
    else if (row + 1 < table_->rowCount())
        table_->setCurrentCell(row + 1, 0);
}

bool NetworkSheet::eventFilter(QObject* watched, QEvent* event) {
    // Keys reach the table itself only while no cell is being edited.
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const int column = table_->currentColumn();
            if (column == columns_.area || column == columns_.facility)
                cellChosen(table_->currentRow(), column);
            else
                moveOnFromCell();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            keyPressEvent(key);
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void NetworkSheet::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        if (auto refused = paste(QApplication::clipboard()->text())) {
            showInputError(windows_.host().platform(), windows_.host().dialogParent(),
                           refused->message);
            table_->setFocus(Qt::OtherFocusReason);
            table_->setCurrentCell(refused->row, refused->column);
        }
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(copiedText());
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- NetworkWindows

NetworkWindows::NetworkWindows(SheetHost& host, QObject* parent)
    : QObject(parent), host_(host), editorWindows_(host) {}

NetworkWindows::~NetworkWindows() {
    destroyChildWindow(areaEditor_);
    destroyChildWindow(facilityEditor_);
    destroyChildWindow(sheet_);
}

QString NetworkWindows::notice() {
    return QStringLiteral("面積・施設のセルをダブルクリック（又はEnter）すると、その区間の"
                          "集水区域・施設の窓が開きます。");
}

void NetworkWindows::addChild(QWidget* window, int left, int top, int width, int height) {
    if (host_.onScreen() == OnScreen::Never)
        keepUnseenChildWindow(host_.mdiArea(), window, left, top, width, height);
    else
        addChildWindow(host_.mdiArea(), window, left, top, width, height);
}

void NetworkWindows::closeWindows() {
    clearResult();
    destroyChildWindow(areaEditor_);
    destroyChildWindow(facilityEditor_);
    destroyChildWindow(sheet_);
    editedRow_ = -1;
}

void NetworkWindows::showInput(const NetworkInput& input) {
    closeWindows();
    sheet_ = new NetworkSheet(*this, input.kind);
    addChild(sheet_, 0, 0, 17600, 13500);
    sheet_->apply(input);
}

void NetworkWindows::newDocument(NetworkKind kind) {
    NetworkInput input;
    input.kind = kind;
    input.sections.push_back(freshSection(kind));
    showInput(input);
    host_.setStatusMessage(notice());
    sheet_->table()->setCurrentCell(0, 0);
    sheet_->table()->setFocus(Qt::OtherFocusReason);
}

void NetworkWindows::takeBack(int row) {
    if (!sheet_ || row < 0 || row >= sheet_->table()->rowCount())
        return;
    NetworkSection section = sheet_->sectionData(row);
    RainwaterInput edited = section.facility;
    if (areaEditor_)
        areaEditor_->gather(edited);
    if (facilityEditor_)
        facilityEditor_->gather(edited);
    section.facility.areas = edited.areas;
    if (facilityEditor_) {
        std::vector<CatchmentArea> areas = section.facility.areas;
        section.facility = edited;
        section.facility.areas = std::move(areas);
    }
    if (!(section == sheet_->sectionData(row))) {
        sheet_->setSectionData(row, section);
        clearResult();
    }
}

void NetworkWindows::takeBackEditors() {
    if (editedRow_ >= 0)
        takeBack(editedRow_);
    destroyChildWindow(areaEditor_);
    destroyChildWindow(facilityEditor_);
    editedRow_ = -1;
}

NetworkInput NetworkWindows::input() {
    if (editedRow_ >= 0)
        takeBack(editedRow_);
    return sheet_ ? sheet_->gathered() : NetworkInput{};
}

void NetworkWindows::openAreaEditor(int row) {
    takeBackEditors();
    if (!sheet_ || sheet_->kind() != NetworkKind::Rainwater)
        return;
    editedRow_ = row;
    areaEditor_ = new RainwaterInputSheet(editorWindows_);
    // Only the area table is the row's: the intensity is the network's, on top.
    if (auto* intensity = areaEditor_->findChild<QFrame*>(QStringLiteral("FrameIntensity")))
        intensity->hide();
    RainwaterInput facility = sheet_->sectionData(row).facility;
    areaEditor_->apply(facility);
    areaEditor_->setWindowTitle(
        QStringLiteral("区間「%1」の集水区域").arg(sheet_->table()->item(row, 0)->text()));
    constexpr WindowPlace place = windowPlaces::inputSheet;
    addChild(areaEditor_, place.left + 600, place.top + 600, place.width, place.height);
    areaEditor_->landUseList()->setFocus(Qt::OtherFocusReason);
    watchClose(areaEditor_);
}

void NetworkWindows::openFacilityEditor(int row) {
    takeBackEditors();
    if (!sheet_)
        return;
    editedRow_ = row;
    facilityEditor_ = new RainwaterFacilityWindow(editorWindows_);
    // The network is computed by its own 計算.
    facilityEditor_->computeButton()->hide();
    facilityEditor_->apply(sheet_->sectionData(row).facility);
    facilityEditor_->setWindowTitle(
        QStringLiteral("区間「%1」の施設").arg(sheet_->table()->item(row, 0)->text()));
    constexpr WindowPlace place = windowPlaces::facilityWindow;
    addChild(facilityEditor_, place.left + 600, place.top + 600, place.width, place.height);
    facilityEditor_->kindList()->setFocus(Qt::OtherFocusReason);
    watchClose(facilityEditor_);
}

void NetworkWindows::watchClose(QWidget* editor) {
    // Closing an editor's frame gives its row back before the window goes.
    QWidget* frame = editor->parentWidget();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
        sub->installEventFilter(this);
}

bool NetworkWindows::eventFilter(QObject* watched, QEvent* event) {
    // Only one editor is open at a time: its frame closing ends the row's editing.
    if (event->type() == QEvent::Close && editedRow_ >= 0) {
        takeBack(editedRow_);
        editedRow_ = -1;
    }
    return QObject::eventFilter(watched, event);
}

void NetworkWindows::clearResult() {
    const bool had = result_.has_value();
    result_.reset();
    levels_.reset();
    if (sheet_ && had)
        sheet_->showResult(nullptr, nullptr);
    if (had)
        host_.resultChanged();
}

QString NetworkWindows::firstProblem() const {
    for (std::size_t i = 0; i < result_->sections.size(); ++i) {
        const NetworkSectionResult& s = result_->sections[i];
        if (s.capacityFails)
            return QStringLiteral("区間「%1」：計画流量が施設の流量を超えています（NG）。")
                .arg(fromStd(s.name));
        if (!levels_->sections[i].notes.empty())
            return QStringLiteral("区間「%1」：注意　%2")
                .arg(fromStd(s.name), fromStd(levels_->sections[i].notes.front()));
    }
    return QString();
}

bool NetworkWindows::compute() {
    if (!sheet_)
        return false;
    const NetworkInput in = input();
    clearResult();
    NetworkOutcome outcome = computeNetwork(in);
    std::optional<NetworkRefusal> refused = outcome.failure;
    NetworkLevelsOutcome levels;
    if (!refused) {
        levels = computeNetworkLevels(in, outcome.result);
        refused = levels.failure;
    }
    if (refused) {
        showInputError(host_.platform(), host_.dialogParent(), fromStd(refused->message));
        focusRefusal(*refused);
        return false;
    }
    result_ = std::move(outcome.result);
    levels_ = std::move(levels.levels);
    sheet_->showResult(&*result_, &*levels_);
    const QString problem = firstProblem();
    if (!problem.isEmpty()) {
        if (std::any_of(result_->sections.begin(), result_->sections.end(),
                        [](const NetworkSectionResult& s) { return s.capacityFails; }))
            host_.platform().beep();
        host_.setStatusMessage(problem);
    }
    host_.resultChanged();
    return true;
}

void NetworkWindows::focusRefusal(const NetworkRefusal& refusal) {
    if (sheet_)
        sheet_->focusRefusal(refusal);
}

void NetworkWindows::setDocumentTitle(const QString& path) {
    if (sheet_)
        sheet_->setWindowTitle(path);
}

} // namespace tovarin
