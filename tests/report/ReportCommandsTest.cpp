// "書き込み(&W)" (Kakikomi) and "起動(&O)" (the editor start) against the scripted
// platform, in the test's own working folder.

#include "platform/qt/EditorStart.h"
#include "platform/qt/UserFolders.h"
#include "report/Kakikomi.h"
#include "report/RainwaterPrint.h"
#include "report/SewageReport.h"
#include "sheettext/RainwaterSheetBuilder.h"
#include "sheettext/ReportFile.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/RainwaterInputs.h"
#include "tests/support/ScriptedPlatform.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

// Where the report file is written: the working directory's "Tvrn.txt" on Linux.
QString reportFile() {
    return reportFilePath(QString::fromLatin1(reportFileName));
}

QByteArray reportFileBytes() {
    QFile file(reportFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A rainwater result whose flow is more than its ditch carries: one NG line.
const RainwaterResult& failingRainwaterResult() {
    static const RainwaterResult result = [] {
        RainwaterInput in = testing::uDitchInput();
        in.areas.front().areaText = "5.0000";
        return computeRainwater(in).result;
    }();
    return result;
}

// Each kind of sheet with NG lines, and the report file's text of it.
struct FailingSheet {
    const PrintableSheet* sheet;
    QByteArray text;
    int alertLines;
};

FailingSheet failingSheetOfKind(const QString& kind) {
    static const CalcSheet sewage = failingResidentialSheet();
    static const SewageReport sewageReport(sewage);
    static const RainwaterReport rainwaterReport(failingRainwaterResult());
    if (kind == QStringLiteral("sewage"))
        return {&sewageReport, QByteArray::fromStdString(sheetText(sewage).bytes), 2};
    const SheetText text = rainwaterSheetText(failingRainwaterResult());
    return {&rainwaterReport, QByteArray::fromStdString(text.bytes), 1};
}

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(reportFile());
        QDir().rmdir(reportFile());
    }
    void cleanup() { init(); }

    void kakikomiAppendsAndBeepsOncePerNgLine() {
        ScriptedPlatform platform;
        const CalcSheet s = failingResidentialSheet(); // verdict and margin fail

        QVERIFY(Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.beeps, 2);
        QVERIFY(platform.messages.isEmpty());

        QVERIFY(Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.beeps, 4);
        const QByteArray sheet = QByteArray::fromStdString(sheetText(s).bytes);
        QCOMPARE(reportFileBytes(), sheet + sheet);
    }

    void everyKindOfSheetIsWrittenAlike_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("sewage") << QStringLiteral("sewage");
        QTest::newRow("rainwater") << QStringLiteral("rainwater");
    }

    // 書き込み of any sheet: appended whole, one beep per NG line, and a report file
    // it cannot write named in a message with no beep.
    void everyKindOfSheetIsWrittenAlike() {
        QFETCH(QString, kind);
        const FailingSheet failing = failingSheetOfKind(kind);
        ScriptedPlatform platform;
        QVERIFY(Kakikomi(platform, nullptr, *failing.sheet));
        QVERIFY(Kakikomi(platform, nullptr, *failing.sheet));
        QCOMPARE(platform.beeps, 2 * failing.alertLines);
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(reportFileBytes(), failing.text + failing.text);

        QVERIFY(QFile::remove(reportFile()));
        QVERIFY(QDir().mkdir(reportFile()));
        QVERIFY(!Kakikomi(platform, nullptr, *failing.sheet));
        QCOMPARE(platform.lastMessageText(),
                 QStringLiteral("ファイル「%1」に書き込めませんでした。\n"
                                "同じ名前のフォルダがあります。")
                     .arg(reportFile()));
        QCOMPARE(platform.beeps, 2 * failing.alertLines);
    }

    void kakikomiOfAPassingSheetIsSilent() {
        ScriptedPlatform platform;
        QVERIFY(Kakikomi(platform, nullptr, passingNonResidentialSheet()));
        QCOMPARE(platform.beeps, 0);
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!reportFileBytes().isEmpty());
    }

    void kakikomiReportsAFileItCannotWrite() {
        QVERIFY(QDir().mkdir(reportFile()));
        ScriptedPlatform platform;

        QVERIFY(!Kakikomi(platform, nullptr, failingResidentialSheet()));
        QCOMPARE(platform.messages.size(), 1);
        const MessageRequest& box = platform.messages.first();
        QCOMPARE(box.title, QStringLiteral("エラーメッセージ"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(box.text, QStringLiteral("ファイル「%1」に書き込めませんでした。\n"
                                          "同じ名前のフォルダがあります。")
                               .arg(reportFile()));
        QCOMPARE(platform.beeps, 0);
    }

    static void expectNoEditorMessage(const MessageRequest& message) {
        QCOMPARE(message.text,
                 QStringLiteral("テキストエディタが見つかりませんでした。\n"
                                "計算書は「%1」に書き込まれています。テキストエディタをインストール"
                                "するか、このファイルを他のプログラムで開いてください。")
                     .arg(QDir::toNativeSeparators(QFileInfo(reportFile()).absoluteFilePath())));
        QCOMPARE(message.title, QStringLiteral("エディタの起動"));
        QCOMPARE(message.buttons, MsgButtons::Ok);
    }

    void kakikomiRefusesAnUnencodableMaterialName() {
        ScriptedPlatform platform;
        CalcSheet s = passingNonResidentialSheet();
        s.materialName = QStringLiteral("鋼管😀").toStdString();

        QVERIFY(!Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.lastMessageText(),
                 QStringLiteral("管の材料・名称の文字「😀」はファイルに書き込めません。"));
        QCOMPARE(platform.beeps, 0);
        QVERIFY(!QFile::exists(reportFile()));
    }

    // With no editor that starts (none installed, an empty PATH), every one is tried
    // in order with the file's name last, those that take an encoding told code page
    // 932; then a message names the report file.
    void editorStartTriesTheEditorsInOrder() {
        ScriptedPlatform platform; // nothing starts
        startEditor(platform, nullptr, reportFile());
        const QString file = QLatin1Char(' ') + reportFile();
        const QString told = QStringLiteral(" --encoding=CP932") + file;
        const QStringList expected = editorCommands().size() == 1
                                         ? QStringList{"notepad.exe" + file}
                                         : QStringList{"gnome-text-editor" + file,
                                                       "gedit" + told,
                                                       "mousepad" + file,
                                                       "kwrite" + told,
                                                       "pluma" + told,
                                                       "xed" + told,
                                                       "xdg-open" + file};
        QCOMPARE(platform.startAttempts, expected);
        QCOMPARE(platform.messages.size(), 1);
        expectNoEditorMessage(platform.messages.first());
        QVERIFY(!QFile::exists(reportFile()));
    }

    // The desktop's choice (xdg-open) starts, then finds no editor it can start (the
    // terminal one of a desktop without a terminal): the message comes when it ends.
    void desktopsChoiceThatFindsNoEditorIsReported() {
        if (editorCommands().size() == 1)
            QSKIP("Notepad is the one editor here");
        ScriptedPlatform platform;
        platform.startablePrograms = {QStringLiteral("xdg-open")};
        startEditor(platform, nullptr, reportFile());
        QCOMPARE(platform.startAttempts.size(), editorCommands().size());
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(platform.handOverFailures.size(), 1);
        platform.handOverFailures.first()();
        QCOMPARE(platform.messages.size(), 1);
        expectNoEditorMessage(platform.messages.first());

        ScriptedPlatform editor;
        editor.startablePrograms = {QStringLiteral("gedit"), QStringLiteral("xdg-open")};
        startEditor(editor, nullptr, reportFile());
        QVERIFY(editor.handOverFailures.isEmpty() && editor.messages.isEmpty());
    }

    void editorStartStopsAtTheFirstThatStarts() {
        QStringList editors;
        for (const EditorCommand& editor : editorCommands())
            editors << editor.program;
        ScriptedPlatform first;
        first.startablePrograms = {editors.first()};
        startEditor(first, nullptr, reportFile());
        QCOMPARE(first.startAttempts.size(), 1);
        if (editors.size() < 4)
            QSKIP("fewer than four editors on this system");

        ScriptedPlatform platform;
        platform.startablePrograms = {editors.at(2), editors.at(3)};
        startEditor(platform, nullptr, reportFile());
        QCOMPARE(platform.startAttempts.size(), 3);
        QVERIFY(platform.startAttempts.last().startsWith(editors.at(2) + QLatin1Char(' ')));
    }
};

QTEST_MAIN(ReportCommandsTest)
#include "ReportCommandsTest.moc"
