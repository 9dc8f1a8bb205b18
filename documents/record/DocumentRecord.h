#pragma once
// The ordered values of one document file (".tvr") and their conversion to and
// from the file's bytes. Qt-free: the writer fills a record from the windows and
// serialises it; the reader parses the whole file into a record before it touches
// any window, then applies the record to the windows.
//
// File layout, one value per line, code page 932, CR LF after every line:
//   1       Form1 lst_s (facility kind)          index
//   2..11   Form1 opt1 … opt10                    flag
//   12..14  Form1 txt1, txt2, txt3                text
//   15      Form1 cob1 (margin reference)         index
//   16..18  Form3 opt1 … opt3 (land use)          flag
//   19..22  Form3 txt_p, txt_q1, txt_a, txt_q2    text
//   23 …    facility block chosen by line 1 (none, 4, 5 or 6 lines)
//   last 5  Form11 lbl3, lbl6, lbl9, lbl12, lbl21 text

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tovarin {

// A list position or an option state as read from a file. Empty when the line does
// not convert: the reader then leaves that control as it was.
using DocumentIndex = std::optional<int>;
using DocumentFlag = std::optional<bool>;

// Main input sheet Form1.
struct MainSheetValues {
    DocumentIndex lst_s = -1;   // facility kind; -1 = nothing selected
    DocumentFlag opt1 = false;  // マニング公式
    DocumentFlag opt2 = false;  // クッター公式
    DocumentFlag opt3 = false;  // groundwater 無し
    DocumentFlag opt4 = false;  // groundwater 有り
    DocumentFlag opt5 = false;  // allowance 無し
    DocumentFlag opt6 = false;  // allowance 有り
    DocumentFlag opt7 = false;  // planned flow computed through Form3
    DocumentFlag opt8 = false;  // planned flow entered directly
    DocumentFlag opt9 = false;  // margin check しない
    DocumentFlag opt10 = false; // margin check する
    std::string txt1;           // allowance, percent
    std::string txt2;           // groundwater rate, percent
    std::string txt3;           // planned flow Q1
    DocumentIndex cob1 = 0;     // margin reference position
    bool operator==(const MainSheetValues&) const = default;
};

// Planned sewage dialog Form3.
struct PlannedSewageValues {
    DocumentFlag opt1 = false; // 住宅地
    DocumentFlag opt2 = false; // 住宅地以外（1）
    DocumentFlag opt3 = false; // 住宅地以外（2）
    std::string txt_p;
    std::string txt_q1;
    std::string txt_a;
    std::string txt_q2;
    bool operator==(const PlannedSewageValues&) const = default;
};

// Standard pipe window Form2 (facility kinds 0 to 3).
struct StandardPipeValues {
    DocumentIndex lst_pu = 0; // nominal size position
    std::string txt1;         // gradient x (per mille)
    std::string txt2;         // roughness n
    DocumentIndex cbo1 = 5;   // effective-depth position
    bool operator==(const StandardPipeValues&) const = default;
};

// Other-circular window Form5 (facility kind 4).
struct OtherCircularValues {
    std::string txt_m; // material or name
    std::string txt1;  // internal diameter D
    std::string txt2;  // gradient x (per mille)
    std::string txt3;  // roughness n
    DocumentIndex cbo1 = 5;
    bool operator==(const OtherCircularValues&) const = default;
};

// Rectangular window Form4 (facility kind 5).
struct RectangularValues {
    std::string txt_m; // material or name
    std::string txt1;  // inside height H
    std::string txt2;  // inside width B
    std::string txt3;  // gradient x (per mille)
    std::string txt4;  // roughness n
    DocumentIndex cbo1 = 4;
    bool operator==(const RectangularValues&) const = default;
};

// The five value captions of the results panel Form11, as displayed.
struct ResultCaptions {
    std::string lbl3;  // planned flow with allowance
    std::string lbl6;  // capacity Q2
    std::string lbl9;  // velocity V
    std::string lbl12; // maximum population
    std::string lbl21; // margin ratio
    bool operator==(const ResultCaptions&) const = default;
};

// The facility block: nothing for a kind outside 0..5, otherwise the values of the
// window that the kind opens.
using FacilityValues =
    std::variant<std::monostate, StandardPipeValues, OtherCircularValues, RectangularValues>;

struct DocumentRecord {
    MainSheetValues form1;
    PlannedSewageValues form3;
    FacilityValues facility;
    ResultCaptions form11;
    bool operator==(const DocumentRecord&) const = default;
};

// Which facility block a facility kind calls for.
enum class FacilityBlock { None, StandardPipe, OtherCircular, Rectangular };
FacilityBlock facilityBlockFor(int facilityKind);

// The empty block of the right alternative for a facility kind.
FacilityValues facilityValuesFor(int facilityKind);

// Number of lines of a file for a facility kind: 27, 31, 32 or 33.
int documentLineCount(int facilityKind);

// Why a record cannot be written. Nothing is written then.
struct DocumentSaveFailure {
    std::string field;     // the field's label as the user knows it, e.g. "管の材料・名称"
    std::string character; // the character the file cannot hold (UTF-8); empty for other causes
    std::string message;   // ready message for the user
};

struct SerialiseResult {
    std::string bytes; // the whole file; empty when refused
    std::optional<DocumentSaveFailure> failure;
    bool ok() const { return !failure; }
};

// The file's bytes for a record. Refuses (failure, no bytes) a text holding a line
// break or a control character, a character that code page 932 cannot hold, a value
// that is not set, and a facility block that does not match the facility kind.
SerialiseResult serialise(const DocumentRecord& record);

enum class DocumentReadFailure {
    NotADocument,    // not code page 932 text, NUL bytes, empty, more lines than the facility
                     // kind calls for (blank lines at the end aside), or a first line that is
                     // no index in a file that does not read as a document without a block
    EndsEarly,       // fewer lines than the facility kind calls for
    ConvertedToUtf8, // a document whose text an editor converted to UTF-8
};

struct ParseResult {
    std::optional<DocumentRecord> record; // set when the file was read
    std::optional<DocumentReadFailure> failure;
    std::string message; // ready message for the user when it failed; the caller adds the file name
    bool ok() const { return record.has_value(); }
};

// The record of a whole file's bytes.
ParseResult parse(std::string_view bytes);

} // namespace tovarin
