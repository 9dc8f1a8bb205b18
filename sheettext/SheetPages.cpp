#include "sheettext/SheetPages.h"

#include "engine/NumberText.h"

namespace tovarin {

namespace {

// The lines that hold text: trailing blanks take no room.
std::size_t usedLines(const std::vector<SheetLine>& lines) {
    std::size_t used = lines.size();
    while (used > 0 && lines[used - 1].isBlank())
        --used;
    return used;
}

void numberTitle(SheetLine& title, std::size_t page, std::size_t pages) {
    title.items.push_back(LiteralItem{"    " + formatNumber(static_cast<double>(page), "0") + "/" +
                                      formatNumber(static_cast<double>(pages), "0")});
}

} // namespace

std::vector<SheetPage> sheetPages(const std::vector<SheetLine>& lines, int linesPerPage) {
    const std::size_t used = usedLines(lines);
    std::size_t titleAt = 0;
    while (titleAt < used && lines[titleAt].isBlank())
        ++titleAt;
    const std::size_t heading = titleAt + 1;
    // A further page: the heading, a blank line, then the sheet goes on.
    if (linesPerPage <= 0 || used <= static_cast<std::size_t>(linesPerPage) ||
        static_cast<std::size_t>(linesPerPage) <= heading + 1)
        return {lines};
    const auto perPage = static_cast<std::size_t>(linesPerPage);

    std::vector<SheetPage> pages;
    pages.emplace_back(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(perPage));
    std::size_t next = perPage;
    while (next < used) {
        while (next < used && lines[next].isBlank())
            ++next;
        if (next >= used)
            break;
        SheetPage page(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(heading));
        page.emplace_back();
        const std::size_t room = perPage - page.size();
        const std::size_t end = std::min(used, next + room);
        page.insert(page.end(), lines.begin() + static_cast<std::ptrdiff_t>(next),
                    lines.begin() + static_cast<std::ptrdiff_t>(end));
        pages.push_back(std::move(page));
        next = end;
    }
    for (std::size_t i = 0; i < pages.size(); ++i)
        numberTitle(pages[i][titleAt], i + 1, pages.size());
    return pages;
}

} // namespace tovarin
