#pragma once
// The 設計補助 window: the design aids of tovarin-sheet for the people who do not use
// a terminal. A top-level window of its own (no designed window changes state when
// it opens), with three pages: 管径の比較 (the --sizes table), 水理特性曲線 (the
// --curve drawing, live) and 一覧表 (the --csv table of any number of documents).
// Its tables, curve and files come from the tool's own code, so that both give the
// same bytes.

#include "aids/AidsCurve.h"
#include "engine/Calculation.h"
#include "platform/qt/Platform.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QTabWidget;
class QTableWidget;

namespace tovarin {

// A document read for 一覧表: its row of the table and, when Open gave a result, the
// document as Open left it (computed, and its inputs as on screen).
struct AidsDocument {
    struct Result {
        CalcSheet sheet;
        ComputeInput input;
    };
    std::vector<std::string> row;
    std::optional<Result> result;
};

// How 一覧表 reads its documents, the same way as tovarin-sheet --csv: the program
// reads them on a main window that is never shown (app/ProgramAids.h).
class AidsDocumentReader {
public:
    virtual ~AidsDocumentReader() = default;
    virtual AidsDocument read(const QString& file) = 0;
    // After a list of documents: nothing of the last one stays open.
    virtual void finish() = 0;
};

// The curve drawn at the widget's size; pointing at the plot shows the depth ratio
// and both ratios there.
class CurveView : public QWidget {
    Q_OBJECT
public:
    explicit CurveView(QWidget* parent = nullptr);
    void setChart(const std::optional<CurveChart>& chart);
    const std::optional<CurveChart>& chart() const { return chart_; }
    // The readout for a point of the widget; empty outside the plot.
    QString readoutAt(const QPointF& position) const;

signals:
    void pointed(const QString& readout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    std::optional<CurveChart> chart_;
};

class AidsWindow : public QWidget {
    Q_OBJECT
public:
    AidsWindow(Platform& platform, std::unique_ptr<AidsDocumentReader> reader);
    ~AidsWindow() override;

    // The inputs on screen, read as "計算" reads them (`document` is the calculation
    // document as it stands): the subject of the sizes and the curve. False, with the
    // refusal shown, when "計算" would refuse them.
    bool showInputs(const QString& caption, const CalcSheet& document, const ComputeInput& input);
    // Reads the documents as tovarin-sheet does and adds a row for each to 一覧表;
    // the first one read becomes the subject when there is none yet.
    void addDocuments(const QStringList& files);

    QTabWidget* pages() const { return pages_; }
    QTableWidget* sizeTable() const { return sizeTable_; }
    QTableWidget* resultsTable() const { return resultsTable_; }
    QComboBox* minimumDiameter() const { return minimumDiameter_; }
    CurveView* curveView() const { return curveView_; }

    // The cells of a table, header first, in the order shown.
    static std::vector<std::vector<std::string>> tableCells(const QTableWidget& table,
                                                            bool selectedRowsOnly = false);

public slots:
    void copySelection();
    void save();
    void addByDialog();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Subject {
        QString caption;
        CalcSheet document; // as it stands, before the calculation
        ComputeInput input;
        CalcSheet computed;
    };
    QWidget* sizesPage();
    QWidget* curvePage();
    QWidget* resultsPage();
    void setSubject(Subject subject);
    void refreshSizes();
    void useRowAsSubject(int row);
    void saveBytes(const QString& title, const QStringList& formats, const QString& name,
                   const std::function<QByteArray(const QString&)>& bytes);

    Platform& platform_;
    std::unique_ptr<AidsDocumentReader> reader_;
    std::optional<Subject> subject_;
    std::vector<Subject> rowSubjects_; // by the index kept in each row's first cell

    QTabWidget* pages_ = nullptr;
    QLabel* subjectCaption_ = nullptr;
    QLabel* sizesNote_ = nullptr;
    QComboBox* minimumDiameter_ = nullptr;
    QTableWidget* sizeTable_ = nullptr;
    CurveView* curveView_ = nullptr;
    QLabel* readout_ = nullptr;
    QTableWidget* resultsTable_ = nullptr;
};

} // namespace tovarin
