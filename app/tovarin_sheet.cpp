// tovarin-sheet: the calculation sheet of Tovarin documents, without a display.
//
//   tovarin-sheet [--utf8 | --results] FILE.tvr…
//   tovarin-sheet --pdf OUT.pdf FILE.tvr
//
// Each document is opened by the same reader as the File menu's Open, on real
// windows that are never shown, and its calculation sheet is written to standard
// output exactly as "書き込み(&W)" appends it to Tvrn.txt (code page 932, CR LF).
// --utf8 writes the same text as UTF-8 with LF line ends. --results writes instead
// one JSON object per document and line with the texts of the results panel.
// --pdf prints the one document's sheet into a PDF file on A4, through the same
// printing as "印刷(&P)", with the maximum population section.
// Messages go to standard error; the exit status is 1 when a document could not be
// read or its inputs were refused, and the other documents are still processed.

#include "CalcSheet.h"
#include "Cp932.h"
#include "FilePrint.h"
#include "Form11.h"
#include "InputWindows.h"
#include "JapaneseEnvironment.h"
#include "MDIFofm.h"
#include "Platform.h"
#include "ReportFile.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QLabel>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace tovarin;

// Never blocks: every message goes to standard error under the document's name and
// is answered with its default button; file dialogs are cancelled, nothing starts.
class ConsolePlatform : public Platform {
public:
    QString document;
    int beeps = 0;

    MsgAnswer message(QWidget*, const MessageRequest& request) override {
        QString text = request.text;
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QString line = document + QStringLiteral(": ") + text + QLatin1Char('\n');
        std::fputs(line.toUtf8().constData(), stderr);
        return request.defaultButton;
    }
    QString openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override { ++beeps; }
    bool startProgram(const QString&, const QStringList&) override { return false; }
};

enum class Output { Sheet, Utf8Sheet, Results, Pdf };

struct Arguments {
    Output output = Output::Sheet;
    QStringList files;
    QString pdfFile; // with --pdf
    bool valid = true;
};

Arguments readArguments(const QStringList& arguments) {
    Arguments result;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--utf8"))
            result.output = Output::Utf8Sheet;
        else if (argument == QStringLiteral("--results"))
            result.output = Output::Results;
        else if (argument == QStringLiteral("--pdf") && i + 1 < arguments.size()) {
            result.output = Output::Pdf;
            result.pdfFile = arguments[++i];
        }
        else if (argument.startsWith(QStringLiteral("--")))
            result.valid = false;
        else
            result.files.append(argument);
    }
    if (result.files.isEmpty()) result.valid = false;
    // One PDF file holds the sheet of one document.
    if (result.output == Output::Pdf && result.files.size() != 1) result.valid = false;
    return result;
}

// Writes the bytes to standard output at once; false when they did not all arrive
// (a full disk, a closed pipe, /dev/full).
bool writeOut(const std::string& bytes) {
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    const bool flushed = std::fflush(stdout) == 0;
    return written == bytes.size() && flushed;
}

// Closes standard output, which reports a write that failed only at the end.
bool closeOut() { return std::fclose(stdout) == 0; }

void reportOutputFailure() {
    const std::string reason = std::strerror(errno);
    std::fputs(("標準出力に書き込めませんでした（" + reason + "）。\n").c_str(), stderr);
}

// Arguments whose bytes are not a name Qt can give back unchanged (a file name in
// another encoding than UTF-8), with those bytes shown readably: invalid bytes as \xHH.
QHash<QString, QString> namesNotOpenable(int argc, char* argv[]) {
    QHash<QString, QString> names;
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString decoded = QFile::decodeName(bytes);
        if (QFile::encodeName(decoded) == bytes) continue;
        QString shown;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            shown += byte < 0x80 ? QString(QLatin1Char(c))
                                 : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
        }
        names.insert(decoded, shown);
    }
    return names;
}

// UTF-8 text with LF line ends from the report file's bytes.
std::string utf8Sheet(const std::string& cp932Bytes) {
    const std::string text = cp932::decode(cp932Bytes).utf8;
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        lines += text[i];
    }
    return lines;
}

std::string jsonString(const QString& text) {
    std::string out = "\"";
    for (const char c : text.toStdString()) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
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
    if (!label->isVisibleTo(&panel)) return "null";
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
    if (type == QtFatalMsg) std::fputs((message + '\n').toUtf8().constData(), stderr);
}

const char* const usage =
    "使い方: tovarin-sheet [--utf8 | --results] ファイル.tvr…\n"
    "        tovarin-sheet --pdf 出力.pdf ファイル.tvr\n"
    "Usage: tovarin-sheet [--utf8 | --results] FILE.tvr…\n"
    "       tovarin-sheet --pdf OUT.pdf FILE.tvr\n";

} // namespace

int main(int argc, char* argv[]) {
    // The windows exist only in memory: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    QApplication app(argc, argv);
    setUpJapaneseEnvironment(app);

    const Arguments arguments = readArguments(QCoreApplication::arguments());
    if (!arguments.valid) {
        std::fputs(usage, stderr);
        return 2;
    }

    ConsolePlatform platform;
    MDIFofm mainWindow(platform);
    const QHash<QString, QString> unusableNames = namesNotOpenable(argc, argv);
    if (arguments.output == Output::Pdf && unusableNames.contains(arguments.pdfFile)) {
        std::fputs((unusableNames.value(arguments.pdfFile) +
                    QStringLiteral(": ファイル名がUTF-8で表せないため、書き込めません。"
                                   "UTF-8の名前に変えてください。\n"))
                       .toUtf8()
                       .constData(),
                   stderr);
        return 1;
    }
    int status = 0;
    bool outputFailed = false;
    for (const QString& file : arguments.files) {
        if (outputFailed) break;
        // Each document as if the program had just started.
        mainWindow.startAfresh();
        platform.document = file;
        if (unusableNames.contains(file)) {
            // Qt would open another name (its bytes replaced), not this file.
            platform.document = unusableNames.value(file);
            const QString refusal = QStringLiteral("ファイル名がUTF-8で表せないため、開けません。"
                                                   "UTF-8の名前に変えてください。");
            platform.message(nullptr, MessageRequest{refusal, QString(), MsgButtons::Ok,
                                                     MsgAnswer::Ok, MsgIcon::None});
            status = 1;
            continue;
        }
        const int beepsBefore = platform.beeps;
        if (mainWindow.documentCommands().openDocument(file) != OpenOutcome::Restored) {
            status = 1;
            continue;
        }
        if (arguments.output == Output::Pdf) {
            if (!printSheetToPdf(platform, mainWindow.calcSheet(), arguments.pdfFile)) {
                platform.message(nullptr,
                                 MessageRequest{QStringLiteral("ファイル「%1」に印刷できませんでした。")
                                                    .arg(arguments.pdfFile),
                                                QString(), MsgButtons::Ok, MsgAnswer::Ok,
                                                MsgIcon::None});
                status = 1;
            }
            continue;
        }
        if (arguments.output == Output::Results) {
            const Form11* panel = mainWindow.inputWindows().form11();
            outputFailed = !writeOut(resultsLine(file, *panel, mainWindow.statusMessage(),
                                                 platform.beeps - beepsBefore));
            continue;
        }
        const SheetText sheet = sheetText(mainWindow.calcSheet());
        if (!sheet.ok) {
            platform.message(nullptr, MessageRequest{QString::fromStdString(sheet.message),
                                                     QString(), MsgButtons::Ok, MsgAnswer::Ok,
                                                     MsgIcon::None});
            status = 1;
            continue;
        }
        outputFailed =
            !writeOut(arguments.output == Output::Utf8Sheet ? utf8Sheet(sheet.bytes) : sheet.bytes);
    }
    if (outputFailed || !closeOut()) {
        reportOutputFailure();
        return 1;
    }
    return status;
}
