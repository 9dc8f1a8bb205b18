// "書き込み(&W)" (Kakikomi) and "起動(&O)" (the editor start) against the scripted
// platform, in the test's own working folder.

#include "platform/qt/EditorStart.h"
#include "report/Kakikomi.h"
#include "sheettext/ReportFile.h"
#include "tests/support/PrintTestSupport.h"
#include "tests/support/ScriptedPlatform.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

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
        const CalcSheet s = failingResidentialSheet(); // verdict and margin fail

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
        QVERIFY(Kakikomi(platform, nullptr, passingNonResidentialSheet()));
        QCOMPARE(platform.beeps, 0);
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(!reportFileBytes().isEmpty());
    }

    void kakikomiReportsAFileItCannotWrite() {
        QVERIFY(QDir().mkdir(QString::fromLatin1(reportFileName)));
        ScriptedPlatform platform;

        QVERIFY(!Kakikomi(platform, nullptr, failingResidentialSheet()));
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
        CalcSheet s = passingNonResidentialSheet();
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
