#pragma once
// A drawn sheet laid out on pages: a sheet that fits on one page stays as it is; a
// longer one breaks where a page is full, each further page starts with the sheet's
// heading again, and every page's heading ends with its number ("1/2"). Qt-free.

#include "sheettext/SheetLine.h"

#include <vector>

namespace tovarin {

using SheetPage = std::vector<SheetLine>;

// The lines on pages of `linesPerPage` lines. The heading is the lines up to the
// first that is not blank (the title). Blank lines left over at a page's end are
// dropped from the next page's top. With no room below the heading, one page.
std::vector<SheetPage> sheetPages(const std::vector<SheetLine>& lines, int linesPerPage);

} // namespace tovarin
