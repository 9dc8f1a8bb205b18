// The Japanese environment, the real message box through QtPlatform, and the
// About box.

#include "platform/qt/Platform.h"
#include "shell/Form10.h"
#include "shell/JapaneseEnvironment.h"
#include "tests/shell/ModalAnswer.h"

#include <QFileDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::answerModal;

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fontsResolveToTheJapaneseFonts();
    void realMessageBoxShowsJapaneseButtons();
    void aboutBoxLayout();
    void fileDialogListsInJapanese();
};

void DialogsTest::initTestCase() {
    QVERIFY(setUpJapaneseEnvironment(*static_cast<QApplication*>(QCoreApplication::instance())));
    QCOMPARE(QLocale().language(), QLocale::Japanese);
}

void DialogsTest::fontsResolveToTheJapaneseFonts() {
    const QFont appFont = QApplication::font();
    // Asked for by its installed name, the font "ＭＳ ゴシック" stands for.
    QCOMPARE(appFont.family(), QStringLiteral("IPAGothic"));
    QCOMPARE(appFont.pointSize(), 9);
    QCOMPARE(QFontInfo(appFont).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(QFont(QStringLiteral("ＭＳ 明朝"), 12)).family(),
             QStringLiteral("IPAMincho"));
    QCOMPARE(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9)).family(),
             QStringLiteral("IPAPGothic"));
}

void DialogsTest::realMessageBoxShowsJapaneseButtons() {
    QString title, text, yesText, noText, defaultText;
    QMessageBox::Icon icon = QMessageBox::Information;
    QtPlatform platform;
    MessageRequest question;
    question.text = QStringLiteral("終了してもよろしいですか？");
    question.title = QStringLiteral("確認");
    question.buttons = MsgButtons::YesNo;
    question.defaultButton = MsgAnswer::No;
    MsgAnswer answer = MsgAnswer::Yes;
    const bool answered = answerModal<QMessageBox>(
        [&] { answer = platform.message(nullptr, question); },
        [&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            yesText =
                box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)->text() : QString();
            noText =
                box->button(QMessageBox::No) ? box->button(QMessageBox::No)->text() : QString();
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
        });

    QVERIFY(answered);
    QCOMPARE(answer, MsgAnswer::No);
    QCOMPARE(title, QStringLiteral("確認"));
    QCOMPARE(text, QStringLiteral("終了してもよろしいですか？"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(yesText, QStringLiteral("はい(&Y)"));
    QCOMPARE(noText, QStringLiteral("いいえ(&N)"));
    QCOMPARE(defaultText, QStringLiteral("いいえ(&N)"));
}

void DialogsTest::aboutBoxLayout() {
    Form10 about;
    // 15 twips are one pixel at 96 dpi.
    QCOMPARE(about.logicalDpiY(), 96);
    QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
    QCOMPARE(about.size(), QSize(417, 123));
    QCOMPARE(about.Label1()->text(), QStringLiteral("Tovarin Version 1.35"));
    QCOMPARE(about.Label1()->font().pointSize(), 12);
    QCOMPARE(about.Label1()->pos(), QPoint(80, 20));
    // The whole label stays inside the box.
    QVERIFY(about.rect().contains(about.Label1()->geometry()));
    QCOMPARE(about.Command1()->text(), QStringLiteral("ＯＫ"));
    QCOMPARE(about.Command1()->geometry(), QRect(160, 88, 101, 25));

    const auto* image = about.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image);
    QVERIFY(!image->pixmap().isNull());
    QVERIFY(!image->geometry().intersects(about.Label1()->geometry()));
}

// The file dialog's list speaks the program's language whatever the desktop's: types,
// sizes and dates in Japanese, each column wide enough for its texts.
void DialogsTest::fileDialogListsInJapanese() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("雨水排水施設の計算.tvu")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(27, 'x')) == 27);
    file.close();
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("平成の計算書フォルダー")));
    QStringList fileRow;
    QString folderType;
    bool columnsFit = true;
    QtPlatform platform;
    const bool answered = answerModal<QFileDialog>(
        [&] {
            platform.openFileName(nullptr,
                                  FileDialogRequest{QStringLiteral("Tovarinを開く"), folder.path(),
                                                    QStringLiteral("Tovarin(.tvu) (*.tvu)")});
        },
        [&](QFileDialog* dialog) {
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(view);
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 2);
            QApplication::processEvents();
            for (int row = 0; row < 2; ++row) {
                QStringList texts;
                for (int column = 0; column < 4; ++column) {
                    const QModelIndex cell = view->model()->index(row, column, view->rootIndex());
                    texts << cell.data().toString();
                    const int needed = view->fontMetrics().horizontalAdvance(texts.last());
                    columnsFit = columnsFit && view->visualRect(cell).width() > needed;
                }
                if (texts.first().endsWith(QStringLiteral(".tvu")))
                    fileRow = texts;
                else
                    folderType = texts[2];
            }
            dialog->reject();
        });
    QVERIFY(answered);
    QCOMPARE(folderType, QStringLiteral("フォルダー"));
    QCOMPARE(fileRow.size(), 4);
    QCOMPARE(fileRow[1], QLocale().formattedDataSize(27));
    QCOMPARE(fileRow[2], QStringLiteral("TVU ファイル"));
    QCOMPARE(fileRow[3], QLocale().toString(QFileInfo(file).lastModified(),
                                            QStringLiteral("yyyy/MM/dd HH:mm")));
    QVERIFY(columnsFit);
}

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
