// Follows arbitrary bytes down the whole road of a document of either kind (sewage
// .tvr, rainwater .tvu, as the first bytes tell), on the real main window and its
// input windows (offscreen; every dialog is answered at once):
//
//   Open → the windows restore it and compute → the sheet text and "書き込み" →
//   the print image page → Save As → Open the saved file → Overwrite save.
//
// Each input starts on a fresh main window, so a finding reproduces on its own. The
// checks are what the program promises its user: a file is either opened or refused
// with a message naming it; an opened document keeps every text it stored; the text
// file and the drawn page carry the same lines and the same NG verdicts; the sheet
// text holds no raw control characters; a saved document opens again to the same
// result and saves to the same bytes.

#include "documents/record/DocumentKind.h"
#include "documents/record/DocumentRecord.h"
#include "documents/record/RainwaterRecord.h"
#include "engine/CalcSheet.h"
#include "platform/qt/Platform.h"
#include "report/Form7.h"
#include "sheets/Form1.h"
#include "sheets/RainwaterWindows.h"
#include "sheets/SewageWindows.h"
#include "sheettext/RainwaterSheetBuilder.h"
#include "sheettext/ReportFile.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace tovarin;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "document_road_fuzz: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition)
        fail(what);
}

// The dialogs of the road, answered without blocking: the file dialogs give the
// names the road needs, message boxes their scripted answer or the default button.
class RoadPlatform : public Platform {
public:
    QString openName;
    QString saveName;
    MsgAnswer nextAnswer = MsgAnswer::Ok;
    bool answerScripted = false;
    QStringList messages;
    int beeps = 0;

    MsgAnswer message(QWidget*, const MessageRequest& request) override {
        messages.append(request.text);
        if (answerScripted) {
            answerScripted = false;
            return nextAnswer;
        }
        return request.defaultButton;
    }
    QString openFileName(QWidget*, const FileDialogRequest&) override { return openName; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return saveName; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override { ++beeps; }
    bool startProgram(const QString&, const QStringList&) override { return false; }

    void answerNextWith(MsgAnswer answer) {
        nextAnswer = answer;
        answerScripted = true;
    }
    bool saidSomethingAbout(const QString& fileName) const {
        for (const QString& text : messages) {
            if (text.contains(fileName))
                return true;
        }
        return false;
    }
};

// Files of the road live in one folder for the whole run.
struct Workspace {
    QTemporaryDir folder;
    QString input() const { return folder.filePath(QStringLiteral("input.tvr")); }
    QString saved() const { return folder.filePath(QStringLiteral("saved.tvr")); }
    std::string reportFile() const {
        return QFile::encodeName(folder.filePath(QStringLiteral("Tvrn.txt"))).toStdString();
    }
};

Workspace* workspace = nullptr;

// A fault that does not stop the road: it is reported once the road is walked, so
// that the steps after it are still checked for the same input.
const char* lateFinding = nullptr;

std::string fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

void writeFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size) ||
        !file.flush())
        fail("the input could not be written to the work folder");
    file.close();
}

// Deletes the windows that closed during the step (they go through deleteLater).
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Lines of a sheet text; each must end in CR LF, and nothing but CR LF line ends and
// tabs may be a control character (a raw one would act on the editor or terminal
// that shows the sheet).
int sheetLineCount(const std::string& bytes) {
    require(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0,
            "the sheet text does not end in CR LF");
    int lines = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++lines;
            ++i;
            continue;
        }
        if ((byte < 0x20 && byte != '\t') || byte == 0x7f)
            lateFinding = "the sheet text holds a raw control character";
    }
    return lines;
}

// Every text the file stored is in the windows after Open, unchanged: the main
// sheet's and the planned-sewage dialog's always, the facility window's when the
// stored kind opened that window, the results panel's when the result is shown.
void requireStoredTextsKept(const DocumentRecord& stored, const DocumentRecord& written,
                            bool resultShown) {
    require(stored.form1.txt1 == written.form1.txt1 && stored.form1.txt2 == written.form1.txt2 &&
                stored.form1.txt3 == written.form1.txt3,
            "a text of the main sheet changed between Open and Save As");
    require(stored.form3.txt_p == written.form3.txt_p &&
                stored.form3.txt_q1 == written.form3.txt_q1 &&
                stored.form3.txt_a == written.form3.txt_a &&
                stored.form3.txt_q2 == written.form3.txt_q2,
            "a text of the planned-sewage dialog changed between Open and Save As");
    if (stored.form1.lst_s == written.form1.lst_s &&
        stored.facility.index() == written.facility.index()) {
        bool same = true;
        if (const auto* a = std::get_if<StandardPipeValues>(&stored.facility)) {
            const auto& b = std::get<StandardPipeValues>(written.facility);
            same = a->txt1 == b.txt1 && a->txt2 == b.txt2;
        } else if (const auto* a = std::get_if<OtherCircularValues>(&stored.facility)) {
            const auto& b = std::get<OtherCircularValues>(written.facility);
            same =
                a->txt_m == b.txt_m && a->txt1 == b.txt1 && a->txt2 == b.txt2 && a->txt3 == b.txt3;
        } else if (const auto* a = std::get_if<RectangularValues>(&stored.facility)) {
            const auto& b = std::get<RectangularValues>(written.facility);
            same = a->txt_m == b.txt_m && a->txt1 == b.txt1 && a->txt2 == b.txt2 &&
                   a->txt3 == b.txt3 && a->txt4 == b.txt4;
        }
        require(same, "a text of the facility window changed between Open and Save As");
    }
    if (resultShown)
        require(stored.form11 == written.form11,
                "a caption of the results panel changed between Open and Save As");
}

struct Outputs {
    bool result = false;
    bool sheetOk = false;
    std::string sheet; // the sheet text when it could be encoded
};

// With a result on screen: the sheet text, appended by the writer of "書き込み", and
// the print image page, which must draw the same lines with the same NG verdicts.
Outputs checkOutputs(MDIFofm& window, RoadPlatform& platform) {
    Outputs outputs;
    outputs.result = window.sewageWindows().hasResult();
    if (!outputs.result)
        return outputs;

    const SheetText text = sheetText(window.calcSheet());
    const std::string reportFile = workspace->reportFile();
    std::remove(reportFile.c_str());
    const ReportWrite written = appendSheet(window.calcSheet(), reportFile);
    require(written.ok == text.ok, "書き込み and the sheet text disagree");
    const std::string appended = fileBytes(QFile::decodeName(reportFile.c_str()));
    if (!text.ok) {
        require(!text.message.empty() && !written.message.empty(),
                "a sheet that cannot be written carries no message");
        require(appended.empty(), "a refused sheet left bytes in the text file");
    } else {
        require(appended == text.bytes, "書き込み wrote other bytes than the sheet text");
        outputs.sheetOk = true;
        outputs.sheet = text.bytes;
    }

    const int beepsBefore = platform.beeps;
    window.FileImage();
    const Form7* image = findForm7(window.mdiArea());
    require(image != nullptr && image->pageDrawings() >= 1, "the print image was not drawn");
    if (outputs.sheetOk) {
        // The drawn sheet has five blank lines of top margin more than the text file.
        constexpr int drawnTopMargin = 5;
        require(image->page().linesWritten() == sheetLineCount(text.bytes) + drawnTopMargin,
                "the print image and the text file have different lines");
        require(platform.beeps - beepsBefore == text.alertLines,
                "the print image and the text file have different NG verdicts");
    }
    // Closed again as by its "閉じる(&C)", so that the next document's image is new.
    findForm7(window.mdiArea())->closeWindow();
    settle();
    require(findForm7(window.mdiArea()) == nullptr, "the print image window does not close");
    return outputs;
}

void followTheRoad(MDIFofm* window, RoadPlatform& platform, std::string_view input) {
    const ParseResult parsed = parse(input);

    // Open: the file is either a document on screen or refused with its name said.
    platform.openName = workspace->input();
    window->FileOpen();
    settle();
    Form1* sheet = window->sewageWindows().form1();
    require((sheet != nullptr) == parsed.ok(), "Open and the document reader disagree");
    if (!sheet) {
        require(platform.saidSomethingAbout(workspace->input()),
                "a refused document was not named to the user");
        require(window->currentFileName.isEmpty(), "a refused document became the current file");
        return;
    }
    require(window->currentFileName == workspace->input(), "Open did not keep the file name");
    require(sheet->windowTitle() == workspace->input(), "Open did not put the path in the caption");

    const Outputs first = checkOutputs(*window, platform);

    // Save As under a new name: written, or refused with a message and no file.
    const int messagesBefore = static_cast<int>(platform.messages.size());
    platform.saveName = workspace->saved();
    window->FileSaveAs();
    settle();
    if (!QFile::exists(workspace->saved())) {
        require(platform.messages.size() > messagesBefore,
                "Save As wrote nothing and said nothing");
        return;
    }
    const std::string savedBytes = fileBytes(workspace->saved());
    const ParseResult saved = parse(savedBytes);
    require(saved.ok(), "a saved document does not read");
    requireStoredTextsKept(*parsed.record, *saved.record, first.result);

    // The saved file opens to the same result and saves to the same bytes.
    platform.openName = workspace->saved();
    window->FileOpen();
    settle();
    require(window->sewageWindows().form1() != nullptr, "a saved document does not open");
    const Outputs second = checkOutputs(*window, platform);
    require(second.result == first.result, "the saved document opens to another result");
    require(second.sheetOk == first.sheetOk && second.sheet == first.sheet,
            "the saved document gives another sheet");

    platform.answerNextWith(MsgAnswer::Ok); // "上書き保存してもよろしいですか？"
    window->FileUpdate();
    settle();
    require(fileBytes(workspace->saved()) == savedBytes,
            "Overwrite save of the reopened document gives other bytes");
}

// The print image of the document on screen is drawn and closes again.
void drawPrintImage(MDIFofm& window) {
    window.FileImage();
    const Form7* image = findForm7(window.mdiArea());
    require(image != nullptr && image->pageDrawings() >= 1, "the print image was not drawn");
    findForm7(window.mdiArea())->closeWindow();
    settle();
    require(findForm7(window.mdiArea()) == nullptr, "the print image window does not close");
}

// A rainwater result's sheet text (with no raw control character) and print image;
// the sheet text when it could be encoded.
std::optional<std::string> rainwaterOutputs(MDIFofm& window) {
    const RainwaterResult* result = window.rainwaterWindows().result();
    if (!result)
        return std::nullopt;
    const SheetText text = rainwaterSheetText(*result);
    require(text.ok, "a rainwater document that opens and computes gives no sheet");
    sheetLineCount(text.bytes);
    drawPrintImage(window);
    return text.bytes;
}

// The road of a rainwater document (.tvu): opened or refused as its reader decides,
// its inputs on screen as stored, its sheet and print image, Save As giving the same
// input, and the saved document reopening to the same sheet and saving to the same
// bytes.
void followTheRainwaterRoad(MDIFofm* window, RoadPlatform& platform, std::string_view input) {
    const RainwaterDocumentRead parsed = parseRainwaterDocument(input);
    platform.openName = workspace->input();
    window->FileOpen();
    settle();
    RainwaterWindows& windows = window->rainwaterWindows();
    require(windows.isOpen() == parsed.input.has_value(),
            "Open and the rainwater document reader disagree");
    if (!windows.isOpen()) {
        require(platform.saidSomethingAbout(workspace->input()),
                "a refused document was not named to the user");
        require(window->currentFileName.isEmpty(), "a refused document became the current file");
        return;
    }
    require(window->currentFileName == workspace->input(), "Open did not keep the file name");
    require(windows.input() == *parsed.input, "the windows do not show the stored input");
    const std::optional<std::string> first = rainwaterOutputs(*window);

    const int messagesBefore = static_cast<int>(platform.messages.size());
    platform.saveName = workspace->saved();
    window->FileSaveAs();
    settle();
    if (!QFile::exists(workspace->saved())) {
        require(platform.messages.size() > messagesBefore,
                "Save As wrote nothing and said nothing");
        return;
    }
    const std::string savedBytes = fileBytes(workspace->saved());
    const RainwaterDocumentRead saved = parseRainwaterDocument(savedBytes);
    require(saved.input.has_value(), "a saved document does not read");
    require(*saved.input == *parsed.input, "Save As changed the stored input");

    platform.openName = workspace->saved();
    window->FileOpen();
    settle();
    require(window->rainwaterWindows().isOpen(), "a saved document does not open");
    require(rainwaterOutputs(*window) == first, "the saved document gives another sheet");

    platform.answerNextWith(MsgAnswer::Ok); // "上書き保存してもよろしいですか？"
    window->FileUpdate();
    settle();
    require(fileBytes(workspace->saved()) == savedBytes,
            "Overwrite save of the reopened document gives other bytes");
}

// Qt's own remarks (the offscreen platform's notices and the like) would bury the
// findings; only its fatal messages are let through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

} // namespace

// Fontconfig keeps a little memory for good when fonts are first looked up; it is
// not the project's, and not instrumented.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The windows are real but never reach a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    static int qtArgc = 1;
    static char qtProgram[] = "document_road_fuzz";
    static char* qtArgv[] = {qtProgram, nullptr};
    static QApplication app(qtArgc, qtArgv);
    QApplication::setQuitOnLastWindowClosed(false);
    setUpJapaneseEnvironment(app);
    static Workspace folder;
    if (!folder.folder.isValid())
        fail("no work folder");
    workspace = &folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lateFinding = nullptr;
    writeFile(workspace->input(), data, size);
    QFile::remove(workspace->saved());
    {
        RoadPlatform platform;
        auto window = std::make_unique<MDIFofm>(platform);
        window->show();
        const std::string_view input(reinterpret_cast<const char*>(data), size);
        if (documentKindOf(input.substr(0, documentKindBytes)) == DocumentKind::Rainwater)
            followTheRainwaterRoad(window.get(), platform, input);
        else
            followTheRoad(window.get(), platform, input);
    }
    settle();
    if (lateFinding)
        fail(lateFinding);
    return 0;
}
