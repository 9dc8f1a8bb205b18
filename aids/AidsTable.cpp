#include "aids/AidsTable.h"

#include "aids/SheetToolSvg.h"
#include "engine/CsvText.h"
#include "platform/qt/JapaneseFonts.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tovarin {

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

constexpr int wrapping = Qt::TextWrapAnywhere;
constexpr double fontPoints = 8;

// Where the cells go, in the painter's units: each column as wide as its widest
// cell (a long header wraps after six characters, a long cell after thirty), each
// row as high as its highest wrapped cell.
struct TableGeometry {
    std::vector<qreal> columns;
    std::vector<qreal> rows; // the header first
    qreal padding = 0;
    qreal lineHeight = 0;
    qreal width() const { return std::accumulate(columns.begin(), columns.end(), qreal(0)); }
};

TableGeometry measure(const QPainter& painter, const TableCells& cells) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    TableGeometry geometry;
    geometry.lineHeight = metrics.height();
    geometry.padding = metrics.height() * 0.3;
    const qreal character = metrics.horizontalAdvance(QChar(0x3000));
    const std::size_t columnCount = cells.empty() ? 0 : cells.front().size();
    for (std::size_t column = 0; column < columnCount; ++column) {
        qreal widest =
            std::min(metrics.horizontalAdvance(text(cells.front()[column])), 6 * character);
        for (std::size_t row = 1; row < cells.size(); ++row)
            if (column < cells[row].size())
                widest = std::max(widest, metrics.horizontalAdvance(text(cells[row][column])));
        geometry.columns.push_back(std::min(widest, 30 * character) + 2 * geometry.padding + 1);
    }
    for (const std::vector<std::string>& row : cells) {
        qreal highest = geometry.lineHeight;
        for (std::size_t column = 0; column < row.size() && column < columnCount; ++column) {
            const QRectF room(0, 0, geometry.columns[column] - 2 * geometry.padding, 1e6);
            highest =
                std::max(highest, metrics.boundingRect(room, wrapping, text(row[column])).height());
        }
        geometry.rows.push_back(highest + 2 * geometry.padding);
    }
    return geometry;
}

// One row of the table with its top at `top`: grey behind the header, a frame round
// every cell, figures to the right and words to the left as the window shows them.
void drawRow(QPainter& painter, const TableGeometry& geometry, const TableCells& cells,
             std::size_t row, qreal top) {
    qreal left = 0;
    const qreal height = geometry.rows[row];
    for (std::size_t column = 0; column < geometry.columns.size(); ++column) {
        const QRectF cell(left, top, geometry.columns[column], height);
        if (row == 0)
            painter.fillRect(cell, QColor(0xE8, 0xE8, 0xE8));
        painter.drawRect(cell);
        const QString value = column < cells[row].size() ? text(cells[row][column]) : QString();
        bool number = false;
        value.toDouble(&number);
        const int alignment = row == 0 ? Qt::AlignCenter
                              : number ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter;
        painter.drawText(
            cell.adjusted(geometry.padding, geometry.padding, -geometry.padding, -geometry.padding),
            alignment | wrapping, value);
        left += geometry.columns[column];
    }
}

void setTableFont(QPainter& painter) {
    QFont font(gothicFamily());
    font.setPointSizeF(fontPoints);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0));
}

// The title above the table, then the rows [first, end) under the header.
void drawPiece(QPainter& painter, const TableGeometry& geometry, const TableCells& cells,
               const QString& title, std::size_t first, std::size_t end) {
    painter.drawText(QRectF(0, 0, geometry.width(), geometry.lineHeight * 1.5),
                     Qt::AlignLeft | Qt::AlignTop, title);
    qreal top = geometry.lineHeight * 1.5;
    drawRow(painter, geometry, cells, 0, top);
    top += geometry.rows[0];
    for (std::size_t row = first; row < end; ++row) {
        drawRow(painter, geometry, cells, row, top);
        top += geometry.rows[row];
    }
}

QByteArray pdfBytes(const TableCells& cells, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Tovarin"));
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    setTableFont(painter);
    const TableGeometry geometry = measure(painter, cells);
    // A table wider than the page is drawn smaller, all of it.
    const qreal scale = std::min(qreal(1), pdf.width() / geometry.width());
    painter.scale(scale, scale);
    const qreal pageHeight = pdf.height() / scale;
    const qreal footer = geometry.lineHeight * 1.5;
    const qreal room = pageHeight - footer - geometry.lineHeight * 1.5 - geometry.rows[0];

    // The rows of each page; a row higher than a page gets a page of its own.
    std::vector<std::pair<std::size_t, std::size_t>> pages;
    std::size_t first = 1;
    while (first < cells.size() || pages.empty()) {
        std::size_t end = first;
        qreal used = 0;
        while (end < cells.size() && (end == first || used + geometry.rows[end] <= room))
            used += geometry.rows[end++];
        pages.emplace_back(first, end);
        first = end;
    }
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !pdf.newPage())
            return {};
        drawPiece(painter, geometry, cells, title, pages[page].first, pages[page].second);
        painter.drawText(QRectF(0, pageHeight - footer, pdf.width() / scale, footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages.size()));
    }
    if (!painter.end())
        return {};
    return bytes;
}

// The whole table on one canvas of the size it needs, in units of an image of 96
// dots per inch.
QSize canvasSize(const TableCells& cells, const QString& title) {
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    setTableFont(painter);
    const TableGeometry geometry = measure(painter, cells);
    qreal height = geometry.lineHeight * 1.5;
    for (qreal row : geometry.rows)
        height += row;
    const qreal width =
        std::max(geometry.width(), QFontMetricsF(painter.font(), &probe).horizontalAdvance(title));
    return QSize(static_cast<int>(std::ceil(width)) + 2, static_cast<int>(std::ceil(height)) + 2);
}

void drawWhole(QPainter& painter, const TableCells& cells, const QString& title) {
    setTableFont(painter);
    painter.translate(1, 1);
    const TableGeometry geometry = measure(painter, cells);
    drawPiece(painter, geometry, cells, title, 1, cells.size());
}

QByteArray pngBytes(const TableCells& cells, const QString& title) {
    constexpr int pixelsPerUnit = 2; // sharp when printed or zoomed
    const QSize size = canvasSize(cells, title);
    QImage image(size * pixelsPerUnit, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(pixelsPerUnit, pixelsPerUnit);
        drawWhole(painter, cells, title);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray svgBytes(const TableCells& cells, const QString& title) {
    return svgDrawing(canvasSize(cells, title), title,
                      [&](QPainter& painter) { drawWhole(painter, cells, title); });
}

QByteArray csvBytes(const TableCells& cells) {
    std::string bytes(csvByteOrderMark);
    for (const std::vector<std::string>& row : cells)
        bytes += csvRecord(row);
    return QByteArray::fromStdString(bytes);
}

} // namespace

QStringList tableFileFormats() {
    return {QStringLiteral("csv"), QStringLiteral("png"), QStringLiteral("svg"),
            QStringLiteral("pdf")};
}

QByteArray tableFileBytes(const TableCells& cells, const QString& title, const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("png"))
        return pngBytes(cells, title);
    if (suffix == QStringLiteral("svg"))
        return svgBytes(cells, title);
    if (suffix == QStringLiteral("pdf"))
        return pdfBytes(cells, title);
    return csvBytes(cells);
}

} // namespace tovarin
