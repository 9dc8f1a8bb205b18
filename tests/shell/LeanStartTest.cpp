// What the program does to start and build its windows cheaply must not change what
// they show: the compiled-in icons against the image files, the title-bar icons of
// the style, the fonts by installed names, and labels measured once or when shown.

#include "BuiltInIcons.h"
#include "Controls.h"
#include "JapaneseEnvironment.h"
#include "JapaneseFonts.h"
#include "ShellResources.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProxyStyle>
#include <QStyle>
#include <QtTest>

using namespace tovarin;

namespace {

QImage pixelsOf(const QIcon& icon, QSize size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage pixelsOfFile(const QString& path) {
    return QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class LeanStartTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initShellResources();
        QVERIFY(setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance())));
    }

    void builtInIconsHaveTheImageFilesPixels() {
        const QImage program = pixelsOfFile(QStringLiteral(":/tovarin/icons/tovarin.xpm"));
        QVERIFY(!program.isNull());
        QCOMPARE(pixelsOf(programIcon(), program.size()), program);
        for (const char* name : {"new", "open", "save", "image", "print"}) {
            const QImage file = pixelsOfFile(QStringLiteral(":/tovarin/icons/%1.xpm").arg(QLatin1String(name)));
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
    // is fitted at once.
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
        area.removeSubWindow(&form);
    }
};

QTEST_MAIN(LeanStartTest)
#include "LeanStartTest.moc"
