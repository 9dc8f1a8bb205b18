#pragma once
// The tables of the 設計補助 window (管径の比較, 一覧表) as files: CSV for a spreadsheet
// program, and a drawing of the table as shown for a report: PDF (A4 landscape,
// Japanese fonts, the header on every page, pages numbered), PNG and SVG (the whole
// table on one canvas).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace tovarin {

// Rows of cells, the header first.
using TableCells = std::vector<std::vector<std::string>>;

// The extensions a table is written in, lower case, without the dot, in the order
// offered: csv, png, svg (where this build writes SVG), pdf.
QStringList tableFileFormats();

// The file of the table for the format of `fileName`'s extension (one of
// tableFileFormats, any case); `title` heads each page of a drawing. Empty when the
// drawing could not be made.
QByteArray tableFileBytes(const TableCells& cells, const QString& title, const QString& fileName);

} // namespace tovarin
