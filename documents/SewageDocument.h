#pragma once
// The sewage document (.tvr): the input windows Form1 to Form5 and the results panel
// Form11 (SewageWindows), the program's calculation document, and its sheet.

#include "documents/SheetDocument.h"
#include "documents/record/DocumentRecord.h"
#include "report/SewageReport.h"
#include "sheets/SewageWindows.h"

#include <optional>

namespace tovarin {

class SheetHost;

class SewageDocument : public SheetDocument {
public:
    explicit SewageDocument(SheetHost& host);
    ~SewageDocument() override;

    SewageWindows& windows() { return windows_; }

    // What the status line says when the result texts stored in an opened document
    // differ from a fresh calculation of its inputs.
    static const QString storedResultsDifferMessage;

    DocumentKind kind() const override { return DocumentKind::Sewage; }
    QString typeName() const override { return QStringLiteral("Tovarin"); }
    QString suffix() const override { return QStringLiteral("tvr"); }
    bool addsSuffixWhenSaving() const override { return false; }
    // The sewage road's own rules: saved with a result only, and replaced by New and
    // Open without a question (閉じる asks).
    bool savableWithoutResult() const override { return false; }
    bool hasUnsavedChanges() const override { return false; }

    void newDocument() override;
    bool read(const QString& path) override;
    OpenOutcome showRead(const QString& path) override;
    QString noteAfterOpen() const override;
    WriteOutcome save(const QString& path) override;

    bool isOpen() const override;
    void close() override;
    void giveWay() override { windows_.startDocument(); }
    void startAfresh() override;
    void setTitle(const QString& path) override;

    bool hasResult() const override;
    const PrintableSheet* printableSheet() const override;
    const PrintableSheet* draftSheet() const override { return &report_; }

private:
    void showError(const QString& text);

    SheetHost& host_;
    SewageWindows windows_;
    SewageReport report_;
    std::optional<DocumentRecord> read_; // between read() and showRead()
};

} // namespace tovarin
