// Follows arbitrary bytes into the 設計補助 window's 一覧表, as "追加…" adds a document
// there: the window reads it through the program's own reader (AidsDocumentReader,
// app/ProgramAids.h), which opens it on a main window never shown, of either kind
// (sewage .tvr, rainwater .tvu). The checks are what the window promises: one row
// per document, as wide as the header, and a document that does not read has a row
// that says why in its エラー cell.

#include "aids/AidsWindow.h"
#include "app/ProgramAids.h"
#include "documents/record/DocumentKind.h"
#include "documents/record/DocumentRecord.h"
#include "documents/record/RainwaterRecord.h"
#include "platform/qt/Platform.h"
#include "shell/JapaneseEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tovarin;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "aids_road_fuzz: %s\n", what);
    std::abort();
}

void require(bool condition, const char* what) {
    if (!condition)
        fail(what);
}

// The window's own dialogs, answered at once with their default button.
class QuietPlatform : public Platform {
public:
    MsgAnswer message(QWidget*, const MessageRequest& request) override {
        return request.defaultButton;
    }
    QString openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override {}
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

QTemporaryDir* folder = nullptr;

QString inputName() {
    return folder->filePath(QStringLiteral("input.tvu"));
}

void writeInput(const uint8_t* data, size_t size) {
    QFile file(inputName());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size) ||
        !file.flush())
        fail("the input could not be written to the work folder");
}

// Whether the document's own reader refuses the bytes: such a document has no result.
bool readerRefuses(std::string_view bytes) {
    if (documentKindOf(bytes.substr(0, documentKindBytes)) == DocumentKind::Rainwater)
        return !parseRainwaterDocument(bytes).input.has_value();
    return !parse(bytes).ok();
}

void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fputs((message + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

} // namespace

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    static int qtArgc = 1;
    static char qtProgram[] = "aids_road_fuzz";
    static char* qtArgv[] = {qtProgram, nullptr};
    static QApplication app(qtArgc, qtArgv);
    QApplication::setQuitOnLastWindowClosed(false);
    setUpJapaneseEnvironment(app);
    static QTemporaryDir work;
    if (!work.isValid())
        fail("no work folder");
    folder = &work;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeInput(data, size);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    QuietPlatform platform;
    AidsWindow window(platform, mainWindowReader());
    window.addDocuments({inputName()});
    const std::vector<std::vector<std::string>> cells =
        AidsWindow::tableCells(*window.resultsTable());
    require(cells.size() == 2, "一覧表 does not have one row for the document");
    const std::vector<std::string>& header = cells.front();
    const std::vector<std::string>& row = cells.back();
    require(row.size() == header.size(), "the document's row is not as wide as the header");
    if (readerRefuses(bytes))
        require(!row.back().empty(), "a document that does not read has no エラー");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
