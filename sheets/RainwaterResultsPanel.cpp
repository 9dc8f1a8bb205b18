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
        addPanelLabel("lblTitle", QStringLiteral("★\u3000計 算 結 果"), 360, 210, large);
    setTextColour(title, Form11::resultGreen());
    addPanelLabel("lblVerdictHeading", QStringLiteral("判\u3000定"), 600, 750, heading);
    verdict_ = addPanelLabel("lblVerdict", qtext(texts.verdict), 1440, 720, large);

    addPanelLabel("lblPlannedFlowHeading", QStringLiteral("◎\u3000計画雨水量"), 2520, 210, heading);
    addPanelLabel("lblQ", QStringLiteral("Ｑ="), 3360, 480, small);
    plannedFlow_ = addPanelLabel("lblPlannedFlow", qtext(texts.plannedFlow), 3900, 450, large);
    addPanelLabel("lblQUnit", QStringLiteral("m3/sec"), 4830, 480, small);
    addPanelLabel("lblCapacityHeading", QStringLiteral("◎\u3000流\u3000\u3000  量"), 2520, 840,
                  heading);
    addPanelLabel("lblQ2", QStringLiteral("Ｑ2="), 3360, 1110, small);
    capacity_ = addPanelLabel("lblCapacity", qtext(texts.capacity), 3900, 1080, large);
    addPanelLabel("lblQ2Unit", QStringLiteral("m3/sec"), 4830, 1110, small);

    addPanelLabel("lblVelocityHeading", QStringLiteral("○\u3000流\u3000  \u3000速"), 5820, 180,
                  heading);
    addPanelLabel("lblV", QStringLiteral("Ｖ="), 7200, 210, small);
    velocity_ = addPanelLabel("lblVelocity", qtext(texts.velocity), 7620, 180, large);
    addPanelLabel("lblVUnit", QStringLiteral("m/sec"), 8580, 210, small);
    guide_ = addPanelLabel("lblGuide", qtext(texts.velocityGuide), 9360, 180, large);

    addPanelLabel("lblIntensityHeading", QStringLiteral("○\u3000降雨強度"), 5820, 630, heading);
    addPanelLabel("lblI", QStringLiteral("Ｉ="), 7200, 660, small);
    intensity_ = addPanelLabel("lblIntensity", qtext(texts.intensity), 7620, 630, large);
    addPanelLabel("lblIUnit", QStringLiteral("mm/hr"), 8580, 660, small);

    QLabel* timeHeading =
        addPanelLabel("lblTimeHeading", QStringLiteral("○\u3000到達時間"), 5820, 1080, heading);
    QLabel* timeSymbol = addPanelLabel("lblT", QStringLiteral("ｔ="), 7200, 1110, small);
    time_ =
        addPanelLabel("lblTime", qtext(texts.concentrationTime.value_or("")), 7620, 1080, large);
    QLabel* timeUnit = addPanelLabel("lblTUnit", QStringLiteral("min"), 8580, 1110, small);
    flowTime_ = addPanelLabel("lblFlowTime",
                              QStringLiteral("（ｔ2=%1）").arg(qtext(texts.flowTime.value_or(""))),
                              9120, 1110, small);
    if (!texts.concentrationTime) {
        for (QLabel* label : {timeHeading, timeSymbol, time_, timeUnit, flowTime_})
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

QLabel* RainwaterResultsPanel::addPanelLabel(const char* name, const QString& text, int left,
                                             int top, const QFont& font) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    placeTwips(label, left, top);
    return label;
}

} // namespace tovarin
