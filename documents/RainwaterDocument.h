#pragma once
// The rainwater document (.tvu): the rainwater windows (areas and intensity, the
// facility, the results panel) and the sheet of their result.

#include "documents/SheetDocument.h"
#include "engine/Rainwater.h"
#include "report/RainwaterPrint.h"
#include "sheets/RainwaterWindows.h"

#include <optional>

namespace tovarin {

class SheetHost;

class RainwaterDocument : public SheetDocument {
public:
    explicit RainwaterDocument(SheetHost& host);
    ~RainwaterDocument() override;

    RainwaterWindows& windows() { return windows_; }

    DocumentKind kind() const override { return DocumentKind::Rainwater; }
    QString typeName() const override { return QStringLiteral("Tovarin 雨水"); }
    QString suffix() const override { return QStringLiteral("tvu"); }
    bool addsSuffixWhenSaving() const override { return true; }
    bool savableWithoutResult() const override { return true; }
    bool hasUnsavedChanges() const override { return windows_.hasUnsavedChanges(); }

    void newDocument() override;
    bool read(const QString& path) override;
    OpenOutcome showRead(const QString& path) override;
    QString noteAfterOpen() const override { return {}; }
    WriteOutcome save(const QString& path) override;

    bool isOpen() const override { return windows_.isOpen(); }
    void close() override { windows_.closeWindows(); }
    void giveWay() override { windows_.closeWindows(); }
    void startAfresh() override { windows_.closeWindows(); }
    void setTitle(const QString& path) override { windows_.setDocumentTitle(path); }

    bool hasResult() const override { return windows_.hasResult(); }
    const PrintableSheet* printableSheet() const override;
    const PrintableSheet* draftSheet() const override { return nullptr; }

private:
    SheetHost& host_;
    RainwaterWindows windows_;
    std::optional<RainwaterInput> read_; // between read() and showRead()
    // The sheet of the result on screen, made when asked for.
    mutable std::optional<RainwaterReport> report_;
};

} // namespace tovarin
