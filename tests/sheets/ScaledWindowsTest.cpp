// The input windows as drawn on the screen: the list boxes keep their whole frame at
// every display scale, the unit labels are legible, and the rainwater windows show
// every caption whole. ctest runs this program at several scale factors
// (QT_SCALE_FACTOR).

#include "sheets/Form1.h"
#include "sheets/Form2.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/RainwaterWindows.h"
#include "tests/sheets/SheetTestKit.h"
#include "tests/support/RainwaterInputs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// The window as on the screen, in device pixels.
QImage shot(QWidget* window) {
    QApplication::processEvents();
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The device pixel row or column at the centre of a logical one.
int devicePixel(int logical, double ratio) {
    return static_cast<int>((logical + 0.5) * ratio);
}

// Walks from the window's background two pixels outside the list's edge towards its inside;
// the first pixel that is not the background must be the frame's line, darker than
// both the background and the list's white.
void expectFrameLine(const QImage& image, double ratio, QPoint outside, QPoint step,
                     const char* edge) {
    QPoint at(devicePixel(outside.x(), ratio), devicePixel(outside.y(), ratio));
    const QRgb background = image.pixel(at);
    for (int i = 0; i < 6 * ratio && image.pixel(at) == background; ++i)
        at += step;
    const int grey = qGray(image.pixel(at));
    if (grey >= qGray(background) || grey >= 250)
        QFAIL(qPrintable(QStringLiteral("the %1 frame line is missing at %2 (grey %3)")
                             .arg(QLatin1String(edge))
                             .arg(ratio)
                             .arg(grey)));
}

void expectWholeFrame(QWidget* window, QListWidget* list) {
    const QImage image = shot(window);
    const double ratio = image.devicePixelRatio();
    const QRect box(list->mapTo(window, QPoint(0, 0)), list->size());
    const QPoint centre = box.center();
    expectFrameLine(image, ratio, {centre.x(), box.bottom() + 2}, {0, -1}, "bottom");
    expectFrameLine(image, ratio, {centre.x(), box.top() - 2}, {0, 1}, "top");
    expectFrameLine(image, ratio, {box.left() - 2, centre.y()}, {1, 0}, "left");
    expectFrameLine(image, ratio, {box.right() + 2, centre.y()}, {-1, 0}, "right");
}

// The strokes across the middle of the label's first glyph: the number of runs of
// pixels at least half as dark as the text colour against the background.
int strokesOfFirstGlyph(QLabel* label) {
    const QImage image = shot(label);
    const int row = image.height() / 2 + 1;
    const int background = qGray(image.pixel(image.width() - 1, 0));
    const int threshold = background / 2;
    const int glyphEnd = static_cast<int>(
        label->fontMetrics().horizontalAdvance(label->text().left(1)) * image.devicePixelRatio());
    int strokes = 0;
    bool inStroke = false;
    for (int x = 0; x < glyphEnd; ++x) {
        const bool dark = qGray(image.pixel(x, row)) < threshold;
        strokes += dark && !inStroke;
        inStroke = dark;
    }
    return strokes;
}

// The room a caption's text needs inside its control: the text itself, and the mark
// of an option or the margins of a button.
QSize roomForText(QWidget* control, const QString& text) {
    const QFontMetrics metrics = control->fontMetrics();
    QString shown = text;
    shown.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    int width = metrics.horizontalAdvance(shown);
    QStyle* style = control->style();
    if (qobject_cast<QRadioButton*>(control))
        width += style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control);
    else if (qobject_cast<QCheckBox*>(control))
        width += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
                 style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
    else if (qobject_cast<QPushButton*>(control))
        width += 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
    else if (auto* label = qobject_cast<QLabel*>(control))
        width += 2 * (label->frameWidth() + label->margin());
    return {width, metrics.height()};
}

// Every caption of the window (labels, buttons, options) has room for its whole text,
// and no two controls side by side cover each other.
void expectCaptionsWhole(QWidget* window) {
    QApplication::processEvents();
    QList<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(window))
            continue;
        auto* label = qobject_cast<QLabel*>(child);
        auto* button = qobject_cast<QAbstractButton*>(child);
        if (label || button || qobject_cast<QLineEdit*>(child))
            controls.append(child);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (text.isEmpty() || (label && label->wordWrap()))
            continue;
        const QSize room = roomForText(child, text);
        QVERIFY2(child->width() >= room.width() && child->height() >= room.height(),
                 qPrintable(QStringLiteral("%1 \"%2\" %3x%4, needs %5x%6")
                                .arg(child->objectName(), text)
                                .arg(child->width())
                                .arg(child->height())
                                .arg(room.width())
                                .arg(room.height())));
    }
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            if (a < b && a->parentWidget() == b->parentWidget())
                QVERIFY2(
                    !a->geometry().intersects(b->geometry()),
                    qPrintable(
                        QStringLiteral("%1 and %2 overlap").arg(a->objectName(), b->objectName())));
        }
    }
}

} // namespace

class ScaledWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerFontSubstitutions(); }

    void listsKeepTheirFrame() {
        NewDocument doc;
        expectWholeFrame(&doc.host.window, doc.windows->form1()->lst_s());
        expectWholeFrame(&doc.host.window, doc.windows->form2()->lst_pu());
    }

    // The "m" after H, B and D shows its three stems, unclipped.
    void metreLabelsAreLegible() {
        NewDocument doc;
        const auto check = [](QWidget* window, const char* name) {
            auto* label = window->findChild<QLabel*>(QLatin1String(name));
            QVERIFY(label);
            QCOMPARE(label->text(), QStringLiteral("m"));
            QVERIFY(label->width() >= label->sizeHint().width());
            QVERIFY(label->height() >= label->sizeHint().height());
            QCOMPARE(strokesOfFirstGlyph(label), 3);
        };
        Form4* rectangular = doc.windows->openForm4();
        check(rectangular, "Label12");
        check(rectangular, "Label2");
        Form5* circular = doc.windows->openForm5();
        check(circular, "Label2");
    }

    // The two ○ without a caption beside 直接入力 and 計算する hold their whole
    // indicator, drawn clear of the buttons beside them.
    void captionlessOptionsShowTheirWholeMark() {
        NewDocument doc;
        Form1* sheet = doc.windows->form1();
        for (int number : {7, 8}) {
            QRadioButton* option = sheet->opt(number);
            QVERIFY(option->text().isEmpty());
            QStyleOptionButton style;
            style.initFrom(option);
            const QRect mark =
                option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, option);
            QVERIFY2(option->rect().contains(mark),
                     qPrintable(QStringLiteral("opt%1 %2x%3, mark %4x%5 at %6,%7")
                                    .arg(number)
                                    .arg(option->width())
                                    .arg(option->height())
                                    .arg(mark.width())
                                    .arg(mark.height())
                                    .arg(mark.x())
                                    .arg(mark.y())));
            const QPushButton* next = number == 8 ? sheet->cmd2() : sheet->cmd1();
            QVERIFY(option->geometry().right() < next->geometry().left());
        }
    }

    // The rainwater input sheet, its facility window with the fields of each kind of
    // facility, and its results panel.
    void rainwaterCaptionsAreWhole() {
        RainwaterInput circular = uDitchInput();
        circular.facilityKind = RainwaterFacilityKind::OtherCircular;
        circular.materialText = "円形管";
        circular.diameterText = "0.30";
        RainwaterInput catalogue = uDitchInput();
        catalogue.facilityKind = RainwaterFacilityKind::VP;
        catalogue.sizeListPosition = 3;
        for (const RainwaterInput& input :
             {uDitchInput(), trapezoidInput("0.30", "0.30", "0.5"), circular, catalogue}) {
            TestHost host;
            QVERIFY(host.showAndActivate());
            RainwaterWindows rain(host);
            rain.showInput(input);
            QVERIFY(rain.compute());
            expectCaptionsWhole(rain.inputSheet());
            expectCaptionsWhole(rain.facilityWindow());
            expectCaptionsWhole(rain.resultsPanel());
        }
    }
};

QTEST_MAIN(ScaledWindowsTest)
#include "ScaledWindowsTest.moc"
