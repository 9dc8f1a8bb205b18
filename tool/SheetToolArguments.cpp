#include "tool/SheetToolArguments.h"

#include "aids/SheetToolSvg.h"
#include "platform/qt/FileNames.h"

#include <QFileInfo>

namespace tovarin {

namespace {

struct ModeOption {
    SheetToolMode mode;
    KnownOption option;
};

// The output modes, each an option; at most one may be given.
const QList<ModeOption>& modeOptions() {
    static const QList<ModeOption> modes = {
        {SheetToolMode::Utf8Sheet, {QStringLiteral("utf8"), QChar()}},
        {SheetToolMode::Results, {QStringLiteral("results"), QChar()}},
        {SheetToolMode::Pdf, {QStringLiteral("pdf"), QChar(), true}},
        {SheetToolMode::Csv, {QStringLiteral("csv"), QChar()}},
        {SheetToolMode::Xlsx, {QStringLiteral("xlsx"), QChar(), true}},
        {SheetToolMode::Sizes, {QStringLiteral("sizes"), QChar()}},
        {SheetToolMode::Curve, {QStringLiteral("curve"), QChar(), true}},
        {SheetToolMode::Profile, {QStringLiteral("profile"), QChar(), true}},
        {SheetToolMode::Help, {QStringLiteral("help"), QLatin1Char('h')}},
        {SheetToolMode::Version, {QStringLiteral("version"), QLatin1Char('v')}},
    };
    return modes;
}

const QString minimumDiameterName = QStringLiteral("min-diameter");
const QString outletName = QStringLiteral("to");

QList<KnownOption> knownOptions() {
    QList<KnownOption> known;
    for (const ModeOption& mode : modeOptions())
        known << mode.option;
    known << KnownOption{minimumDiameterName, QChar(), true};
    known << KnownOption{outletName, QChar(), true};
    return known;
}

bool hasSuffix(const QString& name, const QStringList& suffixes) {
    return suffixes.contains(QFileInfo(name).suffix().toLower());
}

UsageError checkOutputFile(SheetToolMode mode, const QString& name) {
    if (name.isEmpty())
        return {QStringLiteral("出力ファイル名が空です。"),
                QStringLiteral("the output file name is empty")};
    // The output's extension is checked, so that a document named first is never
    // taken for the output and replaced.
    if (mode == SheetToolMode::Pdf && !hasSuffix(name, {QStringLiteral("pdf")}))
        return {QStringLiteral("--pdf の出力は .pdf です: %1").arg(name),
                QStringLiteral("the output of --pdf must end in .pdf: %1").arg(name)};
    if (mode == SheetToolMode::Xlsx && !hasSuffix(name, {QStringLiteral("xlsx")}))
        return {QStringLiteral("--xlsx の出力は .xlsx です: %1").arg(name),
                QStringLiteral("the output of --xlsx must end in .xlsx: %1").arg(name)};
    const QStringList curveSuffixes{QStringLiteral("png"), QStringLiteral("svg"),
                                    QStringLiteral("pdf"), QStringLiteral("csv")};
    if (mode == SheetToolMode::Curve && !hasSuffix(name, curveSuffixes))
        return {QStringLiteral("--curve の出力は .png、.svg、.pdf 又は .csv です: %1").arg(name),
                QStringLiteral("the output of --curve must end in .png, .svg, .pdf or .csv: %1")
                    .arg(name)};
    if (mode == SheetToolMode::Profile && !hasSuffix(name, {curveSuffixes.mid(0, 3)}))
        return {
            QStringLiteral("--profile の出力は .png、.svg 又は .pdf です: %1").arg(name),
            QStringLiteral("the output of --profile must end in .png, .svg or .pdf: %1").arg(name)};
    return {};
}

// How many documents each mode takes.
UsageError checkFileCount(SheetToolMode mode, qsizetype count) {
    if (mode == SheetToolMode::Help || mode == SheetToolMode::Version) {
        if (count == 0)
            return {};
        return {QStringLiteral("ファイルは指定できません。"),
                QStringLiteral("no file can be named here")};
    }
    if (count == 0)
        return {QStringLiteral("ファイルを指定してください。"), QStringLiteral("no file named")};
    const bool single = mode == SheetToolMode::Pdf || mode == SheetToolMode::Sizes ||
                        mode == SheetToolMode::Curve || mode == SheetToolMode::Profile;
    if (single && count != 1)
        return {QStringLiteral("このモードのファイルは一つです。"),
                QStringLiteral("this mode takes one file")};
    return {};
}

// A name of the command line as the tool uses it: decoded, or, when its bytes are not
// UTF-8, the placeholder of its position (recorded with its bytes shown).
// A value joined to its option ("--pdf=NAME") is the bytes after the first "=".
QString usableName(SheetToolArguments& result, const QList<QByteArray>& arguments,
                   qsizetype position, const QString& decoded, bool joined = false) {
    QByteArray bytes = arguments.value(position);
    if (joined)
        bytes = bytes.mid(bytes.indexOf('=') + 1);
    if (argumentKeepsItsBytes(bytes))
        return decoded;
    const QString placeholder = QChar(0) + QString::number(position);
    result.unusableNames.insert(placeholder, shownBytes(bytes));
    return placeholder;
}

// --min-diameter MM: a nominal size in millimetres, with --sizes only.
UsageError readMinimumDiameter(const ParsedArguments& parsed, SheetToolArguments& result) {
    const qsizetype given = parsed.count(minimumDiameterName);
    if (given == 0)
        return {};
    if (result.output != SheetToolMode::Sizes)
        return {QStringLiteral("--min-diameter は --sizes と共に指定します。"),
                QStringLiteral("--min-diameter goes with --sizes")};
    bool ok = false;
    result.minimumDiameter = parsed.find(minimumDiameterName)->value.toDouble(&ok);
    if (given > 1 || !ok || !(result.minimumDiameter >= 0) || result.minimumDiameter > 100000)
        return {QStringLiteral("--min-diameter には管径（mm）を一つ指定してください。"),
                QStringLiteral("--min-diameter takes one nominal size in millimetres")};
    return {};
}

// --to MANHOLE: the outlet of the profile, with --profile only.
UsageError readOutlet(const ParsedArguments& parsed, SheetToolArguments& result) {
    const qsizetype given = parsed.count(outletName);
    if (given == 0)
        return {};
    if (result.output != SheetToolMode::Profile)
        return {QStringLiteral("--to は --profile と共に指定します。"),
                QStringLiteral("--to goes with --profile")};
    result.profileOutlet = parsed.find(outletName)->value;
    if (given > 1 || result.profileOutlet.isEmpty())
        return {QStringLiteral("--to には人孔の名称を一つ指定してください。"),
                QStringLiteral("--to takes one manhole name")};
    return {};
}

} // namespace

SheetToolArguments readSheetToolArguments(const QList<QByteArray>& arguments) {
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts << nameOfArgument(argument);
    if (texts.isEmpty())
        texts << QStringLiteral("tovarin-sheet");

    SheetToolArguments result;
    const ParsedArguments parsed = parseArguments(texts, knownOptions());
    if (!parsed.error.isEmpty()) {
        result.error = parsed.error;
        return result;
    }
    int modeCount = 0;
    const ParsedArguments::Given* output = nullptr;
    for (const ModeOption& mode : modeOptions()) {
        const qsizetype given = parsed.count(mode.option.name);
        if (given == 0)
            continue;
        if (given > 1) {
            result.error = {
                QStringLiteral("--%1 が二回以上指定されています。").arg(mode.option.name),
                QStringLiteral("--%1 is given more than once").arg(mode.option.name)};
            return result;
        }
        ++modeCount;
        result.output = mode.mode;
        if (mode.option.takesValue) {
            output = parsed.find(mode.option.name);
            result.outputFile = output->value;
        }
    }
    if (modeCount > 1) {
        result.error = {QStringLiteral("出力の指定は一つだけです。"),
                        QStringLiteral("only one output mode can be given")};
        return result;
    }
    if (output)
        result.error = checkOutputFile(result.output, result.outputFile);
    if (result.valid())
        result.error = checkFileCount(result.output, parsed.operands.size());
    if (result.valid())
        result.error = readMinimumDiameter(parsed, result);
    if (result.valid())
        result.error = readOutlet(parsed, result);
    if (!result.valid())
        return result;

    for (qsizetype index = 0; index < parsed.operands.size(); ++index)
        result.files << usableName(result, arguments, parsed.operandPositions.at(index),
                                   parsed.operands.at(index));
    if (output)
        result.outputFile =
            usableName(result, arguments, output->position, output->value, output->joined);
    return result;
}

QString sheetToolUsage() {
    return QStringLiteral(
        "使い方: tovarin-sheet [--utf8 | --results] ファイル.(tvr|tvu|tvn)…\n"
        "        tovarin-sheet --pdf 出力.pdf ファイル.(tvr|tvu|tvn)\n"
        "        tovarin-sheet --csv ファイル.tvr… | ファイル.tvu… | ファイル.tvn…\n"
        "        tovarin-sheet --xlsx 出力.xlsx ファイル.tvr… | ファイル.tvu… | ファイル.tvn…\n"
        "        tovarin-sheet --sizes [--min-diameter MM] ファイル.tvr\n"
        "        tovarin-sheet --curve 出力.(png|svg|pdf|csv) ファイル.tvr\n"
        "        tovarin-sheet --profile 出力.(png|svg|pdf) [--to 人孔] ファイル.tvn\n"
        "        tovarin-sheet --help | --version\n"
        "Usage: tovarin-sheet [--utf8 | --results] FILE.(tvr|tvu|tvn)…\n"
        "       tovarin-sheet --pdf OUT.pdf FILE.(tvr|tvu|tvn)\n"
        "       tovarin-sheet --csv FILE.tvr… | FILE.tvu… | FILE.tvn…\n"
        "       tovarin-sheet --xlsx OUT.xlsx FILE.tvr… | FILE.tvu… | FILE.tvn…\n"
        "       tovarin-sheet --sizes [--min-diameter MM] FILE.tvr\n"
        "       tovarin-sheet --curve OUT.(png|svg|pdf|csv) FILE.tvr\n"
        "       tovarin-sheet --profile OUT.(png|svg|pdf) [--to MANHOLE] FILE.tvn\n"
        "       tovarin-sheet --help | --version\n");
}

QString sheetToolHelp() {
    return sheetToolUsage() +
           QStringLiteral(
               "\n"
               "保存したデータ（汚水 .tvr、雨水 .tvu、排水系統 "
               ".tvn）を画面なしで開き、次のいずれかを出力します。\n"
               "  （指定なし）       計算書（「書き込み」と同じ内容、シフトJIS・CR "
               "LF）を標準出力へ\n"
               "                     （標準出力が端末のときは、読めるように --utf8 と同じ UTF-8 "
               "で）\n"
               "  --utf8             計算書を UTF-8・LF で標準出力へ\n"
               "  --results          計算結果パネルの値を1ファイル1行の JSON で標準出力へ\n"
               "  --pdf 出力.pdf     計算書の印刷を A4 の PDF ファイルへ（最大計画人口を含む）\n"
               "  --csv              計算結果の一覧表（1ファイル1行）を CSV で標準出力へ\n"
               "                       例: tovarin-sheet --csv a.tvr b.tvr > 一覧.csv\n"
               "                     （雨水の .tvu は雨水の欄の一覧表。.tvr と .tvu "
               "は混ぜられません）\n"
               "                     （排水系統の .tvn "
               "は1区間1行。雨水と汚水の系統は混ぜられません）\n"
               "  --xlsx 出力.xlsx   --csv と同じ一覧表を表計算のブック（.xlsx）へ\n"
               "                     （数値は印字どおりの桁の数値、NG は警告色、A4 横）\n"
               "                       例: tovarin-sheet --xlsx 一覧.xlsx a.tvr b.tvr\n"
               "  --sizes            規格管の全管径を同じ条件で計算し、合格する最小の管径に◎（.tvr "
               "のみ）\n"
               "                       例: tovarin-sheet --sizes a.tvr > 管径.csv\n"
               "  --min-diameter MM  --sizes の◎を呼び径 MM 以上の管径に限る\n"
               "  --curve 出力       水理特性曲線（Q/Q_full、V/V_full と水深比）を\n"
               "                     PNG・SVG・PDF の図、又は CSV の表で出力（.tvr のみ）\n"
               "                       例: tovarin-sheet --curve 曲線.png a.tvr\n"
               "  --profile 出力     系統（.tvn）の縦断図を PNG・SVG・PDF で出力。既定は最初の\n"
               "                     放流先までの最長の経路\n"
               "  --to 人孔          --profile の経路を、この人孔へ流れ込む最長の経路にする\n"
               "  -h, --help         この説明\n"
               "  -v, --version      版番号\n"
               "CSV は UTF-8（BOM 付き）・CR LF です。メッセージは標準エラーへ出力します。\n"
               "終了状態: 0 正常、1 開けない・計算できないファイルがあった、2 引数の誤り。\n"
               "\n"
               "Without an option the sheet goes to standard output as \"書き込み\" writes it\n"
               "(code page 932, CR LF); on a terminal it is written as UTF-8, as --utf8 does.\n"
               "A rainwater document (.tvu) gives the rainwater sheet; --sizes and --curve\n"
               "take sewage documents (.tvr) only. --xlsx writes the table of --csv as a\n"
               "workbook: figures as numbers shown as printed, NG in the warning colour.\n"
               "Exit status: 0 done, 1 a file could not be read or computed, 2 wrong "
               "arguments.\n") +
           reportFaultsText();
}

} // namespace tovarin
