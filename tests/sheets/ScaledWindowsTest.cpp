// The input windows as drawn on the screen: the list boxes keep their whole frame at
// every display scale. ctest runs this program at
// several scale factors (QT_SCALE_FACTOR).

#include "sheets/Form1.h"
#include "sheets/Form2.h"
#include "tests/sheets/SheetTestKit.h"

#include <QImage>
#include <QListWidget>
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
};

QTEST_MAIN(ScaledWindowsTest)
#include "ScaledWindowsTest.moc"
