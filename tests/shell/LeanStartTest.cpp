// What the program does to start and build its windows cheaply must not change what
// they show: the compiled-in icons against the image files, the title-bar icons of
// the style and its extension-button icons made when drawn, the fonts by installed
// names, and labels measured once or when shown.

#include "platform/qt/JapaneseFonts.h"
#include "sheets/Controls.h"
#include "shell/BuiltInIcons.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/ShellResources.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QtTest>

using namespace tovarin;

namespace {

QImage pixelsOf(const QIcon& icon, QSize size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage pixelsOfFile(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The icon painted into a rectangle of a transparent image at a pixel ratio.
QImage paintedInto(const QIcon& icon, QSize rectangle, qreal ratio) {
    QImage image(QSize(48, 48) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.paint(&painter, QRect(QPoint(2, 3), rectangle));
    return image;
}

} // namespace

class LeanStartTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initShellResources();
        QVERIFY(
            setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance())));
    }

    void builtInIconsHaveTheImageFilesPixels() {
        const QImage program = pixelsOfFile(QStringLiteral(":/tovarin/icons/tovarin.xpm"));
        QVERIFY(!program.isNull());
        QCOMPARE(pixelsOf(programIcon(), program.size()), program);
        for (const char* name : {"new", "open", "save", "image", "print"}) {
            const QImage file =
                pixelsOfFile(QStringLiteral(":/tovarin/icons/%1.xpm").arg(QLatin1String(name)));
            QVERIFY2(!file.isNull(), name);
            QCOMPARE(pixelsOf(toolbarIcon(name), file.size()), file);
            // The disabled look the toolbar draws from it.
            QCOMPARE(toolbarIcon(name).pixmap(file.size(), QIcon::Disabled).toImage(),
                     QIcon(QStringLiteral(":/tovarin/icons/%1.xpm").arg(QLatin1String(name)))
                         .pixmap(file.size(), QIcon::Disabled)
                         .toImage());
        }
        QVERIFY(toolbarIcon("no-such-image").isNull());
    }

    // The style hands out the same title-bar icons again, with the base style's pixels.
    void titleBarIconsAreMadeOnceWithTheStylesPixels() {
        auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        for (auto kind : {QStyle::SP_TitleBarMenuButton, QStyle::SP_TitleBarCloseButton,
                          QStyle::SP_TitleBarNormalButton}) {
            const QIcon first = style->standardIcon(kind);
            QCOMPARE(style->standardIcon(kind).cacheKey(), first.cacheKey());
            const QIcon fresh = style->baseStyle()->standardIcon(kind);
            QCOMPARE(first.pixmap(16).toImage(), fresh.pixmap(16).toImage());
        }
    }

    // The extension button's icon, made only when drawn, draws and measures exactly as
    // the base style's own, at every size and pixel ratio a toolbar may ask for.
    void extensionIconsDrawAsTheStylesOwn() {
        auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(style);
        QStyleOption rightToLeft; // as the toolbar's button passes its own
        rightToLeft.direction = Qt::RightToLeft;
        const QStyleOption* const options[] = {nullptr, &rightToLeft};
        for (auto kind : {QStyle::SP_ToolBarHorizontalExtensionButton,
                          QStyle::SP_ToolBarVerticalExtensionButton})
            for (const QStyleOption* option : options) {
                const QIcon late = style->standardIcon(kind, option);
                const QIcon own = style->baseStyle()->standardIcon(kind, option);
                QVERIFY(!late.isNull());
                QCOMPARE(late.availableSizes(), own.availableSizes());
                for (int side : {8, 12, 16, 24, 32}) {
                    const QSize size(side, side);
                    QCOMPARE(late.actualSize(size), own.actualSize(size));
                    for (qreal ratio : {1.0, 1.5, 2.0}) {
                        for (auto mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                            const QPixmap drawn = late.pixmap(size, ratio, mode);
                            const QPixmap expected = own.pixmap(size, ratio, mode);
                            QCOMPARE(drawn.devicePixelRatio(), expected.devicePixelRatio());
                            QCOMPARE(drawn.toImage(), expected.toImage());
                        }
                    }
                    // Painted into a larger square, centred as the style's own.
                    for (qreal ratio : {1.0, 2.0}) {
                        QCOMPARE(paintedInto(late, size * 1.2, ratio),
                                 paintedInto(own, size * 1.2, ratio));
                    }
                }
            }
    }

    void fontsAreAskedForByInstalledNames() {
        QCOMPARE(minchoFamily(), QStringLiteral("IPAMincho"));
        QCOMPARE(gothicFamily(), QStringLiteral("IPAGothic"));
        QCOMPARE(proportionalGothicFamily(), QStringLiteral("IPAPGothic"));
        // The same glyph advances as through the substitution: full width twice half.
        QFont mincho(minchoFamily());
        mincho.setPointSizeF(11.25);
        QFont substituted(QStringLiteral("ＭＳ 明朝"));
        substituted.setPointSizeF(11.25);
        QCOMPARE(QFontInfo(substituted).family(), QFontInfo(mincho).family());
        const QString line = QStringLiteral("Ｑ1= 0.0041 m3/sec ∴ O.K");
        QCOMPARE(QFontMetricsF(mincho).horizontalAdvance(line),
                 QFontMetricsF(substituted).horizontalAdvance(line));
        QCOMPARE(QFontMetricsF(mincho).horizontalAdvance(QString(19, u'0')),
                 19 * QFontMetricsF(mincho).horizontalAdvance(u'0'));
    }

    // A label fitted while hidden gets, when shown, the size adjustSize() gives the
    // same text; one sized by hand in between keeps that size; one visible at once
    // is fitted at once, in its own font.
    void labelsFitWhenShownAsAdjustSizeWould() {
        QMdiArea area;
        area.resize(600, 400);
        QWidget form;
        form.setFont(sheetFont());
        auto* fitted = addLabel(&form, "fitted", QStringLiteral("計画汚水量"), 100, 100);
        auto* changed = addLabel(&form, "changed", QStringLiteral("短い"), 100, 400);
        changed->setText(QStringLiteral("あとから長くなった見出し")); // not refitted
        auto* byHand = addLabel(&form, "byHand", QStringLiteral("手で決めた大きさ"), 100, 700);
        byHand->resize(7, 9);

        QLabel reference(QStringLiteral("計画汚水量"));
        reference.setFont(sheetFont());
        QLabel shortReference(QStringLiteral("短い"));
        shortReference.setFont(sheetFont());

        area.addSubWindow(&form)->show();
        area.show();
        QTRY_VERIFY(fitted->isVisible());
        QCOMPARE(fitted->size(), reference.sizeHint());
        QCOMPARE(changed->size(), shortReference.sizeHint());
        QCOMPARE(byHand->size(), QSize(7, 9));

        // Visible: fitted at once, to the new text.
        fitted->setText(QStringLiteral("計画汚水量の割増し"));
        fitToText(fitted);
        QLabel longer(QStringLiteral("計画汚水量の割増し"));
        longer.setFont(sheetFont());
        QCOMPARE(fitted->size(), longer.sizeHint());

        // Sizes are remembered per text and font: the same text twice as large is
        // measured anew.
        auto* large = new QLabel(fitted->text(), &form);
        large->setFont(gothicFont(18.0));
        large->show();
        fitToText(large);
        longer.setFont(gothicFont(18.0));
        QCOMPARE(large->size(), longer.sizeHint());
        QVERIFY(large->width() > fitted->width());
        area.removeSubWindow(&form);
    }
};

QTEST_MAIN(LeanStartTest)
#include "LeanStartTest.moc"
