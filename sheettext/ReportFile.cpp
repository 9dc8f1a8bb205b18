#include "sheettext/ReportFile.h"

#include "platform/AppendFile.h"
#include "platform/Cp932.h"
#include "sheettext/SheetBuilder.h"

namespace tovarin {

namespace {

// Collects the sheet as UTF-8 text with CR LF line ends and counts its NG lines.
class TextFileSink : public SheetSink {
public:
    TextFileSink() : SheetSink(SheetOutput::TextFile) {}

    void writeLine(const SheetLine& line) override {
        text += lineText(line);
        text += "\r\n";
        if (line.alert)
            ++alertLines;
    }

    std::string text;
    int alertLines = 0;
};

bool printsMaterialName(const CalcSheet& sheet) {
    return sheet.facilityKind == FacilityKind::OtherCircular ||
           sheet.facilityKind == FacilityKind::Rectangular;
}

// The typed material name is the only free text on the sheet, so a character the
// file cannot hold is normally found there.
std::string unencodableMessage(const CalcSheet& sheet, const std::string& character) {
    if (printsMaterialName(sheet)) {
        const cp932::EncodeResult material = cp932::encode(sheet.materialName);
        if (!material.ok()) {
            return "管の材料・名称の文字「" + *material.unencodable +
                   "」はファイルに書き込めません。";
        }
    }
    return "計算書の文字「" + character + "」はファイルに書き込めません。";
}

} // namespace

SheetText sheetTextOf(const std::function<void(SheetSink&)>& build,
                      const std::function<std::string(const std::string&)>& unencodable) {
    TextFileSink sink;
    build(sink);

    SheetText result;
    cp932::EncodeResult encoded = cp932::encode(sink.text);
    if (!encoded.ok()) {
        result.message = unencodable(*encoded.unencodable);
        return result;
    }
    result.ok = true;
    result.bytes = std::move(encoded.bytes);
    result.alertLines = sink.alertLines;
    return result;
}

SheetText sheetText(const CalcSheet& sheet) {
    return sheetTextOf(
        [&sheet](SheetSink& sink) { buildWholeSheet(sheet, sink); },
        [&sheet](const std::string& character) { return unencodableMessage(sheet, character); });
}

ReportWrite appendSheetText(const SheetText& text, const std::string& path) {
    ReportWrite result;
    if (!text.ok) {
        result.message = text.message;
        return result;
    }
    result.message = appendWhole(path, text.bytes);
    result.ok = result.message.empty();
    if (result.ok)
        result.alertLines = text.alertLines;
    return result;
}

ReportWrite appendSheet(const CalcSheet& sheet, const std::string& path) {
    return appendSheetText(sheetText(sheet), path);
}

} // namespace tovarin
