#include "documents/record/DocumentRecord.h"

#include "engine/CalcSheet.h"
#include "engine/ControlCharacters.h"
#include "engine/NumberText.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <limits>
#include <type_traits>
#include <vector>

namespace tovarin {

namespace {

// Lines before the facility block (Form1 and Form3) and after it (Form11).
constexpr int mainLineCount = 22;
constexpr int captionLineCount = 5;

const char* const notADocumentMessage = "このファイルはTovarinの計算書データではありません。";
const char* const endsEarlyMessage = "ファイルが途中で終わっています。";
const char* const utf8DocumentMessage =
    "このファイルは文字コードがUTF-8に変換されたTovarinの計算書データです。"
    "Tovarinの計算書データはシフトJIS（コードページ 932）で読み書きします。"
    "テキストエディタで文字コードを「日本語 (CP932)」又は「Shift_JIS」にして"
    "保存し直してから開いてください。";

// Every line of the file in order, each with the label the user knows the field by.
// The writer and the reader walk the same order, so the layout is stated once.
// Values and Record may be const (writing) or not (reading).
template <class Values, class Visitor> void visitFacility(Values& block, Visitor& v) {
    using Block = std::remove_cvref_t<Values>;
    if constexpr (std::is_same_v<Block, StandardPipeValues>) {
        v.index("管径", block.lst_pu);
        v.text("施設の勾配", block.txt1);
        v.text("粗度係数", block.txt2);
        v.index("有効水深", block.cbo1);
    } else if constexpr (std::is_same_v<Block, OtherCircularValues>) {
        v.text("管の材料・名称", block.txt_m);
        v.text("直径", block.txt1);
        v.text("施設の勾配", block.txt2);
        v.text("粗度係数", block.txt3);
        v.index("有効水深", block.cbo1);
    } else if constexpr (std::is_same_v<Block, RectangularValues>) {
        v.text("管の材料・名称", block.txt_m);
        v.text("高さ", block.txt1);
        v.text("巾", block.txt2);
        v.text("施設の勾配", block.txt3);
        v.text("粗度係数", block.txt4);
        v.index("有効水深", block.cbo1);
    }
    // std::monostate: no facility block.
}

template <class Record, class Visitor> void visitLines(Record& record, Visitor& v) {
    auto& f1 = record.form1;
    v.index("施設の種類", f1.lst_s);
    v.flag("流速の計算方法", f1.opt1);
    v.flag("流速の計算方法", f1.opt2);
    v.flag("地下水混入率", f1.opt3);
    v.flag("地下水混入率", f1.opt4);
    v.flag("計画汚水量の割増し", f1.opt5);
    v.flag("計画汚水量の割増し", f1.opt6);
    v.flag("計画汚水量", f1.opt7);
    v.flag("計画汚水量", f1.opt8);
    v.flag("余裕率の検討", f1.opt9);
    v.flag("余裕率の検討", f1.opt10);
    v.text("計画汚水量の割増し", f1.txt1);
    v.text("地下水混入率", f1.txt2);
    v.text("計画汚水量", f1.txt3);
    v.index("余裕率", f1.cob1);

    auto& f3 = record.form3;
    v.flag("住宅地", f3.opt1);
    v.flag("住宅地以外（1）", f3.opt2);
    v.flag("住宅地以外（2）", f3.opt3);
    v.text("計画人口", f3.txt_p);
    v.text("計画時間最大汚水量（１人１日当り）", f3.txt_q1);
    v.text("排水面積", f3.txt_a);
    v.text("計画時間最大汚水量　（１ｈｒ当り）", f3.txt_q2);

    std::visit([&v](auto& block) { visitFacility(block, v); }, record.facility);

    auto& f11 = record.form11;
    v.text("計算結果の計画汚水量", f11.lbl3);
    v.text("計算結果の流量", f11.lbl6);
    v.text("計算結果の流速", f11.lbl9);
    v.text("計算結果の最大計画人口", f11.lbl12);
    v.text("計算結果の余裕率", f11.lbl21);
}

// ---- Writing ----

std::string quoted(std::string_view label) {
    return "「" + std::string(label) + "」";
}

// The first control character of a UTF-8 text, the tab not counted.
std::optional<std::string> firstControlCharacter(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (const size_t length = controlCharacterLength(text, i))
            return text.substr(i, length);
    }
    return std::nullopt;
}

// "U+001B" for a control character, which would not show in a message.
std::string codePointName(const std::string& character) {
    unsigned codePoint = static_cast<unsigned char>(character[0]);
    if (character.size() == 2)
        codePoint = static_cast<unsigned char>(character[1]);
    const char* digits = "0123456789ABCDEF";
    std::string name = "U+00";
    name += digits[codePoint >> 4];
    name += digits[codePoint & 0xF];
    return name;
}

// Collects the encoded lines; the first refused value stops the writing.
class LineWriter {
public:
    void index(std::string_view label, const DocumentIndex& value) {
        if (failure)
            return;
        if (!value) {
            refuseUnset(label);
            return;
        }
        // A space in front of a non-negative position, the minus sign in its place
        // otherwise, and one space after: " 0 ", " 12 ", "-1 ".
        const std::string digits = formatNumber(*value, "0");
        addLine(*value < 0 ? digits + " " : " " + digits + " ");
    }

    void flag(std::string_view label, const DocumentFlag& value) {
        if (failure)
            return;
        if (!value) {
            refuseUnset(label);
            return;
        }
        addLine(*value ? "True" : "False");
    }

    void text(std::string_view label, const std::string& value) {
        if (failure)
            return;
        if (value.find_first_of("\r\n") != std::string::npos) {
            refuse(label, "", quoted(label) + "に改行が含まれているため保存できません。");
            return;
        }
        // A control character would reach the sheet and the terminal raw (a NUL would
        // even make the file unreadable as a document); a tab is ordinary text.
        if (const std::optional<std::string> control = firstControlCharacter(value)) {
            refuse(label, *control,
                   quoted(label) + "の文字「" + codePointName(*control) +
                       "」はファイルに保存できません。");
            return;
        }
        cp932::EncodeResult encoded = cp932::encode(value);
        if (!encoded.ok()) {
            const std::string& character = *encoded.unencodable;
            refuse(label, character,
                   quoted(label) + "の文字「" + character + "」はファイルに保存できません。");
            return;
        }
        addLine(encoded.bytes);
    }

    void refuse(std::string_view label, std::string character, std::string message) {
        failure = DocumentSaveFailure{std::string(label), std::move(character), std::move(message)};
    }

    std::string bytes;
    std::optional<DocumentSaveFailure> failure;

private:
    void addLine(std::string_view encodedLine) {
        bytes += encodedLine;
        bytes += "\r\n";
    }

    void refuseUnset(std::string_view label) {
        refuse(label, "", quoted(label) + "の値が定まらないため保存できません。");
    }
};

bool blockMatchesKind(const FacilityValues& facility, int kind) {
    switch (facilityBlockFor(kind)) {
    case FacilityBlock::None:
        return std::holds_alternative<std::monostate>(facility);
    case FacilityBlock::StandardPipe:
        return std::holds_alternative<StandardPipeValues>(facility);
    case FacilityBlock::OtherCircular:
        return std::holds_alternative<OtherCircularValues>(facility);
    case FacilityBlock::Rectangular:
        return std::holds_alternative<RectangularValues>(facility);
    }
    return false;
}

// ---- Reading ----

std::string_view trimSpaces(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An index line: an optional sign and decimal digits, surrounding spaces ignored,
// within the range of int. Anything else does not convert.
DocumentIndex readIndex(std::string_view line) {
    std::string_view s = trimSpaces(line);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (char c : s) {
        if (!isDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// A decimal number (optional sign, digits, at most one decimal point) read only for
// whether it is zero. Empty when the text is not such a number.
std::optional<bool> readNumberIsNonZero(std::string_view s) {
    if (!s.empty() && (s.front() == '-' || s.front() == '+'))
        s.remove_prefix(1);
    bool anyDigit = false;
    bool nonZero = false;
    bool seenPoint = false;
    for (char c : s) {
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (isDigit(c)) {
            anyDigit = true;
            nonZero = nonZero || c != '0';
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return nonZero;
}

// A flag line: "True"/"False" in any case, or a number (0 = False, other = True).
DocumentFlag readFlag(std::string_view line) {
    const std::string_view s = trimSpaces(line);
    if (equalsIgnoringCase(s, "true"))
        return true;
    if (equalsIgnoringCase(s, "false"))
        return false;
    return readNumberIsNonZero(s);
}

// Splits at CR LF or a lone LF. A last line without its line end counts; the empty
// rest after the final line end does not.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(text.substr(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

// A line of nothing but blanks (spaces, tabs, ideographic spaces).
bool isBlank(std::string_view line) {
    constexpr std::string_view ideographicSpace = "\xE3\x80\x80";
    while (!line.empty()) {
        if (line.front() == ' ' || line.front() == '\t')
            line.remove_prefix(1);
        else if (line.substr(0, ideographicSpace.size()) == ideographicSpace)
            line.remove_prefix(ideographicSpace.size());
        else
            return false;
    }
    return true;
}

// The lines of a document without a facility block whose option lines (Form1 opt1
// to opt10, Form3 opt1 to opt3) all read as options.
bool looksLikeDocumentWithoutBlock(const std::vector<std::string>& lines) {
    if (lines.size() != static_cast<size_t>(documentLineCount(-1)))
        return false;
    const auto isFlag = [&lines](size_t lineNumber) {
        return readFlag(lines[lineNumber - 1]).has_value();
    };
    for (size_t line = 2; line <= 11; ++line) {
        if (!isFlag(line))
            return false;
    }
    return isFlag(16) && isFlag(17) && isFlag(18);
}

// Hands out the lines in order; the line count has been checked beforehand.
class LineReader {
public:
    explicit LineReader(const std::vector<std::string>& lines) : lines_(lines) {}

    void index(std::string_view, DocumentIndex& value) { value = readIndex(next()); }
    void flag(std::string_view, DocumentFlag& value) { value = readFlag(next()); }
    void text(std::string_view, std::string& value) { value = next(); }

private:
    const std::string& next() { return lines_.at(position_++); }

    const std::vector<std::string>& lines_;
    size_t position_ = 0;
};

// The record of a document's text, decoded to UTF-8.
ParseResult parseText(std::string_view text);

ParseResult readFailure(DocumentReadFailure failure) {
    ParseResult result;
    result.failure = failure;
    switch (failure) {
    case DocumentReadFailure::NotADocument:
        result.message = notADocumentMessage;
        break;
    case DocumentReadFailure::EndsEarly:
        result.message = endsEarlyMessage;
        break;
    case DocumentReadFailure::ConvertedToUtf8:
        result.message = utf8DocumentMessage;
        break;
    }
    return result;
}

// Whether `bytes` are well-formed UTF-8: no overlong form, no surrogate, nothing
// above U+10FFFF.
bool isWellFormedUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (bytes.size() - i <= static_cast<size_t>(more))
            return false;
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

// The text of a document that an editor converted to UTF-8 (with or without a
// byte-order mark): well-formed UTF-8 holding a character beyond ASCII. Text of
// code page 932 practically never reads as such (its most common lead bytes are
// UTF-8's continuation bytes); pure ASCII reads the same either way.
std::optional<std::string_view> convertedToUtf8(std::string_view bytes) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(byteOrderMark))
        bytes.remove_prefix(byteOrderMark.size());
    const bool beyondAscii = std::any_of(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (!beyondAscii || !isWellFormedUtf8(bytes))
        return std::nullopt;
    return bytes;
}

} // namespace

FacilityBlock facilityBlockFor(int facilityKind) {
    const FacilityKind kind = facilityKindFromIndex(facilityKind);
    if (isStandardPipe(kind))
        return FacilityBlock::StandardPipe;
    if (kind == FacilityKind::OtherCircular)
        return FacilityBlock::OtherCircular;
    if (kind == FacilityKind::Rectangular)
        return FacilityBlock::Rectangular;
    return FacilityBlock::None;
}

FacilityValues facilityValuesFor(int facilityKind) {
    switch (facilityBlockFor(facilityKind)) {
    case FacilityBlock::StandardPipe:
        return StandardPipeValues{};
    case FacilityBlock::OtherCircular:
        return OtherCircularValues{};
    case FacilityBlock::Rectangular:
        return RectangularValues{};
    case FacilityBlock::None:
        break;
    }
    return std::monostate{};
}

int documentLineCount(int facilityKind) {
    int blockLines = 0;
    switch (facilityBlockFor(facilityKind)) {
    case FacilityBlock::None:
        blockLines = 0;
        break;
    case FacilityBlock::StandardPipe:
        blockLines = 4;
        break;
    case FacilityBlock::OtherCircular:
        blockLines = 5;
        break;
    case FacilityBlock::Rectangular:
        blockLines = 6;
        break;
    }
    return mainLineCount + blockLines + captionLineCount;
}

SerialiseResult serialise(const DocumentRecord& record) {
    SerialiseResult result;
    LineWriter writer;
    if (record.form1.lst_s && !blockMatchesKind(record.facility, *record.form1.lst_s)) {
        writer.refuse("施設の種類", "",
                      "「施設の種類」と施設の入力内容が一致しないため保存できません。");
    }
    visitLines(record, writer);
    if (writer.failure) {
        result.failure = std::move(writer.failure);
        return result;
    }
    result.bytes = std::move(writer.bytes);
    return result;
}

ParseResult parse(std::string_view bytes) {
    if (bytes.empty() || bytes.find('\0') != std::string_view::npos) {
        return readFailure(DocumentReadFailure::NotADocument);
    }
    // A document converted to UTF-8 is named as such, not read with the wrong
    // characters nor called a foreign file.
    if (const auto utf8 = convertedToUtf8(bytes); utf8 && parseText(*utf8).ok())
        return readFailure(DocumentReadFailure::ConvertedToUtf8);
    const cp932::DecodeResult decoded = cp932::decode(bytes);
    if (!decoded.ok)
        return readFailure(DocumentReadFailure::NotADocument);
    return parseText(decoded.utf8);
}

namespace {

ParseResult parseText(std::string_view text) {
    std::vector<std::string> lines = splitLines(text);
    if (lines.empty())
        return readFailure(DocumentReadFailure::NotADocument);
    const DocumentIndex kind = readIndex(lines.front());
    // A facility kind that does not convert leaves the list as it was, without a
    // choice, so that no facility block follows.
    const int blockKind = kind.value_or(-1);
    const size_t expectedLines = static_cast<size_t>(documentLineCount(blockKind));
    // Blank lines after the last value, as text editors often leave them, are never
    // reached by a reader that takes the values by position.
    while (lines.size() > expectedLines && isBlank(lines.back()))
        lines.pop_back();
    // A file whose first line is no index is still a document when it has the lines
    // of one without a facility block and its option lines read as options.
    if (!kind && !looksLikeDocumentWithoutBlock(lines))
        return readFailure(DocumentReadFailure::NotADocument);
    if (lines.size() > expectedLines)
        return readFailure(DocumentReadFailure::NotADocument);
    if (lines.size() < expectedLines)
        return readFailure(DocumentReadFailure::EndsEarly);

    DocumentRecord record;
    record.facility = facilityValuesFor(blockKind);
    LineReader reader(lines);
    visitLines(record, reader);

    ParseResult result;
    result.record = std::move(record);
    return result;
}

} // namespace

} // namespace tovarin
