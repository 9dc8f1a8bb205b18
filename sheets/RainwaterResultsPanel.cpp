#include "sheets/RainwaterResultsPanel.h"

#include "platform/qt/Twips.h"
#include "sheets/Controls.h"
#include "sheets/Form11.h"
#include "sheets/WindowPlaces.h"

#include <QLabel>

namespace tovarin {

namespace {

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

// The lefts of a column of figures: symbol ("Ｑ="), value and unit; Q and Q2 on the
// left, V, I and t on the right.
struct FigureColumn {
    int symbolLeft;
    int valueLeft;
    int unitLeft;
};
constexpr FigureColumn flowColumn{3360, 3900, 4830};
constexpr FigureColumn rightColumn{7200, 7620, 8580};

// A figure: its column, the top of its value, and the names and texts of its labels.
struct FigureRow {
    FigureColumn column;
    int top;
    const char* symbolName;
    const char* symbol;
    const char* valueName;
    const char* unitName;
    const char* unit;
};
constexpr FigureRow plannedFlowRow{
    flowColumn, 450, "lblQ", "Ｑ=", "lblPlannedFlow", "lblQUnit", "m3/sec"};
constexpr FigureRow capacityRow{
    flowColumn, 1080, "lblQ2", "Ｑ2=", "lblCapacity", "lblQ2Unit", "m3/sec"};
constexpr FigureRow velocityRow{
    rightColumn, 180, "lblV", "Ｖ=", "lblVelocity", "lblVUnit", "m/sec"};
constexpr FigureRow intensityRow{
    rightColumn, 630, "lblI", "Ｉ=", "lblIntensity", "lblIUnit", "mm/hr"};
constexpr FigureRow timeRow{rightColumn, 1080, "lblT", "ｔ=", "lblTime", "lblTUnit", "min"};

QLabel* addPanelLabel(QWidget* panel, const char* name, const QString& text, int left, int top,
                      const QFont& font) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    placeTwips(label, left, top);
    return label;
}

// A figure's labels: its symbol, its value and its unit.
struct Figure {
    QLabel* symbol = nullptr;
    QLabel* value = nullptr;
    QLabel* unit = nullptr;
};

// The symbol and the unit in the small Gothic stand on the line of the larger value.
Figure addFigure(QWidget* panel, const FigureRow& row, const QString& value) {
    const QFont small = gothicFont(9.75);
    Figure figure;
    figure.symbol = addPanelLabel(panel, row.symbolName, QString::fromUtf8(row.symbol),
                                  row.column.symbolLeft, row.top + 30, small);
    figure.value = addPanelLabel(panel, row.valueName, value, row.column.valueLeft, row.top,
                                 gothicFont(11.25));
    figure.unit = addPanelLabel(panel, row.unitName, QString::fromUtf8(row.unit),
                                row.column.unitLeft, row.top + 30, small);
    return figure;
}

} // namespace

RainwaterResultsPanel::RainwaterResultsPanel(const RainwaterResult& result, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("RainwaterResultsPanel"));
    resize(twipsSize(windowPlaces::resultsPanel.width, windowPlaces::resultsPanel.height));
    const QFont heading = proportionalGothicFont(9.75);
    const QFont large = gothicFont(11.25);
    const QFont small = gothicFont(9.75);
    const RainwaterTexts texts = rainwaterTexts(result);

    QLabel* title =
        addPanelLabel(this, "lblTitle", QStringLiteral("★\u3000計 算 結 果"), 360, 210, large);
    setTextColour(title, Form11::resultGreen());
    addPanelLabel(this, "lblVerdictHeading", QStringLiteral("判\u3000定"), 600, 750, heading);
    verdict_ = addPanelLabel(this, "lblVerdict", qtext(texts.verdict), 1440, 720, large);

    addPanelLabel(this, "lblPlannedFlowHeading", QStringLiteral("◎\u3000計画雨水量"), 2520, 210,
                  heading);
    plannedFlow_ = addFigure(this, plannedFlowRow, qtext(texts.plannedFlow)).value;
    addPanelLabel(this, "lblCapacityHeading", QStringLiteral("◎\u3000流\u3000\u3000  量"), 2520,
                  840, heading);
    capacity_ = addFigure(this, capacityRow, qtext(texts.capacity)).value;

    addPanelLabel(this, "lblVelocityHeading", QStringLiteral("○\u3000流\u3000  \u3000速"), 5820,
                  180, heading);
    velocity_ = addFigure(this, velocityRow, qtext(texts.velocity)).value;
    guide_ = addPanelLabel(this, "lblGuide", qtext(texts.velocityGuide), 9360, 180, large);

    addPanelLabel(this, "lblIntensityHeading", QStringLiteral("○\u3000降雨強度"), 5820, 630,
                  heading);
    intensity_ = addFigure(this, intensityRow, qtext(texts.intensity)).value;

    QLabel* timeHeading = addPanelLabel(this, "lblTimeHeading", QStringLiteral("○\u3000到達時間"),
                                        5820, 1080, heading);
    const Figure time = addFigure(this, timeRow, qtext(texts.concentrationTime.value_or("")));
    time_ = time.value;
    flowTime_ = addPanelLabel(this, "lblFlowTime",
                              QStringLiteral("（ｔ2=%1）").arg(qtext(texts.flowTime.value_or(""))),
                              9120, 1110, small);
    if (!texts.concentrationTime) {
        for (QLabel* label : {timeHeading, time.symbol, time_, time.unit, flowTime_})
            label->hide();
    }

    for (QLabel* value : {plannedFlow_, capacity_, intensity_, time_})
        setTextColour(value, Qt::black);
    setTextColour(velocity_, Form11::resultGreen());
    // The verdicts are the engine's: NG and a velocity outside 0.8–3.0 m/sec warn.
    const QColor verdictColour =
        result.capacityFails ? Form11::warningColour() : Form11::resultGreen();
    setTextColour(verdict_, verdictColour);
    if (result.capacityFails)
        setTextColour(capacity_, Form11::warningColour());
    setTextColour(guide_, result.guide == VelocityGuide::Suitable ? Form11::resultGreen()
                                                                  : Form11::warningColour());
}

} // namespace tovarin
