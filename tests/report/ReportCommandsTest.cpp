// "書き込み(&W)" (Kakikomi) and "起動(&O)" (the editor start) against the scripted
// platform, in the test's own working folder.

#include "platform/qt/EditorStart.h"
#include "report/Kakikomi.h"
#include "sheettext/ReportFile.h"
#include "tests/support/ScriptedPlatform.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tovarin;
using tovarin::testing::ScriptedPlatform;

namespace {

// A residential sheet whose verdict and margin both fail.
CalcSheet failingSheet() {
    CalcSheet s;
    s.flowEntryMode = FlowEntryMode::Direct;
    s.groundwaterOn = OnOff::Off;
    s.allowanceOn = OnOff::Off;
    s.plannedFlow = 0.0100;
    s.facilityKind = FacilityKind::OtherCircular;
    s.materialName = "ヒューム管";
    s.pipeDiameter = 0.2;
    s.velocityFormula = VelocityFormula::Manning;
    s.depthRatio = 10;
    s.slopePermille = 5;
    s.slope = 0.005;
    s.roughness = 0.013;
    s.capacity = 0.0090;
    s.marginCheck = MarginCheck::On;
    s.marginReference = 10;
    s.marginRatio = -10;
    return s;
}

QByteArray reportFileBytes() {
    QFile file(QString::fromLatin1(reportFileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QFile::remove(QString::fromLatin1(reportFileName));
        QDir().rmdir(QString::fromLatin1(reportFileName));
    }
    void cleanup() { init(); }

    void kakikomiAppendsAndBeepsOncePerNgLine() {
        ScriptedPlatform platform;
        const CalcSheet s = failingSheet();

        QVERIFY(Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.beeps, 2);
        QVERIFY(platform.messages.isEmpty());

        QVERIFY(Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.beeps, 4);
        const QByteArray sheet = QByteArray::fromStdString(sheetText(s).bytes);
        QCOMPARE(reportFileBytes(), sheet + sheet);
    }

    void kakikomiOfAPassingSheetIsSilent() {
        ScriptedPlatform platform;
        CalcSheet s = failingSheet();
        s.capacity = 0.0200;
        s.marginRatio = 100;

        QVERIFY(Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.beeps, 0);
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!reportFileBytes().isEmpty());
    }

    void kakikomiReportsAFileItCannotWrite() {
        QVERIFY(QDir().mkdir(QString::fromLatin1(reportFileName)));
        ScriptedPlatform platform;

        QVERIFY(!Kakikomi(platform, nullptr, failingSheet()));
        QCOMPARE(platform.messages.size(), 1);
        const MessageRequest& box = platform.messages.first();
        QCOMPARE(box.title, QStringLiteral("エラーメッセージ"));
        QCOMPARE(box.buttons, MsgButtons::Ok);
        QCOMPARE(box.text, QStringLiteral("ファイル「Tvrn.txt」に書き込めませんでした。\n"
                                          "同じ名前のフォルダがあります。"));
        QCOMPARE(platform.beeps, 0);
    }

    void kakikomiRefusesAnUnencodableMaterialName() {
        ScriptedPlatform platform;
        CalcSheet s = failingSheet();
        s.materialName = QStringLiteral("鋼管😀").toStdString();

        QVERIFY(!Kakikomi(platform, nullptr, s));
        QCOMPARE(platform.lastMessageText(),
                 QStringLiteral("管の材料・名称の文字「😀」はファイルに書き込めません。"));
        QCOMPARE(platform.beeps, 0);
        QVERIFY(!QFile::exists(QString::fromLatin1(reportFileName)));
    }

    void editorStartTriesTheEditorsInOrder() {
        ScriptedPlatform platform; // nothing starts
        startEditor(platform, QString::fromLatin1(reportFileName));
        QCOMPARE(platform.startAttempts,
                 (QStringList{"gnome-text-editor Tvrn.txt", "gedit Tvrn.txt", "mousepad Tvrn.txt",
                              "kwrite Tvrn.txt", "pluma Tvrn.txt", "xed Tvrn.txt",
                              "xdg-open Tvrn.txt"}));
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!QFile::exists(QString::fromLatin1(reportFileName)));
    }

    void editorStartStopsAtTheFirstThatStarts() {
        ScriptedPlatform platform;
        platform.startablePrograms = {"mousepad", "kwrite"};
        startEditor(platform, QString::fromLatin1(reportFileName));
        QCOMPARE(platform.startAttempts, (QStringList{"gnome-text-editor Tvrn.txt",
                                                      "gedit Tvrn.txt", "mousepad Tvrn.txt"}));

        ScriptedPlatform first;
        first.startablePrograms = {"gnome-text-editor"};
        startEditor(first, QString::fromLatin1(reportFileName));
        QCOMPARE(first.startAttempts, QStringList{"gnome-text-editor Tvrn.txt"});
    }
};

QTEST_MAIN(ReportCommandsTest)
#include "ReportCommandsTest.moc"
