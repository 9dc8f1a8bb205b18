#include "tool/SheetToolArguments.h"

#include "tool/SheetToolSvg.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace tovarin {

namespace {

struct ModeOption {
    SheetToolMode mode;
    QCommandLineOption option;
};

// The output modes, each an option; at most one may be given.
QList<ModeOption> modeOptions() {
    return {
        {SheetToolMode::Utf8Sheet, QCommandLineOption(QStringLiteral("utf8"))},
        {SheetToolMode::Results, QCommandLineOption(QStringLiteral("results"))},
        {SheetToolMode::Pdf,
         QCommandLineOption(QStringLiteral("pdf"), QString(), QStringLiteral("OUT.pdf"))},
        {SheetToolMode::Csv, QCommandLineOption(QStringLiteral("csv"))},
        {SheetToolMode::Sizes, QCommandLineOption(QStringLiteral("sizes"))},
        {SheetToolMode::Curve,
         QCommandLineOption(QStringLiteral("curve"), QString(), QStringLiteral("OUT"))},
        {SheetToolMode::Help,
         QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})},
        {SheetToolMode::Version, QCommandLineOption(QStringLiteral("version"))},
    };
}

QString checkOutputFile(SheetToolMode mode, const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("出力ファイル名が空です。");
    if (mode == SheetToolMode::Curve) {
        const QString suffix = QFileInfo(name).suffix().toLower();
        if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg") &&
            suffix != QStringLiteral("pdf") && suffix != QStringLiteral("csv"))
            return QStringLiteral("--curve の出力は .png、.svg、.pdf 又は .csv です: %1").arg(name);
        if (suffix == QStringLiteral("svg") && !svgAvailable())
            return QStringLiteral("この tovarin-sheet は .svg を書けません。"
                                  ".png、.pdf 又は .csv を指定してください: %1")
                .arg(name);
    }
    return {};
}

// How many documents each mode takes.
QString checkFileCount(SheetToolMode mode, qsizetype count) {
    if (mode == SheetToolMode::Help || mode == SheetToolMode::Version)
        return count == 0 ? QString() : QStringLiteral("ファイルは指定できません。");
    if (count == 0)
        return QStringLiteral("ファイルを指定してください。");
    const bool single =
        mode == SheetToolMode::Pdf || mode == SheetToolMode::Sizes || mode == SheetToolMode::Curve;
    if (single && count != 1)
        return QStringLiteral("このモードのファイルは一つです。");
    return {};
}

} // namespace

SheetToolArguments readSheetToolArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    const QList<ModeOption> modes = modeOptions();
    for (const ModeOption& mode : modes)
        parser.addOption(mode.option);
    parser.addPositionalArgument(QStringLiteral("files"), QString(), QStringLiteral("FILE.tvr…"));

    SheetToolArguments result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    int modeCount = 0;
    for (const ModeOption& mode : modes) {
        if (!parser.isSet(mode.option))
            continue;
        if (parser.values(mode.option).size() > 1) {
            result.error =
                QStringLiteral("--%1 が二回以上指定されています。").arg(mode.option.names().last());
            return result;
        }
        ++modeCount;
        result.output = mode.mode;
        if (!mode.option.valueName().isEmpty())
            result.outputFile = parser.value(mode.option);
    }
    if (modeCount > 1) {
        result.error = QStringLiteral("出力の指定は一つだけです。");
        return result;
    }
    result.files = parser.positionalArguments();
    if (result.output == SheetToolMode::Pdf || result.output == SheetToolMode::Curve)
        result.error = checkOutputFile(result.output, result.outputFile);
    if (result.valid())
        result.error = checkFileCount(result.output, result.files.size());
    return result;
}

QString sheetToolUsage() {
    return QStringLiteral("使い方: tovarin-sheet [--utf8 | --results] ファイル.tvr…\n"
                          "        tovarin-sheet --pdf 出力.pdf ファイル.tvr\n"
                          "        tovarin-sheet --csv ファイル.tvr…\n"
                          "        tovarin-sheet --sizes ファイル.tvr\n"
                          "        tovarin-sheet --curve 出力.(png|svg|pdf|csv) ファイル.tvr\n"
                          "        tovarin-sheet --help | --version\n"
                          "Usage: tovarin-sheet [--utf8 | --results] FILE.tvr…\n"
                          "       tovarin-sheet --pdf OUT.pdf FILE.tvr\n"
                          "       tovarin-sheet --csv FILE.tvr…\n"
                          "       tovarin-sheet --sizes FILE.tvr\n"
                          "       tovarin-sheet --curve OUT.(png|svg|pdf|csv) FILE.tvr\n"
                          "       tovarin-sheet --help | --version\n");
}

QString sheetToolHelp() {
    return sheetToolUsage() +
           QStringLiteral(
               "\n"
               "保存したデータ（.tvr）を画面なしで開き、次のいずれかを出力します。\n"
               "  （指定なし）       計算書（「書き込み」と同じ内容、シフトJIS・CR "
               "LF）を標準出力へ\n"
               "  --utf8             計算書を UTF-8・LF で標準出力へ\n"
               "  --results          計算結果パネルの値を1ファイル1行の JSON で標準出力へ\n"
               "  --pdf 出力.pdf     計算書の印刷を A4 の PDF ファイルへ（最大計画人口を含む）\n"
               "  --csv              計算結果の一覧表（1ファイル1行）を CSV で標準出力へ\n"
               "                       例: tovarin-sheet --csv a.tvr b.tvr > 一覧.csv\n"
               "  --sizes            規格管の全管径を同じ条件で計算し、合格する最小の管径に◎\n"
               "                       例: tovarin-sheet --sizes a.tvr > 管径.csv\n"
               "  --curve 出力       水理特性曲線（Q/Q_full、V/V_full と水深比）を\n"
               "                     PNG・SVG・PDF の図、又は CSV の表で出力\n"
               "                       例: tovarin-sheet --curve 曲線.png a.tvr\n"
               "  -h, --help         この説明\n"
               "  --version          版番号\n"
               "CSV は UTF-8（BOM 付き）・CR LF です。メッセージは標準エラーへ出力します。\n"
               "終了状態: 0 正常、1 開けない・計算できないファイルがあった、2 引数の誤り。\n");
}

} // namespace tovarin
