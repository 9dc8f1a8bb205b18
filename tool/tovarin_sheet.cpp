// tovarin-sheet: the calculation sheet of Tovarin documents, without a display.
//
//   tovarin-sheet [--utf8 | --results] FILE.tvr…
//   tovarin-sheet --pdf OUT.pdf FILE.tvr
//   tovarin-sheet --csv FILE.tvr…
//   tovarin-sheet --sizes FILE.tvr
//   tovarin-sheet --curve OUT.(png|svg|pdf|csv) FILE.tvr
//
// Each document is opened by the same reader as the File menu's Open, on real
// windows that are never shown, and its calculation sheet is written to standard
// output exactly as "書き込み(&W)" appends it to Tvrn.txt (code page 932, CR LF).
// --utf8 writes the same text as UTF-8 with LF line ends. --results writes instead
// one JSON object per document and line with the texts of the results panel.
// --pdf prints the one document's sheet into a PDF file on A4, through the same
// printing as "印刷(&P)", with the maximum population section.
// --csv, --sizes and --curve are the design aids (SheetToolAids.h): a results table,
// the trial of every catalogue size, the hydraulic characteristic curves.
// Messages go to standard error; the exit status is 1 when a document could not be
// read or its inputs were refused, and the other documents are still processed;
// wrong arguments give 2.

#include "engine/CalcSheet.h"
#include "platform/Cp932.h"
#include "platform/StandardOutput.h"
#include "platform/qt/Display.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/Platform.h"
#include "report/FilePrint.h"
#include "sheets/Form11.h"
#include "sheets/InputWindows.h"
#include "sheettext/ReportFile.h"
#include "shell/JapaneseEnvironment.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"
#include "tool/SheetToolArguments.h"

#include <QApplication>
#include <QLabel>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tovarin;

using Output = SheetToolMode;

void reportOutputFailure() {
    const std::string reason = lastOutputFailureReason();
    std::fputs(("標準出力に書き込めませんでした（" + reason + "）。\n").c_str(), stderr);
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

std::string jsonString(const QString& text) {
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

// A value label of the panel as shown: its text, or null when the panel hides it.
std::string jsonLabel(const Form11& panel, int number) {
    const QLabel* label = panel.lbl(number);
    if (!label->isVisibleTo(&panel))
        return "null";
    return jsonString(label->text());
}

std::string resultsLine(const QString& file, const Form11& panel, const QString& status,
                        int beeps) {
    std::string line = "{";
    line += "\"file\":" + jsonString(file);
    line += ",\"allowanceFactor\":" + jsonLabel(panel, 16);
    line += ",\"plannedFlow\":" + jsonLabel(panel, 3);
    line += ",\"capacity\":" + jsonLabel(panel, 6);
    line += ",\"velocity\":" + jsonLabel(panel, 9);
    line += ",\"maxPopulation\":" + jsonLabel(panel, 12);
    line += ",\"marginRatio\":" + jsonLabel(panel, 21);
    line += ",\"status\":" + jsonString(status);
    line += ",\"beeps\":" + std::to_string(beeps);
    return line + "}\n";
}

// Qt's own notices (the offscreen platform's remarks and the like) would mix with
// the documents' messages on standard error; only fatal ones are let through.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg)
        std::fputs((message + '\n').toUtf8().constData(), stderr);
}

} // namespace

int main(int argc, char* argv[]) {
    setUpStandardStreams();
    // The windows exist only in memory: no display is needed.
    useWindowSystemWithoutDisplay();
    qInstallMessageHandler(quietQtMessages);
    QApplication app(argc, argv);
    setUpJapaneseEnvironment(app);
    describeUnseenControlsBarely();

    const SheetToolArguments arguments = readSheetToolArguments(QCoreApplication::arguments());
    if (!arguments.valid()) {
        const QString message = QStringLiteral("tovarin-sheet: ") + arguments.error +
                                QLatin1Char('\n') + sheetToolUsage();
        std::fputs(message.toUtf8().constData(), stderr);
        return 2;
    }

    ConsolePlatform platform;
    platform.unusableNames = namesNotInUtf8(argc, argv);
    // An output file (--pdf, --curve) is written under its name, which must survive too.
    if (platform.unusableNames.contains(arguments.outputFile)) {
        std::fputs((platform.unusableNames.value(arguments.outputFile) + QStringLiteral(": ") +
                    nameNotInSystemEncodingMessage() + QLatin1Char('\n'))
                       .toUtf8()
                       .constData(),
                   stderr);
        return 1;
    }
    switch (arguments.output) {
    case Output::Help:
        return writeStandardOutput(sheetToolHelp().toStdString()) ? 0 : 1;
    case Output::Version:
        return writeStandardOutput("tovarin-sheet " TOVARIN_VERSION "\n") ? 0 : 1;
    case Output::Csv:
        return writeResultsTable(platform, arguments.files);
    case Output::Sizes:
        return writeSizeTable(platform, arguments.files.front());
    case Output::Curve:
        return writeCharacteristicCurves(platform, arguments.outputFile, arguments.files.front());
    default:
        break;
    }
    MDIFofm mainWindow(platform, OnScreen::Never);
    int status = 0;
    bool outputFailed = false;
    for (const QString& file : arguments.files) {
        if (outputFailed)
            break;
        startNextDocument(mainWindow);
        platform.document = file;
        if (platform.refusesNameNotInUtf8(file)) {
            status = 1;
            continue;
        }
        const int beepsBefore = platform.beeps;
        if (mainWindow.documentCommands().openDocument(file) != OpenOutcome::Restored) {
            status = 1;
            continue;
        }
        if (arguments.output == Output::Pdf) {
            if (!printSheetToPdf(platform, mainWindow.calcSheet(), arguments.outputFile)) {
                platform.message(
                    nullptr,
                    MessageRequest{QStringLiteral("ファイル「%1」に印刷できませんでした。")
                                       .arg(arguments.outputFile),
                                   QString(), MsgButtons::Ok, MsgAnswer::Ok, MsgIcon::None});
                status = 1;
            }
            continue;
        }
        if (arguments.output == Output::Results) {
            const Form11* panel = mainWindow.inputWindows().form11();
            outputFailed = !writeStandardOutput(resultsLine(
                file, *panel, mainWindow.statusMessage(), platform.beeps - beepsBefore));
            continue;
        }
        const SheetText sheet = sheetText(mainWindow.calcSheet());
        if (!sheet.ok) {
            platform.message(nullptr,
                             MessageRequest{QString::fromStdString(sheet.message), QString(),
                                            MsgButtons::Ok, MsgAnswer::Ok, MsgIcon::None});
            status = 1;
            continue;
        }
        outputFailed = !writeStandardOutput(
            arguments.output == Output::Utf8Sheet ? utf8Sheet(sheet.bytes) : sheet.bytes);
    }
    if (outputFailed || !closeStandardOutput()) {
        reportOutputFailure();
        return 1;
    }
    return status;
}
