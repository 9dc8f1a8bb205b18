// The document file on the real input windows, held by a main window stand-in: Save
// As, Close and Open bring every window back; Open, Save As, Overwrite save and New
// with their dialogs, questions, file-name rules and toolbar button 3; and the
// failures a save or an open must report instead of losing or inventing data. The
// File menu and toolbar that reach these commands are the main window's own tests.

#include "documents/DocumentCommands.h"
#include "documents/DocumentWindows.h"
#include "documents/SewageDocument.h"
#include "documents/record/DocumentRecord.h"
#include "engine/CalcSheet.h"
#include "platform/Cp932.h"
#include "platform/qt/UserFolders.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form2.h"
#include "sheets/Form3.h"
#include "sheets/Form4.h"
#include "sheets/Form5.h"
#include "sheets/SewageWindows.h"
#include "sheettext/ReportFile.h"
#include "tests/documents/DocumentCases.h"
#include "tests/documents/DocumentTestHost.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TestFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace tovarin;
using tovarin::testing::DocumentCase;
using tovarin::testing::fileBytes;
using tovarin::testing::isFifo;
using tovarin::testing::makeFifo;
using tovarin::testing::makeSocketFile;
using tovarin::testing::ScriptedPlatform;
using tovarin::testing::writeBytes;

namespace {

const QString kCheckFacilityKind = QStringLiteral("施設の種類を選択してください。");

QByteArray bytesOf(const std::string& text) {
    return QByteArray::fromStdString(text);
}

const char* const notARegular = "通常のファイルではありません（装置、FIFO、ソケットなど）。";

// The lines of a document file, decoded; every line must end in CR LF.
QStringList documentLines(const QByteArray& bytes) {
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no CR LF at the end>")};
    const cp932::DecodeResult decoded = cp932::decode(bytes.toStdString());
    if (!decoded.ok)
        return {QStringLiteral("<not code page 932>")};
    QStringList lines = QString::fromStdString(decoded.utf8).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

bool sameQuestion(const MessageRequest& asked, const QString& text, const QString& title,
                  MsgButtons buttons, MsgAnswer preselected, MsgIcon icon) {
    return asked.text == text && asked.title == title && asked.buttons == buttons &&
           asked.defaultButton == preselected && asked.icon == icon;
}

// The VP document of the residential example, typed out: VP φ100 at full flow,
// 10 per mille, n 0.010, Manning, 住宅地 P = 1000 and q = 350, planned flow 0.0041.
DocumentRecord residentialVpRecord() {
    DocumentRecord r;
    r.form1.lst_s = 0;
    r.form1.opt1 = true;
    r.form1.opt3 = true;
    r.form1.opt5 = true;
    r.form1.opt7 = true;
    r.form1.opt9 = true;
    r.form1.txt3 = "0.0041";
    r.form1.cob1 = 0;
    r.form3.opt1 = true;
    r.form3.txt_p = "1000";
    r.form3.txt_q1 = "350";
    r.facility = StandardPipeValues{2, "10", "0.010", 0};
    r.form11 = {"0.0041", "0.0069", "0.8595", "1692.9", "23456.00"};
    return r;
}

// What Open shows of a document: its sheet, the results panel's factor, captions and
// warning colour, the status message and the beeps.
struct OpenedDocument {
    QByteArray sheet;
    QStringList panel;
    QString status;
    int beeps = 0;
    bool operator==(const OpenedDocument&) const = default;
};

char* toString(const OpenedDocument& d) {
    return QTest::toString(QStringLiteral("sheet %1 bytes, panel %2, status %3, beeps %4")
                               .arg(d.sheet.size())
                               .arg(d.panel.join(QLatin1Char('|')), d.status)
                               .arg(d.beeps));
}

// A rectangular channel 1.0 × 0.5 at "水深８割", 2 per mille, n 0.015, Manning.
DocumentRecord rectangularRecord() {
    DocumentRecord r = residentialVpRecord();
    r.form1.lst_s = 5;
    r.form3 = PlannedSewageValues{};
    r.form3.opt3 = true;
    r.form3.txt_a = "5000";
    r.form3.txt_q2 = "0.0012";
    r.form1.txt3 = "0.0006";
    r.facility = RectangularValues{"コンクリート水路", "1.0", "0.5", "2", "0.015", 4};
    r.form11 = {"0.0006", "0.3948", "0.9870", "23456789", "23456.00"};
    return r;
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void roundTripBringsBackEveryWindow_data();
    void roundTripBringsBackEveryWindow();
    void unseenWindowsHoldWhatShownOnesHold_data() { roundTripBringsBackEveryWindow_data(); }
    void unseenWindowsHoldWhatShownOnesHold();
    void openComputesThenShowsTheStoredCaptions();
    void storedKindOutsideTheList_data();
    void storedKindOutsideTheList();
    void storedPositionsOutsideTheirListsLeaveTheControls();

    void openDialogAndItsCancel();
    void saveAsToANewName();
    void dialogsStartInTheLastDocumentsFolder();
    void saveAsOverAnExistingFile();
    void declinedSaveAsKeepsTheOverwriteTarget();
    void saveAsCancelled();
    void overwriteSaveAsksFirst();
    void closeAndNewAfterOpen();

    void unwritableTargetIsReported_data();
    void unwritableTargetIsReported();
    void refusedValueWritesNothing_data();
    void refusedValueWritesNothing();
    void overwriteSaveReachesASecondName();
    void overwriteSaveLeavesAFileItMayNotReplace();
    void unreadableFileLeavesTheDocument_data();
    void unreadableFileLeavesTheDocument();
    void saveAsOntoAFifoOrSocketReplacesNothing();
    void longTextsSurviveOpenAndSave();
    void controlCharacterOfAnOpenedDocument();
    void inputsWithoutAResultShowNoPanel_data();
    void inputsWithoutAResultShowNoPanel();

    void openedDocumentOwesNothingToTheOneBefore();

private:
    // Toolbar button 3 (Overwrite save); 5 and 6 (print image, print) follow the result.
    bool button(int position) const {
        return position == 3 ? window->overwriteButton : windows().hasResult();
    }
    SewageWindows& windows() const { return window->sewageWindows(); }
    QString path(const QString& name) const { return dir->filePath(name); }

    // The File menu's commands, with the names the dialogs give back.
    void saveAs(const QString& name) {
        platform->saveNames.enqueue(name);
        window->commands->saveAs();
    }
    void open(const QString& name) {
        platform->openNames.enqueue(name);
        window->commands->FileOpen();
    }
    void overwriteSave() { window->commands->FileUpdate(); }
    void closeDocument() { window->closeDocument(); }
    // A computed residential VP document saved as "saved.tvr".
    QString savedDocument() {
        testing::enterCase(*window, DocumentCase::ResidentialVp);
        const QString saved = path(QStringLiteral("saved.tvr"));
        saveAs(saved);
        return saved;
    }
    // What a cancelled Open or Save As dialog must leave of a document saved as
    // `saved`: the windows, the caption, the file name and the toolbar's states.
    void expectUnchangedAfterCancel(const QString& saved, const QStringList& windowsBefore) {
        QCOMPARE(testing::describeWindows(*window), windowsBefore);
        QCOMPARE(windows().form1()->windowTitle(), saved);
        QCOMPARE(window->fileName, saved);
        QVERIFY(button(3) && button(5) && button(6));
        QVERIFY(platform->messages.isEmpty());
    }
    QByteArray serialisedWindows() {
        const auto record = recordFromWindows(windows());
        return record ? bytesOf(serialise(*record).bytes) : QByteArray();
    }
    QString writeRecord(const DocumentRecord& record, const QString& name) {
        const SerialiseResult serialised = serialise(record);
        const QString file = path(name);
        if (!serialised.ok() || !writeBytes(file, bytesOf(serialised.bytes)))
            return {};
        return file;
    }

    ScriptedPlatform* platform = nullptr;
    testing::DocumentTestHost* window = nullptr;
    QTemporaryDir* dir = nullptr;
};

void DocumentCommandsTest::initTestCase() {
    testing::registerFontSubstitutions();
    QApplication::setQuitOnLastWindowClosed(false);
}

void DocumentCommandsTest::init() {
    forgetDocumentFolder();
    dir = new QTemporaryDir;
    QVERIFY(dir->isValid());
    window = new testing::DocumentTestHost;
    platform = &window->scripted;
    QVERIFY(window->showAndActivate());
}

void DocumentCommandsTest::cleanup() {
    delete window;
    delete dir;
}

// ---------------------------------------------------------------- reading and writing

void DocumentCommandsTest::roundTripBringsBackEveryWindow_data() {
    QTest::addColumn<int>("which");
    for (DocumentCase which :
         {DocumentCase::ResidentialVp, DocumentCase::NonResidential1VuKutter,
          DocumentCase::DirectFrpmMargin, DocumentCase::NonResidential2Hume,
          DocumentCase::DirectOtherCircular, DocumentCase::NonResidential2Rectangular})
        QTest::newRow(qPrintable(testing::caseName(which))) << static_cast<int>(which);
}

void DocumentCommandsTest::roundTripBringsBackEveryWindow() {
    QFETCH(int, which);
    const auto documentCase = static_cast<DocumentCase>(which);
    const int kind = testing::caseKind(documentCase);
    testing::enterCase(*window, documentCase);
    QVERIFY(windows().form11());
    const int beepsOfTheResult = platform->beeps;

    const QString saved = path(QStringLiteral("case.tvr"));
    saveAs(saved);
    QVERIFY2(platform->messages.isEmpty(), qPrintable(platform->lastMessageText()));
    QCOMPARE(windows().form1()->windowTitle(), saved);
    const QStringList before = testing::describeWindows(*window);
    const QString statusBefore = window->status();
    const CalcSheet sheetBefore = window->sheet;

    // The file is the record of the windows, line by line.
    const QStringList lines = documentLines(fileBytes(saved));
    QCOMPARE(lines, documentLines(serialisedWindows()));
    QCOMPARE(lines.size(), documentLineCount(kind));
    QCOMPARE(lines.first(), QStringLiteral(" %1 ").arg(kind));
    QCOMPARE(lines.mid(lines.size() - 5), windows().form11()->captions());

    closeDocument();
    QVERIFY(!windows().form1() && !windows().facilityWindow() && !windows().form11());
    platform->beeps = 0;
    open(saved);

    QCOMPARE(testing::describeWindows(*window), before);
    QCOMPARE(window->status(), statusBefore);
    QCOMPARE(platform->beeps, beepsOfTheResult);
    const CalcSheet& sheet = window->sheet;
    QCOMPARE(sheet.capacity, sheetBefore.capacity);
    QCOMPARE(sheet.velocity, sheetBefore.velocity);
    QCOMPARE(sheet.plannedFlow, sheetBefore.plannedFlow);
    QCOMPARE(sheet.maxPopulation, sheetBefore.maxPopulation);
    QCOMPARE(sheet.marginRatio, sheetBefore.marginRatio);
    QCOMPARE(window->fileName, saved);
    QVERIFY(button(3) && button(5) && button(6));

    // Writing the reopened document gives the same file again.
    const QString again = path(QStringLiteral("again.tvr"));
    saveAs(again);
    QCOMPARE(fileBytes(again), fileBytes(saved));
}

// The sheet tool reads documents on a main window that is never shown, whose document
// windows have no frames, colours or showing: they must hold and compute exactly what
// the windows on the screen do.
void DocumentCommandsTest::unseenWindowsHoldWhatShownOnesHold() {
    QFETCH(int, which);
    testing::enterCase(*window, static_cast<DocumentCase>(which));
    const QString saved = path(QStringLiteral("case.tvr"));
    saveAs(saved);
    closeDocument();
    platform->beeps = 0;
    open(saved);
    QVERIFY(windows().form11());

    testing::DocumentTestHost unseen(OnScreen::Never);
    ScriptedPlatform& unseenPlatform = unseen.scripted;
    const auto areaChildren = [&unseen] {
        return unseen.mdiArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size();
    };
    const qsizetype childrenOfAnEmptyArea = areaChildren();
    QCOMPARE(unseen.commands->openDocument(saved), OpenOutcome::Restored);
    QCOMPARE(testing::describeWindows(unseen), testing::describeWindows(*window));
    QCOMPARE(unseen.status(), window->status());
    QCOMPARE(unseenPlatform.beeps, platform->beeps);
    QVERIFY(unseenPlatform.messages.isEmpty());
    const SheetText unseenSheet = sheetText(unseen.sheet);
    QVERIFY(unseenSheet.ok);
    QCOMPARE(unseenSheet.bytes, sheetText(window->sheet).bytes);
    // No frame is built for what nobody sees.
    QVERIFY(unseen.window.findChildren<QMdiSubWindow*>().isEmpty());

    // Closing takes every document window away, as on the screen.
    unseen.closeDocument();
    QVERIFY(!unseen.sewageWindows().form1() && !unseen.sewageWindows().facilityWindow() &&
            !unseen.sewageWindows().form11());
    QCOMPARE(areaChildren(), childrenOfAnEmptyArea);
}

// Open computes the stored inputs, then shows the stored captions; when they differ
// from the fresh calculation (a document edited by hand), the status line says so.
void DocumentCommandsTest::openComputesThenShowsTheStoredCaptions() {
    const QString verdict = QStringLiteral(
        "流速(V)はよろしいですか？チェックして下さい。（各地域の開発指導要綱等による事。）");
    const QString agreeing = writeRecord(residentialVpRecord(), QStringLiteral("fresh.tvr"));
    QVERIFY(!agreeing.isEmpty());
    open(agreeing);
    QCOMPARE(window->status(), verdict);

    DocumentRecord record = residentialVpRecord();
    record.form11.lbl9 = "9.9999";
    const QString file = writeRecord(record, QStringLiteral("vp.tvr"));
    QVERIFY(!file.isEmpty());
    open(file);

    // VP φ100 full: A = 0.7853 × 0.1008², P = 3.1415 × 0.1008, Manning at 10 per mille
    // gives V = 0.859487… and Q2 = 0.00685797…; P max = Q2 × 86 400 000 / 350.
    const CalcSheet& sheet = window->sheet;
    QVERIFY(qAbs(sheet.velocity - 0.859487) < 1e-6);
    QVERIFY(qAbs(sheet.capacity - 0.00685797) < 1e-8);
    QVERIFY(qAbs(sheet.maxPopulation - 1692.9407) < 1e-3);
    QCOMPARE(sheet.plannedFlow, 0.0041);

    Form11* panel = windows().form11();
    QVERIFY(panel);
    QCOMPARE(panel->captions(), QStringList({QStringLiteral("0.0041"), QStringLiteral("0.0069"),
                                             QStringLiteral("9.9999"), QStringLiteral("1692.9"),
                                             QStringLiteral("23456.00")}));
    QVERIFY(!panel->lbl(21)->isVisibleTo(panel));
    QCOMPARE(window->status(), SewageDocument::storedResultsDifferMessage);
    // The program's command line opens the same way.
    window->commands->openDocumentForUser(agreeing);
    QCOMPARE(window->status(), verdict);
    window->commands->openDocumentForUser(file);
    QCOMPARE(window->status(), SewageDocument::storedResultsDifferMessage);

    // The hidden planned-sewage dialog holds the stored land use and entries.
    Form3* dialog = windows().existingForm3();
    QVERIFY(dialog && !dialog->isVisible());
    QVERIFY(dialog->opt(1)->isChecked());
    QCOMPARE(dialog->txt_p()->text(), QStringLiteral("1000"));
    QCOMPARE(dialog->txt_q1()->text(), QStringLiteral("350"));
    QCOMPARE(sheet.population, 1000.0);
    QCOMPARE(sheet.sewagePerCapita, 350.0);
    QVERIFY(platform->messages.isEmpty());
}

void DocumentCommandsTest::storedKindOutsideTheList_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("7") << 7;
    QTest::newRow("-1") << -1;
}

void DocumentCommandsTest::storedKindOutsideTheList() {
    QFETCH(int, kind);
    DocumentRecord record = residentialVpRecord();
    record.form1.lst_s = kind;
    record.form1.opt1 = false;
    record.form1.opt2 = true;
    record.facility = std::monostate{};
    const QString file = writeRecord(record, QStringLiteral("nokind.tvr"));
    QVERIFY(!file.isEmpty());
    QCOMPARE(documentLines(fileBytes(file)).size(), 27);
    QCOMPARE(documentLines(fileBytes(file)).at(22), QStringLiteral("0.0041"));

    testing::enterCase(*window, DocumentCase::NonResidential2Rectangular);
    open(file);

    Form1* sheet = windows().form1();
    QVERIFY(sheet);
    QCOMPARE(sheet->lst_s()->currentRow(), -1);
    QVERIFY(sheet->opt(2)->isChecked() && !sheet->opt(1)->isChecked());
    QCOMPARE(sheet->txt3()->text(), QStringLiteral("0.0041"));
    QVERIFY(!windows().facilityWindow());
    // No facility, so no result: the check of the "計算" button says why.
    QVERIFY(!windows().form11());
    QCOMPARE(platform->lastMessageText(), kCheckFacilityKind);
    QCOMPARE(platform->messages.last().title, QStringLiteral("エラーメッセージ"));
    QCOMPARE(window->sheet.capacity, 0.0);
    QCOMPARE(window->fileName, file);
    QCOMPARE(sheet->windowTitle(), file);
    QVERIFY(!button(3) && !button(5) && !button(6));
}

void DocumentCommandsTest::storedPositionsOutsideTheirListsLeaveTheControls() {
    DocumentRecord record = residentialVpRecord();
    record.form1.cob1 = 13;
    record.facility = StandardPipeValues{8, "10", "0.010", 15};
    const QString file = writeRecord(record, QStringLiteral("positions.tvr"));
    open(file);

    // The VP list has 8 sizes and the depth list 15 entries: the first size and
    // "水深８割" chosen by the kind stay; the margin list stays at "１００％".
    Form2* pipe = windows().form2();
    QVERIFY(pipe);
    QCOMPARE(pipe->lst_pu()->currentRow(), 0);
    QCOMPARE(pipe->cbo1()->currentIndex(), 5);
    QCOMPARE(windows().form1()->cob1()->currentIndex(), 0);
    QVERIFY(windows().form11());
}

// ---------------------------------------------------------------- commands

void DocumentCommandsTest::openDialogAndItsCancel() {
    const QString saved = savedDocument();
    QVERIFY(button(3));
    const QStringList before = testing::describeWindows(*window);

    open(QString());
    QCOMPARE(platform->fileDialogs.size(), 2);
    const FileDialogRequest& request = platform->fileDialogs.last();
    QCOMPARE(request.title, QStringLiteral("Tovarinを開く"));
    QCOMPARE(request.directory, documentDialogFolder());
    QCOMPARE(request.directory,
             QDir::toNativeSeparators(QFileInfo(saved).absolutePath()) + QDir::separator());
    QCOMPARE(request.filter, QStringLiteral("Tovarin(.tvr) (*.tvr)"));
    // The first start's folder: below the program's folder (Linux) it is left as it
    // is; the user's own (Windows) is made for the dialog.
    QCOMPARE(QFileInfo::exists(documentFolder()),
             !documentFolder().startsWith(QCoreApplication::applicationDirPath()));

    // Cancelled: nothing changes, the file name and Overwrite save included.
    expectUnchangedAfterCancel(saved, before);

    // Opened again, it is the file to overwrite.
    open(saved);
    QCOMPARE(window->fileName, saved);
    QVERIFY(button(3));
}

void DocumentCommandsTest::saveAsToANewName() {
    testing::enterCase(*window, DocumentCase::DirectOtherCircular);
    QVERIFY(!button(3));
    // Typed without an extension, the name is used as typed.
    const QString plain = path(QStringLiteral("plain"));
    saveAs(plain);

    QCOMPARE(platform->fileDialogs.size(), 1);
    const FileDialogRequest& request = platform->fileDialogs.first();
    QCOMPARE(request.title, QStringLiteral("Tovarinの保存"));
    QCOMPARE(request.directory, documentFolder());
    QCOMPARE(request.filter, QStringLiteral("Tovarin(.tvr) (*.tvr)"));
    QVERIFY(platform->messages.isEmpty());

    QCOMPARE(fileBytes(plain), serialisedWindows());
    QVERIFY(!QFileInfo::exists(plain + QStringLiteral(".tvr")));
    QCOMPARE(window->fileName, plain);
    QCOMPARE(windows().form1()->windowTitle(), plain);
    QVERIFY(button(3));
    // The material name is stored in code page 932.
    QVERIFY(fileBytes(plain).contains(bytesOf(cp932::encode("硬質塩化ビニル管　φ２５０").bytes)));
}

// The open and save dialogs start in the folder of the document last opened or saved
// through them, in this run and the next; before that, and when that folder is gone,
// in the program's document folder. A cancelled dialog or an unreadable file leaves
// it; a document of the command line does not count.
void DocumentCommandsTest::dialogsStartInTheLastDocumentsFolder() {
    const auto nextDialogFolder = [this] {
        open(QString());
        return platform->fileDialogs.last().directory;
    };
    const auto folderOf = [](const QString& file) {
        return QDir::toNativeSeparators(QFileInfo(file).absolutePath()) + QDir::separator();
    };
    QCOMPARE(nextDialogFolder(), documentFolder());

    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("saved/here")));
    testing::enterCase(*window, DocumentCase::ResidentialVp);
    const QString saved = path(QStringLiteral("saved/here/a.tvr"));
    saveAs(saved);
    QCOMPARE(fileBytes(saved), serialisedWindows());
    QCOMPARE(nextDialogFolder(), folderOf(saved));
    QCOMPARE(window->fileName, saved);

    QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("other")));
    const QString opened = path(QStringLiteral("other/b.tvr"));
    QVERIFY(QFile::copy(saved, opened));
    open(opened);
    QCOMPARE(window->fileName, opened);
    platform->saveNames.enqueue(QString());
    window->commands->saveAs();
    QCOMPARE(platform->fileDialogs.last().directory, folderOf(opened));

    // Not a document, a cancelled dialog, the command line: the folder stays.
    QVERIFY(writeBytes(path(QStringLiteral("saved/not.tvr")), "not a document\r\n"));
    open(path(QStringLiteral("saved/not.tvr")));
    QCOMPARE(platform->messages.size(), 1);
    window->commands->openDocumentForUser(saved);
    QCOMPARE(nextDialogFolder(), folderOf(opened));

    // The next run: the setting is on disk, read by a window made afresh.
    QFile stored(storedSettingsFileName());
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QVERIFY(stored.readAll().contains(QFileInfo(opened).absolutePath().toUtf8()));
    delete window;
    window = new testing::DocumentTestHost;
    platform = &window->scripted;
    QCOMPARE(nextDialogFolder(), folderOf(opened));

    // A remembered folder that is gone: the program's own again.
    QVERIFY(QDir(path(QStringLiteral("other"))).removeRecursively());
    QCOMPARE(nextDialogFolder(), documentFolder());
}

void DocumentCommandsTest::saveAsOverAnExistingFile() {
    testing::enterCase(*window, DocumentCase::ResidentialVp);
    const QString existing = path(QStringLiteral("existing.tvr"));
    QVERIFY(writeBytes(existing, "old\r\n"));

    platform->answers.enqueue(MsgAnswer::No);
    saveAs(existing);
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(sameQuestion(
        platform->messages.first(), QStringLiteral("同名ファイルがあります。上書き保存しますか？"),
        QStringLiteral("上書き保存の確認"), MsgButtons::YesNo, MsgAnswer::No, MsgIcon::Critical));
    // Declined: nothing written, and Overwrite save does not aim at the declined file.
    QCOMPARE(fileBytes(existing), QByteArray("old\r\n"));
    QVERIFY(window->fileName.isEmpty());
    QVERIFY(windows().form1()->windowTitle().isEmpty());
    QVERIFY(!button(3));

    platform->answers.enqueue(MsgAnswer::Yes);
    saveAs(existing);
    QCOMPARE(platform->messages.size(), 2);
    QCOMPARE(fileBytes(existing), serialisedWindows());
    QCOMPARE(windows().form1()->windowTitle(), existing);
}

void DocumentCommandsTest::declinedSaveAsKeepsTheOverwriteTarget() {
    const QString saved = savedDocument();
    const QString other = path(QStringLiteral("other.tvr"));
    QVERIFY(writeBytes(other, "other\r\n"));
    QVERIFY(writeBytes(saved, "stale\r\n"));

    platform->answers.enqueue(MsgAnswer::No);
    saveAs(other);
    QCOMPARE(window->fileName, saved);
    QCOMPARE(windows().form1()->windowTitle(), saved);
    QVERIFY(button(3));

    // Overwrite save writes where the caption says, never to the declined file.
    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    QCOMPARE(fileBytes(other), QByteArray("other\r\n"));
    QCOMPARE(fileBytes(saved), serialisedWindows());
}

void DocumentCommandsTest::saveAsCancelled() {
    const QString saved = savedDocument();
    QVERIFY(button(3));
    const QByteArray written = fileBytes(saved);

    const QStringList before = testing::describeWindows(*window);
    saveAs(QString());
    expectUnchangedAfterCancel(saved, before);
    QCOMPARE(fileBytes(saved), written);
}

void DocumentCommandsTest::overwriteSaveAsksFirst() {
    const QString saved = savedDocument();
    const QByteArray document = fileBytes(saved);
    QVERIFY(writeBytes(saved, "changed on disk\r\n"));

    platform->answers.enqueue(MsgAnswer::Cancel);
    overwriteSave();
    QCOMPARE(platform->messages.size(), 1);
    QVERIFY(sameQuestion(platform->messages.first(),
                         QStringLiteral("上書き保存してもよろしいですか？"), QStringLiteral("確認"),
                         MsgButtons::OkCancel, MsgAnswer::Cancel, MsgIcon::None));
    QCOMPARE(fileBytes(saved), QByteArray("changed on disk\r\n"));

    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    QCOMPARE(platform->messages.size(), 2);
    QCOMPARE(fileBytes(saved), document);
    QCOMPARE(window->fileName, saved);
    QCOMPARE(windows().form1()->windowTitle(), saved);
    QVERIFY(button(3));
}

// Close and New themselves, with the question, the file name and the buttons, are the
// main window's (shell_main_window_tests); after Open, closing keeps the file to
// reopen, and New keeps in the hidden planned-sewage dialog what Open put in it.
void DocumentCommandsTest::closeAndNewAfterOpen() {
    const QString saved = savedDocument();
    closeDocument();
    QVERIFY(!windows().form1() && !windows().form11());
    open(saved);
    QVERIFY(windows().form11());
    QCOMPARE(window->fileName, saved);
    QVERIFY(button(3));

    window->newDocument();
    QVERIFY(windows().form1()->windowTitle().isEmpty());
    QVERIFY(!windows().form11());
    Form3* dialog = windows().existingForm3();
    QVERIFY(dialog);
    QCOMPARE(dialog->txt_p()->text(), QStringLiteral("1000"));
}

// ---------------------------------------------------------------- failures

void DocumentCommandsTest::unwritableTargetIsReported_data() {
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("target");
    // A folder that is a regular file, and a folder where the file should be; both
    // fail for root as well.
    QTest::newRow("folder is a file")
        << QStringLiteral("blocker") << QStringLiteral("blocker/doc.tvr");
    QTest::newRow("folder in place of the file")
        << QStringLiteral("doc.tvr/") << QStringLiteral("doc.tvr");
}

void DocumentCommandsTest::unwritableTargetIsReported() {
    QFETCH(QString, blocker);
    QFETCH(QString, target);
    if (blocker.endsWith(QLatin1Char('/')))
        QVERIFY(QDir(dir->path()).mkdir(blocker.chopped(1)));
    else
        QVERIFY(writeBytes(path(blocker), "a file\r\n"));
    testing::enterCase(*window, DocumentCase::ResidentialVp);
    const QString file = path(target);

    saveAs(file);
    QCOMPARE(platform->messages.size(), 1);
    const MessageRequest error = platform->messages.first();
    QCOMPARE(error.title, QStringLiteral("エラーメッセージ"));
    QCOMPARE(error.buttons, MsgButtons::Ok);
    QVERIFY2(error.text.contains(QStringLiteral("「%1」").arg(file)), qPrintable(error.text));
    QVERIFY(error.text.contains(QStringLiteral("保存できませんでした")));
    // Not saved: no caption, no button 3, and Overwrite save has no target still.
    QVERIFY(windows().form1()->windowTitle().isEmpty());
    QVERIFY(!button(3));
    QVERIFY(window->fileName.isEmpty());

    // Overwrite save to the same name says so as well.
    window->fileName = file;
    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    QCOMPARE(platform->messages.size(), 3);
    QCOMPARE(platform->messages.at(2).text, error.text);
    QVERIFY(windows().form11());
}

void DocumentCommandsTest::refusedValueWritesNothing_data() {
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QString>("message");
    QTest::newRow("emoji")
        << static_cast<int>(DocumentCase::DirectOtherCircular) << QStringLiteral("塩ビ管\U0001F600")
        << QStringLiteral("「管の材料・名称」の文字「\U0001F600」はファイルに保存できません。");
    QTest::newRow("two lines") << static_cast<int>(DocumentCase::NonResidential2Rectangular)
                               << QStringLiteral("一行目\n二行目")
                               << QStringLiteral(
                                      "「管の材料・名称」に改行が含まれているため保存できません。");
}

void DocumentCommandsTest::refusedValueWritesNothing() {
    QFETCH(int, which);
    QFETCH(QString, material);
    QFETCH(QString, message);
    testing::enterCase(*window, static_cast<DocumentCase>(which));
    const QString saved = path(QStringLiteral("saved.tvr"));
    saveAs(saved);
    const QByteArray before = fileBytes(saved);
    QVERIFY(!before.isEmpty());

    // Put in by code, so that the result stays on screen.
    QLineEdit* field = windows().form5() ? windows().form5()->txt_m() : windows().form4()->txt_m();
    field->setText(material);
    QCOMPARE(field->text(), material);

    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    QCOMPARE(platform->messages.size(), 2);
    QCOMPARE(platform->messages.last().text, message);
    QCOMPARE(platform->messages.last().title, QStringLiteral("エラーメッセージ"));
    QCOMPARE(fileBytes(saved), before);

    const QString other = path(QStringLiteral("other.tvr"));
    saveAs(other);
    QCOMPARE(platform->messages.last().text, message);
    QVERIFY(!QFileInfo::exists(other));
    // The dialog's name is kept as with any Save As; the caption still shows the
    // file that was written.
    QCOMPARE(window->fileName, other);
    QCOMPARE(windows().form1()->windowTitle(), saved);
}

void DocumentCommandsTest::overwriteSaveLeavesAFileItMayNotReplace() {
    // A document made read-only: refused as the report file is, even for the
    // administrator.
    const QString saved = savedDocument();
    const QByteArray first = fileBytes(saved);
    QVERIFY(QFile::setPermissions(saved, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    windows().form1()->opt(2)->click();
    windows().form2()->cmd1()->click();
    platform->messages.clear();
    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    // The question "上書き保存してもよろしいですか？", then the reason.
    QCOMPARE(platform->messages.size(), 2);
    QCOMPARE(platform->messages.last().title, QStringLiteral("エラーメッセージ"));
    QCOMPARE(
        platform->messages.last().text,
        QStringLiteral("ファイル「%1」に保存できませんでした。\n書き込みが許可されていません。")
            .arg(saved));
    QCOMPARE(fileBytes(saved), first);
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    QFile::setPermissions(saved, QFile::ReadOwner | QFile::WriteOwner);
}

void DocumentCommandsTest::overwriteSaveReachesASecondName() {
#ifdef Q_OS_WIN
    QSKIP("the Windows writer replaces the name it is given");
#endif
    // A document with a second name (a hard link) is written in place: both names
    // show the new document, and nothing is left beside it.
    const QString saved = savedDocument();
    const QByteArray first = fileBytes(saved);
    const QString link = path(QStringLiteral("link.tvr"));
    QVERIFY(testing::makeHardLink(saved, link));

    windows().form1()->opt(2)->click();
    windows().form2()->cmd1()->click();
    platform->messages.clear();
    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    QCOMPARE(platform->messages.size(), 1); // the question only
    QVERIFY(fileBytes(saved) != first);
    QCOMPARE(fileBytes(link), fileBytes(saved));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void DocumentCommandsTest::unreadableFileLeavesTheDocument_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    const QByteArray whole = bytesOf(serialise(residentialVpRecord()).bytes);
    QTest::newRow("missing") << QByteArray("<missing>")
                             << QStringLiteral("ファイルが見つかりません。");
    QTest::newRow("folder") << QByteArray("<folder>") << QStringLiteral("フォルダは開けません。");
    // Opening a FIFO would wait for a writer for ever.
    QTest::newRow("fifo") << QByteArray("<fifo>") << QString::fromUtf8(notARegular);
    QTest::newRow("socket") << QByteArray("<socket>") << QString::fromUtf8(notARegular);
    QTest::newRow("device") << QByteArray("<device>") << QString::fromUtf8(notARegular);
    QTest::newRow("ends early") << whole.left(whole.indexOf("0.010"))
                                << QStringLiteral("ファイルが途中で終わっています。");
    QTest::newRow("empty") << QByteArray()
                           << QStringLiteral("このファイルはTovarinの計算書データではありません。");
    QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                             << QStringLiteral(
                                    "このファイルはTovarinの計算書データではありません。");
    QTest::newRow("text") << QByteArray("Dear user,\r\nthis is a letter.\r\n")
                          << QStringLiteral("このファイルはTovarinの計算書データではありません。");
}

void DocumentCommandsTest::unreadableFileLeavesTheDocument() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString saved = savedDocument();
    const QStringList before = testing::describeWindows(*window);
    const double capacity = window->sheet.capacity;

    const QString bad =
        content == "<device>" ? testing::nullDeviceName() : path(QStringLiteral("bad.tvr"));
    if (content == "<folder>")
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("bad.tvr")));
    else if (content == "<fifo>" && !makeFifo(bad))
        QSKIP("no FIFOs in this file system");
    else if (content == "<socket>" && !makeSocketFile(bad))
        QSKIP("no sockets in this file system");
    else if (!content.startsWith('<'))
        QVERIFY(writeBytes(bad, content));
    open(bad);

    QCOMPARE(platform->messages.size(), 1);
    const MessageRequest error = platform->messages.first();
    QCOMPARE(error.title, QStringLiteral("エラーメッセージ"));
    QCOMPARE(error.text, QStringLiteral("ファイル「%1」を開けません。\n%2").arg(bad, reason));
    QCOMPARE(testing::describeWindows(*window), before);
    QCOMPARE(window->sheet.capacity, capacity);
    QCOMPARE(window->fileName, saved);
    QVERIFY(button(3) && button(5) && button(6));
}

void DocumentCommandsTest::saveAsOntoAFifoOrSocketReplacesNothing() {
    const QString saved = savedDocument();
    const QString fifo = path(QStringLiteral("fifo.tvr"));
    if (!makeFifo(fifo))
        QSKIP("no FIFOs or sockets in this file system");
    const QString socket = path(QStringLiteral("socket.tvr"));
    QVERIFY(makeSocketFile(socket));

    for (const QString& special : {fifo, socket}) {
        platform->messages.clear();
        platform->answers.enqueue(MsgAnswer::Yes); // were the same-name question asked
        saveAs(special);
        // No question: the error alone, naming the file.
        QCOMPARE(platform->messages.size(), 1);
        QCOMPARE(platform->messages.first().title, QStringLiteral("エラーメッセージ"));
        QCOMPARE(platform->messages.first().text,
                 QStringLiteral("ファイル「%1」に保存できませんでした。\n%2")
                     .arg(special, QString::fromUtf8(notARegular)));
        platform->answers.clear();
        // Caption, Overwrite save and its target stay with the saved file.
        QCOMPARE(window->fileName, saved);
        QCOMPARE(windows().form1()->windowTitle(), saved);
        QVERIFY(button(3));
    }
    QVERIFY(isFifo(fifo));
    QVERIFY(QFileInfo(socket).exists() && !QFileInfo(socket).isFile());
}

void DocumentCommandsTest::longTextsSurviveOpenAndSave() {
    // Longer than a line edit holds by default (32767 characters).
    DocumentRecord record = rectangularRecord();
    std::get<RectangularValues>(record.facility).txt_m =
        std::string(20000, 'U') + std::string(20000, 'C');
    record.form3.txt_q2 = "0.0012" + std::string(40000, '0');
    const QString file = writeRecord(record, QStringLiteral("long.tvr"));
    QVERIFY(!file.isEmpty());

    open(file);
    QVERIFY(windows().form11());
    QCOMPARE(windows().form4()->txt_m()->text().size(), 40000);
    QCOMPARE(windows().form4()->txt_m()->cursorPosition(), 0); // shown from its start
    const QString copy = path(QStringLiteral("copy.tvr"));
    saveAs(copy);
    QVERIFY(platform->messages.isEmpty());
    QCOMPARE(fileBytes(copy), fileBytes(file));
}

void DocumentCommandsTest::controlCharacterOfAnOpenedDocument() {
    DocumentRecord record = rectangularRecord();
    const QByteArray clean = bytesOf(serialise(record).bytes);
    // Put into the file by another program: ESC [ 2 J clears a terminal.
    QByteArray bytes = clean;
    bytes.replace(bytesOf(cp932::encode("コンクリート水路").bytes),
                  bytesOf(cp932::encode("コンクリート\x1b[2J水路").bytes));
    const QString file = path(QStringLiteral("escape.tvr"));
    QVERIFY(writeBytes(file, bytes));

    // It opens, and the sheet shows "?" instead of the raw byte.
    open(file);
    QVERIFY(platform->messages.isEmpty());
    QVERIFY(windows().form11());
    const SheetText sheet = sheetText(window->sheet);
    QVERIFY(sheet.ok);
    QVERIFY(!QByteArray::fromStdString(sheet.bytes).contains('\x1b'));
    QVERIFY(QByteArray::fromStdString(sheet.bytes)
                .contains(bytesOf(cp932::encode("コンクリート?[2J水路").bytes)));

    // Saving names the field and the character, and writes nothing.
    platform->answers.enqueue(MsgAnswer::Ok);
    overwriteSave();
    QCOMPARE(platform->messages.last().text,
             QStringLiteral("「管の材料・名称」の文字「U+001B」はファイルに保存できません。"));
    QCOMPARE(fileBytes(file), bytes);
}

void DocumentCommandsTest::inputsWithoutAResultShowNoPanel_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("no gradient") << QStringLiteral("gradient=")
                                 << QStringLiteral("施設の勾配を入力してください。");
    QTest::newRow("gradient not a number")
        << QStringLiteral("gradient=abc") << QStringLiteral("施設の勾配を入力してください。");
    QTest::newRow("roughness 0") << QStringLiteral("roughness=0.000")
                                 << QStringLiteral("粗度係数を入力してください。");
    QTest::newRow("no planned flow")
        << QStringLiteral("flow=") << QStringLiteral("計画汚水量を計算又は入力してください。");
    QTest::newRow("planned flow 0 with margin")
        << QStringLiteral("margin flow=0")
        << QStringLiteral(
               "計画汚水量が０のため、余裕率を計算できません。計画汚水量を確認してください。");
    QTest::newRow("q 0 for residential")
        << QStringLiteral("q=0")
        << QStringLiteral("計画時間最大汚水量（１人１日当り）が０のため、最大計画人口を計算できませ"
                          "ん。計画汚水量を計算し直してください。");
    QTest::newRow("channel beyond all numbers")
        << QStringLiteral("huge channel")
        << QStringLiteral("計算結果が数値の範囲を超えました。入力値を確認してください。");
}

void DocumentCommandsTest::inputsWithoutAResultShowNoPanel() {
    QFETCH(QString, change);
    QFETCH(QString, message);
    DocumentRecord record = residentialVpRecord();
    auto& pipe = std::get<StandardPipeValues>(record.facility);
    if (change == QStringLiteral("gradient="))
        pipe.txt1 = "";
    if (change == QStringLiteral("gradient=abc"))
        pipe.txt1 = "abc";
    if (change == QStringLiteral("roughness=0.000"))
        pipe.txt2 = "0.000";
    if (change == QStringLiteral("flow="))
        record.form1.txt3 = "";
    if (change == QStringLiteral("margin flow=0")) {
        record.form1.opt9 = false;
        record.form1.opt10 = true;
        record.form1.txt3 = "0";
    }
    if (change == QStringLiteral("q=0"))
        record.form3.txt_q1 = "0";
    if (change == QStringLiteral("huge channel")) {
        record = rectangularRecord();
        auto& channel = std::get<RectangularValues>(record.facility);
        channel.txt1 = "1e300";
        channel.txt2 = "1e300";
    }
    const QString file = writeRecord(record, QStringLiteral("inputs.tvr"));
    QVERIFY(!file.isEmpty());

    testing::enterCase(*window, DocumentCase::DirectOtherCircular);
    open(file);

    QCOMPARE(platform->messages.size(), 1);
    QCOMPARE(platform->messages.first().text, message);
    QCOMPARE(platform->messages.first().title, QStringLiteral("エラーメッセージ"));
    QVERIFY(!windows().form11());
    QCOMPARE(window->sheet.capacity, 0.0);
    QVERIFY(!button(3) && !button(5) && !button(6));

    // The windows are restored all the same, ready to be corrected.
    QCOMPARE(windows().form1()->txt3()->text(), QString::fromStdString(record.form1.txt3));
    QVERIFY(windows().facilityWindow());
    QCOMPARE(windows().form1()->windowTitle(), file);
    QCOMPARE(window->fileName, file);
}

// ---------------------------------------------------------------- each document on its own

// A document with neither option of the groundwater and allowance pairs stored, opened
// first and opened after one with both on: the same sheet, panel and verdict, and the
// planned flow is its own Q1.
void DocumentCommandsTest::openedDocumentOwesNothingToTheOneBefore() {
    DocumentRecord neither = residentialVpRecord();
    neither.form1.opt3 = false;
    neither.form1.opt5 = false;
    DocumentRecord both = residentialVpRecord();
    both.form1.opt3 = false;
    both.form1.opt4 = true;
    both.form1.txt2 = "50";
    both.form1.opt5 = false;
    both.form1.opt6 = true;
    both.form1.txt1 = "20";
    const QString neitherFile = writeRecord(neither, QStringLiteral("neither.tvr"));
    const QString bothFile = writeRecord(both, QStringLiteral("both.tvr"));
    QVERIFY(!neitherFile.isEmpty() && !bothFile.isEmpty());

    auto opened = [this](const QString& file) {
        const int beepsBefore = platform->beeps;
        open(file);
        OpenedDocument d;
        d.sheet = bytesOf(sheetText(window->sheet).bytes);
        if (Form11* panel = windows().form11()) {
            d.panel = panel->captions();
            d.panel << panel->lbl(16)->text()
                    << panel->lbl(6)->palette().color(QPalette::WindowText).name();
        }
        d.status = window->status();
        d.beeps = platform->beeps - beepsBefore;
        return d;
    };

    const OpenedDocument first = opened(neitherFile);
    QCOMPARE(window->sheet.plannedFlow, 0.0041);        // its own Q1, as with "無し"
    QVERIFY(first.sheet.contains("=0.0041m3/sec\r\n")); // the planned-flow section
    QCOMPARE(first.panel.value(5), QString());          // no allowance factor
    QCOMPARE(first.beeps, 0);

    const OpenedDocument earlier = opened(bothFile);
    QCOMPARE(earlier.beeps, 1); // 1.2 × 1.5 × 0.0041 is more than Q2
    QCOMPARE(earlier.panel.value(5), QStringLiteral("1.2"));
    QCOMPARE(opened(neitherFile), first);
    QVERIFY(platform->messages.isEmpty());
}

QTEST_MAIN(DocumentCommandsTest)
#include "DocumentCommandsTest.moc"
