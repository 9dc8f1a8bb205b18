#include "aids/AidsWindow.h"

#include "aids/AidsRows.h"
#include "aids/AidsTable.h"
#include "aids/OutputFile.h"
#include "aids/SheetToolSvg.h"
#include "engine/CsvText.h"
#include "engine/NumberText.h"
#include "engine/TableWords.h"
#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/UserFolders.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tovarin {

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// A cell that sorts as a number when both it and the other are numbers.
class TableCell : public QTableWidgetItem {
public:
    explicit TableCell(const QString& text) : QTableWidgetItem(text) {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        bool mine = false, theirs = false;
        const double a = text().toDouble(&mine);
        const double b = other.text().toDouble(&theirs);
        if (mine && theirs)
            return a < b;
        if (mine != theirs)
            return mine; // numbers before words and blanks
        return text() < other.text();
    }
};

QTableWidget* newTable(QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void setHeader(QTableWidget& table, const std::vector<std::string>& header) {
    QStringList labels;
    for (const std::string& cell : header)
        labels << text(cell);
    table.setColumnCount(static_cast<int>(labels.size()));
    table.setHorizontalHeaderLabels(labels);
}

void appendRow(QTableWidget& table, const std::vector<std::string>& cells, int subject = -1) {
    const bool sorting = table.isSortingEnabled();
    table.setSortingEnabled(false);
    const int row = table.rowCount();
    table.insertRow(row);
    for (std::size_t column = 0; column < cells.size(); ++column) {
        auto* cell = new TableCell(text(cells[column]));
        if (column == 0)
            cell->setData(Qt::UserRole, subject);
        table.setItem(row, static_cast<int>(column), cell);
    }
    table.setSortingEnabled(sorting);
}

// The minimum sizes offered: the nominal diameters guidelines commonly ask for.
const int minimumSizes[] = {0, 100, 150, 200, 250, 300};

} // namespace

// ---------------------------------------------------------------- the curve view

namespace {

// The drawing keeps at least the 4:3 of its files: a tall view draws it at the top.
QSize drawingSize(const QSize& view) {
    return QSize(view.width(), std::min(view.height(), view.width() * 3 / 4));
}

} // namespace

CurveView::CurveView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(480, 360);
}

void CurveView::setChart(const std::optional<CurveChart>& chart) {
    chart_ = chart;
    update();
}

QString CurveView::readoutAt(const QPointF& position) const {
    const QSize drawn = drawingSize(size());
    if (!chart_ || drawn.height() <= 0)
        return {};
    const double scale = 1200.0 / drawn.height(); // logical units per pixel
    const QRectF plot = chartPlot(drawn);
    const QPointF logical = position * scale;
    if (!plot.contains(logical))
        return {};
    // The ratios belong to the depth ratio as shown, not to the pointer's own one.
    const std::string depthText = formatNumber((logical.x() - plot.left()) / plot.width(), "0.000");
    const double depth = QString::fromStdString(depthText).toDouble();
    const FlowState state = flowStateAt(chart_->section, depth);
    const FlowState full = flowStateAt(chart_->section, 1);
    return chart_->depthRatioName + QStringLiteral("=") + text(depthText) +
           QStringLiteral("　Q/Q_full=") + text(formatNumber(state.flow / full.flow, "0.0000")) +
           QStringLiteral("　V/V_full=") +
           text(formatNumber(state.velocity / full.velocity, "0.0000"));
}

void CurveView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QSize drawn = drawingSize(size());
    if (chart_ && !drawn.isEmpty())
        drawChart(painter, drawn, *chart_);
}

void CurveView::mouseMoveEvent(QMouseEvent* event) {
    emit pointed(readoutAt(event->position()));
}

void CurveView::leaveEvent(QEvent*) {
    emit pointed(QString());
}

// ---------------------------------------------------------------- the window

AidsWindow::AidsWindow(Platform& platform, std::unique_ptr<AidsDocumentReader> reader)
    : QWidget(nullptr), platform_(platform), reader_(std::move(reader)) {
    setWindowTitle(QStringLiteral("設計補助"));
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    subjectCaption_ = new QLabel(this);
    subjectCaption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(subjectCaption_);
    pages_ = new QTabWidget(this);
    pages_->addTab(sizesPage(), QStringLiteral("管径の比較"));
    pages_->addTab(curvePage(), QStringLiteral("水理特性曲線"));
    pages_->addTab(resultsPage(), QStringLiteral("一覧表"));
    layout->addWidget(pages_);
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &AidsWindow::copySelection);
    resize(1000, 640);
    subjectCaption_->setText(QStringLiteral("計算書：なし（一覧表にファイルを追加してください）"));
}

AidsWindow::~AidsWindow() = default;

QWidget* AidsWindow::sizesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("最小管径（◎の対象）："), page));
    minimumDiameter_ = new QComboBox(page);
    for (int size : minimumSizes)
        minimumDiameter_->addItem(
            size == 0 ? QStringLiteral("指定なし") : QStringLiteral("φ%1 以上").arg(size), size);
    row->addWidget(minimumDiameter_);
    row->addStretch();
    auto* copy = new QPushButton(QStringLiteral("コピー"), page);
    auto* save = new QPushButton(QStringLiteral("保存…"), page);
    row->addWidget(copy);
    row->addWidget(save);
    layout->addLayout(row);
    sizeTable_ = newTable(page);
    setHeader(*sizeTable_, sizeTableHeader());
    layout->addWidget(sizeTable_);
    sizesNote_ = new QLabel(page);
    sizesNote_->setWordWrap(true);
    layout->addWidget(sizesNote_);
    connect(minimumDiameter_, &QComboBox::currentIndexChanged, this, &AidsWindow::refreshSizes);
    connect(copy, &QPushButton::clicked, this, &AidsWindow::copySelection);
    connect(save, &QPushButton::clicked, this, &AidsWindow::save);
    return page;
}

QWidget* AidsWindow::curvePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    curveView_ = new CurveView(page);
    layout->addWidget(curveView_, 1);
    auto* row = new QHBoxLayout;
    readout_ = new QLabel(page);
    row->addWidget(readout_, 1);
    auto* save = new QPushButton(QStringLiteral("保存…"), page);
    row->addWidget(save);
    layout->addLayout(row);
    connect(curveView_, &CurveView::pointed, readout_, &QLabel::setText);
    connect(save, &QPushButton::clicked, this, &AidsWindow::save);
    return page;
}

QWidget* AidsWindow::resultsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("ファイルを追加…"), page);
    row->addWidget(add);
    row->addWidget(new QLabel(
        QStringLiteral("（.tvr ファイルをここへドロップしても追加できます。"
                       "行をダブルクリックすると管径の比較と水理特性曲線の対象になります）"),
        page));
    row->addStretch();
    auto* copy = new QPushButton(QStringLiteral("コピー"), page);
    auto* save = new QPushButton(QStringLiteral("保存…"), page);
    row->addWidget(copy);
    row->addWidget(save);
    layout->addLayout(row);
    resultsTable_ = newTable(page);
    setHeader(*resultsTable_, resultsTableHeader());
    resultsTable_->setSortingEnabled(true);
    layout->addWidget(resultsTable_);
    connect(add, &QPushButton::clicked, this, &AidsWindow::addByDialog);
    connect(copy, &QPushButton::clicked, this, &AidsWindow::copySelection);
    connect(save, &QPushButton::clicked, this, &AidsWindow::save);
    connect(resultsTable_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { useRowAsSubject(row); });
    return page;
}

bool AidsWindow::showInputs(const QString& caption, const CalcSheet& document,
                            const ComputeInput& input) {
    Subject subject{caption, document, input, document};
    const ComputeOutcome outcome = computeRequest(subject.computed, input);
    if (!outcome.ok()) {
        showInputError(platform_, this, text(outcome.failure->message));
        return false;
    }
    setSubject(std::move(subject));
    return true;
}

void AidsWindow::setSubject(Subject subject) {
    subject_ = std::move(subject);
    subjectCaption_->setText(QStringLiteral("計算書：") + subject_->caption);
    curveView_->setChart(subject_->computed.hasResult()
                             ? std::optional<CurveChart>(chartOf(subject_->computed))
                             : std::nullopt);
    refreshSizes();
}

void AidsWindow::refreshSizes() {
    sizeTable_->setRowCount(0);
    sizesNote_->clear();
    if (!subject_)
        return;
    bool anyPasses = false;
    const auto table = tovarin::sizeTable(subject_->document, subject_->input,
                                          minimumDiameter_->currentData().toDouble(), &anyPasses);
    if (!table) {
        sizesNote_->setText(QStringLiteral("管径の比較は規格管（ＶＰ管、ＶＵ管、強化プラスチック"
                                           "複合管、ヒューム管）の計算にだけ使えます。"));
        return;
    }
    for (std::size_t i = 1; i < table->size(); ++i)
        appendRow(*sizeTable_, (*table)[i]);
    sizesNote_->setText(anyPasses ? QStringLiteral("◎は判定を満たす最小の管径です。")
                                  : QStringLiteral("どの管径も判定を満たしません。"));
}

void AidsWindow::addDocuments(const QStringList& files) {
    for (const QString& file : files) {
        const AidsDocument read = reader_->read(file);
        int index = -1;
        if (read.result) {
            rowSubjects_.push_back(Subject{QFileInfo(file).fileName(), read.result->sheet,
                                           read.result->input, read.result->sheet});
            index = static_cast<int>(rowSubjects_.size()) - 1;
        }
        appendRow(*resultsTable_, read.row, index);
        if (read.result && !subject_)
            setSubject(rowSubjects_.back());
    }
    reader_->finish();
}

void AidsWindow::useRowAsSubject(int row) {
    const QTableWidgetItem* first = resultsTable_->item(row, 0);
    if (!first)
        return;
    const int index = first->data(Qt::UserRole).toInt();
    if (index < 0 || index >= static_cast<int>(rowSubjects_.size()))
        return;
    setSubject(rowSubjects_[static_cast<std::size_t>(index)]);
    pages_->setCurrentIndex(0);
}

void AidsWindow::addByDialog() {
    // Every file selected in the dialog is added, in the dialog's order.
    const QStringList files = platform_.openFileNames(
        this, FileDialogRequest{QStringLiteral("一覧表に追加"), documentDialogFolder(),
                                QStringLiteral("Tovarin(.tvr) (*.tvr)")});
    if (files.isEmpty())
        return;
    rememberDocumentFolder(files.first());
    addDocuments(files);
}

std::vector<std::vector<std::string>> AidsWindow::tableCells(const QTableWidget& table,
                                                             bool selectedRowsOnly) {
    std::vector<std::vector<std::string>> cells(1);
    for (int column = 0; column < table.columnCount(); ++column)
        cells.front().push_back(table.horizontalHeaderItem(column)->text().toStdString());
    for (int row = 0; row < table.rowCount(); ++row) {
        if (selectedRowsOnly && !table.selectionModel()->isRowSelected(row, QModelIndex()))
            continue;
        std::vector<std::string> line;
        for (int column = 0; column < table.columnCount(); ++column) {
            const QTableWidgetItem* item = table.item(row, column);
            line.push_back(item ? item->text().toStdString() : std::string());
        }
        cells.push_back(std::move(line));
    }
    return cells;
}

// The selected rows of the page's table (every row when none is selected), with
// the header, as tab-separated lines that paste into a spreadsheet program.
void AidsWindow::copySelection() {
    const QTableWidget* table = pages_->currentIndex() == 0   ? sizeTable_
                                : pages_->currentIndex() == 2 ? resultsTable_
                                                              : nullptr;
    if (!table)
        return;
    const bool selectedOnly = table->selectionModel()->hasSelection();
    std::string lines;
    for (const std::vector<std::string>& row : tableCells(*table, selectedOnly))
        lines += tabSeparatedLine(row);
    QApplication::clipboard()->setText(text(lines));
}

void AidsWindow::save() {
    switch (pages_->currentIndex()) {
    case 0:
        saveBytes(QStringLiteral("管径の比較を保存"), tableFileFormats(),
                  QStringLiteral("管径.csv"), [this](const QString& name) {
                      return tableFileBytes(
                          tableCells(*sizeTable_),
                          QStringLiteral("管径の比較　") + subjectCaption_->text(), name);
                  });
        break;
    case 1: {
        if (!subject_ || !subject_->computed.hasResult())
            return;
        const QStringList formats{QStringLiteral("png"), QStringLiteral("svg"),
                                  QStringLiteral("pdf"), QStringLiteral("csv")};
        saveBytes(QStringLiteral("水理特性曲線を保存"), formats, QStringLiteral("曲線.png"),
                  [this](const QString& name) {
                      return curveFileBytes(chartOf(subject_->computed), name);
                  });
        break;
    }
    default:
        saveBytes(QStringLiteral("一覧表を保存"), tableFileFormats(), QStringLiteral("一覧.csv"),
                  [this](const QString& name) {
                      return tableFileBytes(tableCells(*resultsTable_),
                                            QStringLiteral("計算結果の一覧表"), name);
                  });
        break;
    }
}

namespace {

// "CSV (*.csv);;PNG (*.png)…" of the formats, by their extensions.
QString fileFilter(const QStringList& formats) {
    QStringList filters;
    for (const QString& format : formats)
        filters << QStringLiteral("%1 (*.%2)").arg(format.toUpper(), format);
    return filters.join(QStringLiteral(";;"));
}

// ".csv、.png、.svg 又は .pdf"
QString extensionList(const QStringList& formats) {
    QStringList dotted;
    for (const QString& format : formats)
        dotted << QLatin1Char('.') + format;
    const QString last = dotted.takeLast();
    return dotted.isEmpty() ? last
                            : dotted.join(QStringLiteral("、")) + QStringLiteral(" 又は ") + last;
}

} // namespace

// The file's format is the one its extension names: a name whose extension is not
// one of the page's formats is refused, so that no file holds bytes other than its
// name says (a document.tvr never becomes a CSV). An existing file is replaced only
// after the question Save As asks.
void AidsWindow::saveBytes(const QString& title, const QStringList& formats, const QString& name,
                           const std::function<QByteArray(const QString&)>& bytes) {
    // Like the other dialogs, it starts in the folder of the last document.
    const QString path = platform_.saveFileName(
        this, FileDialogRequest{title, documentDialogFolder() + name, fileFilter(formats)});
    if (path.isEmpty())
        return;
    const auto fail = [this](const QString& text) {
        platform_.message(this, MessageRequest{text, QStringLiteral("設計補助"), MsgButtons::Ok,
                                               MsgAnswer::Ok, MsgIcon::Critical});
    };
    if (!formats.contains(QFileInfo(path).suffix().toLower())) {
        fail(QStringLiteral(
                 "ファイル「%1」に保存できません。\n"
                 "保存する形式はファイル名の拡張子で決まります。拡張子を%2にしてください。")
                 .arg(path, extensionList(formats)));
        return;
    }
    if (pathKind(fileSystemName(path)) == PathKind::Regular &&
        ask(platform_, this, QStringLiteral("同名ファイルがあります。上書き保存しますか？"),
            QStringLiteral("上書き保存の確認"), MsgButtons::YesNo, MsgAnswer::No,
            MsgIcon::Critical) != MsgAnswer::Yes)
        return;
    const QByteArray content = bytes(path);
    const QString failure = content.isEmpty()
                                ? QStringLiteral("「%1」を作れませんでした。").arg(path)
                                : writeOutputFile(path, content);
    if (!failure.isEmpty())
        fail(failure);
}

void AidsWindow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void AidsWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    if (files.isEmpty())
        return;
    addDocuments(files);
    pages_->setCurrentIndex(2);
    event->acceptProposedAction();
}

} // namespace tovarin
