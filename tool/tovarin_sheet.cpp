// tovarin-sheet: the calculation sheet of Tovarin documents, without a display.
//
//   tovarin-sheet [--utf8 | --results] FILE.(tvr|tvu|tvn)…
//   tovarin-sheet --pdf OUT.pdf FILE.(tvr|tvu|tvn)
//   tovarin-sheet --csv FILE.tvr… | FILE.tvu…
//   tovarin-sheet --xlsx OUT.xlsx FILE.tvr… | FILE.tvu…
//   tovarin-sheet --sizes FILE.tvr
//   tovarin-sheet --curve OUT.(png|svg|pdf|csv) FILE.tvr
//
// Each document is opened by the same reader as the File menu's Open, on real
// windows that are never shown, and its calculation sheet is written to standard
// output exactly as "書き込み(&W)" appends it to Tvrn.txt (code page 932, CR LF).
// --utf8 writes the same text as UTF-8 with LF line ends, and so does the sheet when
// standard output is a terminal (unless its locale is code page 932), where the code
// page 932 bytes would be unreadable. --results writes instead
// one JSON object per document and line with the texts of the results panel.
// --pdf prints the one document's sheet into a PDF file on A4, through the same
// printing as "印刷(&P)", with the maximum population section.
// --csv, --sizes and --curve are the design aids (SheetToolAids.h): a results table,
// the trial of every catalogue size, the hydraulic characteristic curves. --xlsx
// writes the results table as a workbook.
// A document's kind is told by its first bytes, as Open tells it; each kind reads
// and writes its documents its own way (ToolDocument.h): a rainwater document needs
// no window, its sheet, results line, PDF or table row comes from the Qt-free
// calculation and sheet.
// Messages go to standard error; the exit status is 1 when a document could not be
// read or its inputs were refused, and the other documents are still processed;
// wrong arguments give 2, and so does an output that is one of the inputs.

#include "engine/ControlCharacters.h"
#include "platform/Cp932.h"
#include "platform/RegularFile.h"
#include "platform/StandardOutput.h"
#include "platform/Terminal.h"
#include "platform/qt/Display.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/Platform.h"
#include "platform/qt/WholeFile.h"
#include "shell/CommandLineConvention.h"
#include "shell/JapaneseEnvironment.h"
#include "tool/SheetToolAids.h"
#include "tool/SheetToolArguments.h"
#include "tool/ToolDocument.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace tovarin;

using Output = SheetToolMode;

void reportOutputFailure() {
    const std::string reason = lastOutputFailureReason();
    writeStandardError("標準出力に書き込めませんでした（" + reason + "）。\n");
}

// UTF-8 text with LF line ends from the report file's bytes.
std::string utf8Sheet(const std::string& cp932Bytes) {
    const std::string text = cp932::decode(cp932Bytes).utf8;
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        lines += text[i];
    }
    return lines;
}

// Qt's own notices (the offscreen platform's remarks and the like) would mix with
// the documents' messages on standard error; only fatal ones are let through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        writeStandardError((message + QLatin1Char('\n')).toStdString());
}

// Why the PDF file was not written, from the error of the call that failed.
QString pdfFailureReason(const PdfFileResult& result) {
    if (!result.drawn)
        return QStringLiteral("PDF を作れませんでした。");
    const QString reason = wholeFileFailureReason(result.written);
    if (!reason.isEmpty())
        return reason;
    return QStringLiteral("書き込めませんでした（%1）。")
        .arg(QString::fromLocal8Bit(std::strerror(result.written.error)));
}

// --pdf: the printout into the file, or a message that says what stood in the way.
bool printAsPdf(ConsolePlatform& platform, const QString& output,
                const std::function<PdfFileResult()>& print) {
    QString why = outputFileProblem(output);
    if (why.isEmpty()) {
        const PdfFileResult printed = print();
        if (printed)
            return true;
        why = pdfFailureReason(printed);
    }
    platform.report(QStringLiteral("ファイル「%1」に印刷できませんでした。%2").arg(output, why));
    return false;
}

// Standard output as the sheet is written to it: UTF-8 (--utf8, or a terminal, where
// code page 932 bytes would be unreadable: the terminal shows the same text as --utf8,
// LF line ends, which the terminal itself turns into new lines), or else the bytes
// of the report file unchanged.
bool sheetAsUtf8(SheetToolMode output) {
    if (output == Output::Utf8Sheet)
        return true;
    return output == Output::Sheet && standardOutputIsTerminal() && !localeIsCodePage932();
}

// A message of several lines with every control character but its line ends shown
// as a typed name on the sheet: an argument quoted in it cannot forge a line.
std::string visibleLines(const std::string& message) {
    std::string shown;
    size_t start = 0;
    for (size_t end; (end = message.find('\n', start)) != std::string::npos; start = end + 1)
        shown += visibleText(message.substr(start, end - start)) + '\n';
    return shown + visibleText(message.substr(start));
}

// Every mode but those that write a file writes to standard output.
bool writesStandardOutput(SheetToolMode output) {
    return output != Output::Pdf && output != Output::Xlsx && output != Output::Curve &&
           output != Output::Profile;
}

// An output that is one of the inputs would be written over it: the file of --pdf
// and --curve (through symbolic and hard links alike), and standard output redirected
// onto an input. The message that refuses the run; empty when no output is an input.
std::string outputOverInput(const SheetToolArguments& arguments) {
    const QString& output = arguments.outputFile;
    const bool outputFile = !output.isEmpty() && !arguments.unusableNames.contains(output);
    for (const QString& file : arguments.files) {
        if (arguments.unusableNames.contains(file))
            continue;
        const std::string input = fileSystemName(file);
        if (outputFile && isSameFile(fileSystemName(output), input))
            return "tovarin-sheet: 出力ファイル「" + output.toStdString() + "」は入力の「" +
                   file.toStdString() +
                   "」と同じファイルです。入力を上書きしないよう、別の名前を指定してください。\n";
        if (writesStandardOutput(arguments.output) && isStandardOutputFile(input))
            return "tovarin-sheet: 標準出力の行き先が入力の「" + file.toStdString() +
                   "」と同じファイルです。入力を上書きしないよう、別のファイルに出力してください。"
                   "\n";
    }
    return {};
}

// One document of the main loop: its sheet, its results line or its PDF. False when
// it gave none; `outputFailed` tells whether standard output refused what it gave.
bool writeDocument(ConsolePlatform& platform, const SheetToolArguments& arguments,
                   ToolDocument& document, const QString& file, bool* outputFailed) {
    if (!document.read(file))
        return false;
    if (arguments.output == Output::Pdf) {
        return printAsPdf(platform, arguments.outputFile,
                          [&] { return document.printPdf(arguments.outputFile); });
    }
    if (arguments.output == Output::Results) {
        *outputFailed = !writeStandardOutputText(document.resultsLine(file));
        return true;
    }
    const SheetText sheet = document.sheet();
    if (!sheet.ok) {
        platform.report(QString::fromStdString(sheet.message));
        return false;
    }
    *outputFailed = sheetAsUtf8(arguments.output) ? !writeStandardOutputText(utf8Sheet(sheet.bytes))
                                                  : !writeStandardOutput(sheet.bytes);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // Before anything opens a file: Qt's first descriptor must not become standard output.
    const bool outputClosed = openClosedStandardDescriptors();
    // The arguments are the tool's own: Qt is given only the program's name below, so
    // that no document name is taken for one of its options (-style=…, -stylesheet=…).
    setUpStandardStreams();
    const QList<QByteArray> argumentBytes = commandLineArguments(argc, argv);
    const SheetToolArguments arguments = readSheetToolArguments(argumentBytes);
    const QString program = QStringLiteral("tovarin-sheet");
    if (!arguments.valid()) {
        const QString message = usageErrorText(program, arguments.error, sheetToolUsage());
        writeStandardError(visibleLines(message.toStdString()));
        return 2;
    }
    if (outputClosed && writesStandardOutput(arguments.output)) {
        std::fputs((std::string(standardOutputClosedMessage) + '\n').c_str(), stderr);
        return 1;
    }
    if (arguments.output == Output::Help)
        return writeCommandLineAnswer(program, sheetToolHelp());
    if (arguments.output == Output::Version)
        return writeCommandLineAnswer(program, versionText(program));
    if (const std::string clash = outputOverInput(arguments); !clash.empty()) {
        writeStandardError(visibleLines(clash));
        return 2;
    }

    // The windows exist only in memory: no display is needed.
    useWindowSystemWithoutDisplay();
    qInstallMessageHandler(quietQtMessages);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    setUpJapaneseEnvironment(app);
    describeUnseenControlsBarely();

    ConsolePlatform platform;
    platform.unusableNames = arguments.unusableNames;
    platform.outputFile = arguments.outputFile;
    // An output file (--pdf, --xlsx, --curve) is written under its name, which must survive too.
    if (platform.refusesNameNotInUtf8(arguments.outputFile))
        return 1;
    ToolDocuments documents(platform);
    const bool aidOfOneDocument =
        arguments.output == Output::Sizes || arguments.output == Output::Curve;
    if (aidOfOneDocument) {
        const QString refusal = documents.of(arguments.files.front()).designAidsRefusal();
        if (!refusal.isEmpty()) {
            platform.document = arguments.files.front();
            platform.report(refusal);
            return 1;
        }
    }
    switch (arguments.output) {
    case Output::Csv:
        return writeResultsTable(platform, documents, arguments.files);
    case Output::Xlsx:
        return writeResultsWorkbook(platform, documents, arguments.files, arguments.outputFile);
    case Output::Sizes:
        return writeSizeTable(platform, arguments.files.front(), arguments.minimumDiameter);
    case Output::Curve:
        return writeCharacteristicCurves(platform, arguments.outputFile, arguments.files.front());
    case Output::Profile:
        return writeNetworkProfile(platform, arguments.outputFile, arguments.profileOutlet,
                                   arguments.files.front());
    default:
        break;
    }
    int status = 0;
    bool outputFailed = false;
    for (const QString& file : arguments.files) {
        if (outputFailed)
            break;
        if (!writeDocument(platform, arguments, documents.of(file), file, &outputFailed))
            status = 1;
    }
    if (outputFailed || !closeStandardOutput()) {
        reportOutputFailure();
        return 1;
    }
    return status;
}
