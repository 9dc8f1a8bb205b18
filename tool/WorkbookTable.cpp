#include "tool/WorkbookTable.h"

#include "engine/Assessment.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <map>

namespace tovarin {

namespace {

constexpr std::size_t keptDigits = 15;
constexpr lxw_color_t warningColour = 0xFF00FF; // light magenta, as on screen
constexpr uint8_t paperA4 = 9;
constexpr double widestColumn = 60;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Width of a column for its texts: a character outside ASCII (Japanese) is two wide.
double displayWidth(std::string_view text) {
    double width = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            width += 1;
        else if (byte >= 0xC0) // the first byte of a character of several
            width += 2;
    }
    return width;
}

// The library writes its numbers with printf, which follows the C library's locale:
// under one whose decimal mark is a comma 0.0778 would become "0,0778", which no
// spreadsheet program reads as a number. For as long as it lives the mark is a point.
class PointAsDecimalMark {
public:
    PointAsDecimalMark() {
        const char* now = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = now ? now : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~PointAsDecimalMark() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    PointAsDecimalMark(const PointAsDecimalMark&) = delete;
    PointAsDecimalMark& operator=(const PointAsDecimalMark&) = delete;

private:
    std::string saved_;
};

class Workbook {
public:
    Workbook(const std::string& path, const std::string& workFolder) {
        lxw_workbook_options options{};
        options.tmpdir = const_cast<char*>(workFolder.c_str());
        book_ = workbook_new_opt(path.c_str(), &options);
    }
    ~Workbook() {
        if (book_)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* book() const { return book_; }

    // Closing writes the file; the book is gone after it, written or not.
    lxw_error close() {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        return error;
    }

    // One format per number format (and warning or not), made when first asked for.
    lxw_format* format(const std::string& numberFormat, bool warning) {
        lxw_format*& made = formats_[{numberFormat, warning}];
        if (!made) {
            made = workbook_add_format(book_);
            if (!numberFormat.empty())
                format_set_num_format(made, numberFormat.c_str());
            if (warning)
                format_set_bg_color(made, warningColour);
        }
        return made;
    }

private:
    lxw_workbook* book_ = nullptr;
    std::map<std::pair<std::string, bool>, lxw_format*> formats_;
};

bool isTextColumn(const WorkbookTable& table, std::size_t column) {
    return std::find(table.textColumns.begin(), table.textColumns.end(), column) !=
           table.textColumns.end();
}

// Writes one row; the first error of the library, or LXW_NO_ERROR.
lxw_error writeRow(Workbook& book, lxw_worksheet* sheet, lxw_row_t row,
                   const std::vector<std::string>& cells, const WorkbookTable& table,
                   std::vector<double>& widths) {
    static const std::string failing = verdictText(true);
    for (std::size_t column = 0; column < cells.size(); ++column) {
        const std::string& text = cells[column];
        const auto at = static_cast<lxw_col_t>(column);
        widths[column] = std::max(widths[column], displayWidth(text));
        if (text.empty())
            continue;
        const std::optional<WorkbookNumber> number =
            row == 0 || isTextColumn(table, column) ? std::nullopt : workbookNumberOf(text);
        const lxw_error error =
            number ? worksheet_write_number(sheet, row, at, number->value,
                                            book.format(number->format, false))
                   : worksheet_write_string(sheet, row, at, text.c_str(),
                                            text == failing ? book.format({}, true) : nullptr);
        if (error != LXW_NO_ERROR)
            return error;
    }
    return LXW_NO_ERROR;
}

void setUpPage(lxw_worksheet* sheet) {
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, paperA4);
    worksheet_repeat_rows(sheet, 0, 0);
    // As wide as one page, as long as it takes.
    worksheet_fit_to_pages(sheet, 1, 0);
}

} // namespace

std::optional<WorkbookNumber> workbookNumberOf(std::string_view printed) {
    const std::string_view unsigned_ = printed.substr(printed.starts_with('-') ? 1 : 0);
    const std::size_t point = unsigned_.find('.');
    const std::string_view whole = unsigned_.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : unsigned_.substr(point + 1);
    const auto allDigits = [](std::string_view digits) {
        return !digits.empty() && std::all_of(digits.begin(), digits.end(), isDigit);
    };
    if (!allDigits(whole) || (point != std::string_view::npos && !allDigits(decimals)))
        return std::nullopt;
    if (whole.size() > 1 && whole.front() == '0')
        return std::nullopt;
    const std::string digits = std::string(whole) + std::string(decimals);
    const std::size_t significant =
        digits.size() - std::min(digits.find_first_not_of('0'), digits.size());
    if (significant > keptDigits)
        return std::nullopt;
    if (significant == 0 && printed.starts_with('-'))
        return std::nullopt;
    WorkbookNumber number;
    const auto [end, error] =
        std::from_chars(printed.data(), printed.data() + printed.size(), number.value);
    if (error != std::errc() || end != printed.data() + printed.size())
        return std::nullopt;
    number.format = decimals.empty() ? "0" : "0." + std::string(decimals.size(), '0');
    return number;
}

WorkbookWrite writeWorkbookFile(const std::string& path, const WorkbookTable& table,
                                const std::string& workFolder) {
    const PointAsDecimalMark pointAsDecimalMark; // outlives the book, which writes on closing
    errno = 0;
    Workbook book(path, workFolder);
    if (!book.book())
        return {"the workbook could not be started", errno};
    lxw_worksheet* sheet = workbook_add_worksheet(book.book(), table.sheetName.c_str());
    if (!sheet)
        return {"the sheet could not be added", 0};
    setUpPage(sheet);
    std::vector<double> widths(table.header.size(), 0);
    lxw_error error = writeRow(book, sheet, 0, table.header, table, widths);
    for (std::size_t row = 0; row < table.rows.size() && error == LXW_NO_ERROR; ++row) {
        widths.resize(std::max(widths.size(), table.rows[row].size()), 0);
        error =
            writeRow(book, sheet, static_cast<lxw_row_t>(row + 1), table.rows[row], table, widths);
    }
    for (std::size_t column = 0; column < widths.size() && error == LXW_NO_ERROR; ++column) {
        const auto at = static_cast<lxw_col_t>(column);
        error = worksheet_set_column(sheet, at, at, std::min(widths[column] + 2, widestColumn),
                                     nullptr);
    }
    if (error != LXW_NO_ERROR)
        return {lxw_strerror(error), 0};
    errno = 0;
    error = book.close();
    if (error != LXW_NO_ERROR)
        return {lxw_strerror(error), errno};
    return {};
}

} // namespace tovarin
