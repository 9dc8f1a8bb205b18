#include "sheets/Form11.h"

#include "engine/ResultTexts.h"
#include "platform/qt/Twips.h"
#include "sheets/Controls.h"

#include <QAction>
#include <QLabel>

namespace tovarin {

Form11::Form11(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form11"));
    resize(twipsSize(widthTwips, heightTwips));
    designAids_ = new QAction(QStringLiteral("設計補助…"), this);
    connect(designAids_, &QAction::triggered, this, &Form11::designAidsRequested);
    addAction(designAids_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const QFont heading = proportionalGothicFont(9.75);
    const QFont large = gothicFont(11.25);
    const QFont small = gothicFont(9.75);

    addPanelLabel(1, QStringLiteral("★\u3000計 算 結 果"), 360, 210, large);
    addPanelLabel(2, QStringLiteral("◎\u3000計画汚水量"), 2760, 210, heading);
    addPanelLabel(16, QStringLiteral("1.25"), 2910, 480, small);
    addPanelLabel(17, QStringLiteral("×"), 3420, 480, small);
    addPanelLabel(14, QStringLiteral("Ｑ1="), 3600, 480, small);
    addPanelLabel(3, QStringLiteral("234567"), 4140, 450, large);
    addPanelLabel(4, QStringLiteral("m3/sec"), 5070, 480, small);
    addPanelLabel(5, QStringLiteral("◎\u3000流\u3000\u3000  量"), 2760, 840, heading);
    addPanelLabel(15, QStringLiteral("Ｑ2="), 3600, 1110, small);
    addPanelLabel(6, QStringLiteral("234567"), 4140, 1080, large);
    addPanelLabel(7, QStringLiteral("m3/sec"), 5100, 1110, small);
    addPanelLabel(8, QStringLiteral("○\u3000流\u3000  \u3000速"), 6660, 180, heading);
    addPanelLabel(19, QStringLiteral("Ｖ="), 8280, 210, small);
    addPanelLabel(9, QStringLiteral("234567"), 8700, 180, large);
    addPanelLabel(10, QStringLiteral("m/sec"), 9660, 210, small);
    addPanelLabel(11, QStringLiteral("◇ 最大計画人口"), 6660, 630, heading);
    addPanelLabel(18, QStringLiteral("Amax="), 8250, 660, small);
    addPanelLabel(12, QStringLiteral("23456789"), 8850, 630, large);
    addPanelLabel(13, QStringLiteral("人"), 9930, 660, small);
    addPanelLabel(20, QStringLiteral("□\u3000余  裕  率"), 6660, 1080, heading);
    addPanelLabel(21, QStringLiteral("23456.00"), 8220, 1080, large);
    addPanelLabel(22, QStringLiteral("％"), 9240, 1080, small);

    setTextColour(lbl_[1], resultGreen());
    setTextColour(lbl_[9], resultGreen());
    for (int number : {3, 6, 12, 21})
        setTextColour(lbl_[number], Qt::black);
}

QLabel* Form11::lbl(int number) const {
    return number >= 1 && number <= 22 ? lbl_[number] : nullptr;
}

QLabel* Form11::addPanelLabel(int number, const QString& text, int left, int top,
                              const QFont& font) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("lbl%1").arg(number));
    label->setFont(font);
    placeTwips(label, left, top);
    lbl_[number] = label;
    return label;
}

void Form11::setValue(int number, const std::string& text) {
    lbl_[number]->setText(QString::fromStdString(text));
    fitToText(lbl_[number]);
}

void Form11::hideLabels(std::initializer_list<int> numbers) {
    for (int number : numbers)
        lbl_[number]->hide();
}

void Form11::fill(const CalcSheet& sheet, const Assessment& assessment) {
    const ResultTexts texts = resultTexts(sheet, assessment);
    if (!texts.maxPopulation)
        hideLabels({11, 12, 13, 18});

    // Without an allowance the factor and its "×" stay blank: "Ｑ1=" shows Q1 itself.
    setValue(16, texts.allowanceFactor);
    setValue(17, texts.allowanceFactor.empty() ? "" : "×");
    setValue(3, texts.allowedFlow);

    if (assessment.capacityFails)
        setTextColour(lbl_[6], warningColour());
    setValue(6, texts.capacity);
    setValue(9, texts.velocity);

    if (texts.maxPopulation)
        setValue(12, *texts.maxPopulation);

    if (!texts.marginRatio) {
        hideLabels({20, 21, 22});
    } else {
        setTextColour(lbl_[21], assessment.marginFails ? warningColour() : QColor(Qt::black));
        setValue(21, *texts.marginRatio);
    }
}

QStringList Form11::captions() const {
    QStringList texts;
    for (int number : {3, 6, 9, 12, 21})
        texts.append(lbl_[number]->text());
    return texts;
}

void Form11::setCaptions(const QStringList& texts) {
    const int numbers[] = {3, 6, 9, 12, 21};
    for (qsizetype i = 0; i < texts.size() && i < 5; ++i) {
        lbl_[numbers[i]]->setText(texts[i]);
        fitToText(lbl_[numbers[i]]);
    }
}

} // namespace tovarin
