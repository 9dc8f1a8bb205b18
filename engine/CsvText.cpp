#include "engine/CsvText.h"

namespace tovarin {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign, digits, and an optional decimal part with digits.
bool isPlainNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == digitsStart)
        return false;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == fractionStart)
            return false;
    }
    return i == text.size();
}

std::string quotedWhenHolding(std::string_view text, std::string_view specials) {
    if (text.find_first_of(specials) == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

std::string spreadsheetText(std::string_view text) {
    if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos)
        return std::string(text);
    if (isPlainNumber(text))
        return std::string(text);
    // Built by appending: GCC 12 at -O2 and above wrongly warns (-Wrestrict) about
    // "'" + std::string(text).
    std::string marked;
    marked.reserve(text.size() + 1);
    marked += '\'';
    marked += text;
    return marked;
}

std::string csvField(std::string_view text) {
    return quotedWhenHolding(spreadsheetText(text), ",\"\r\n");
}

std::string csvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        record += csvField(fields[i]);
    }
    return record + "\r\n";
}

std::string tabSeparatedLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += quotedWhenHolding(spreadsheetText(cells[i]), "\t\"\r\n");
    }
    return line + "\n";
}

} // namespace tovarin
