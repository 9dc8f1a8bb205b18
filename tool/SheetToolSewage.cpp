// The sewage documents (.tvr) in tovarin-sheet: each is opened by the same reader as
// the File menu's Open, on real windows that are never shown.

#include "aids/AidsRows.h"
#include "engine/JsonText.h"
#include "sheets/Form11.h"
#include "sheets/SewageWindows.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"
#include "tool/ToolDocument.h"

#include <QLabel>

namespace tovarin {

namespace {

std::string jsonString(const QString& text) {
    return jsonText(text.toStdString());
}

// A value label of the panel as shown: its text, or null when the panel hides it.
std::string jsonLabel(const Form11& panel, int number) {
    const QLabel* label = panel.lbl(number);
    if (!label->isVisibleTo(&panel))
        return "null";
    return jsonString(label->text());
}

class SewageToolDocument : public ToolDocument {
public:
    explicit SewageToolDocument(ConsolePlatform& platform) : platform_(platform) {}

    bool read(const QString& file) override {
        const int beepsBefore = platform_.beeps;
        const bool opened = openForResult(platform_, window(), file);
        beeps_ = platform_.beeps - beepsBefore;
        return opened;
    }

    SheetText sheet() override { return sheetText(window().calcSheet()); }

    // The panel's texts as Open restored them from the document; when a fresh
    // calculation of its inputs gives other results, "storedResultsDiffer":true says
    // so (the key is left out when they agree).
    std::string resultsLine(const QString& file) override {
        const Form11& panel = *window().sewageWindows().form11();
        std::string line = "{";
        line += "\"file\":" + jsonString(file);
        line += ",\"allowanceFactor\":" + jsonLabel(panel, 16);
        line += ",\"plannedFlow\":" + jsonLabel(panel, 3);
        line += ",\"capacity\":" + jsonLabel(panel, 6);
        line += ",\"velocity\":" + jsonLabel(panel, 9);
        line += ",\"maxPopulation\":" + jsonLabel(panel, 12);
        line += ",\"marginRatio\":" + jsonLabel(panel, 21);
        line += ",\"status\":" + jsonString(window().statusMessage());
        line += ",\"beeps\":" + std::to_string(beeps_);
        if (storedResultsDiffer(window().calcSheet(), panel))
            line += ",\"storedResultsDiffer\":true";
        return line + "}\n";
    }

    std::vector<std::string> tableRow(const QString& file) override {
        return resultsTableRow(file, window().calcSheet(), *window().sewageWindows().form11());
    }

    PdfFileResult printPdf(const QString& output) override {
        return printSheetToPdf(platform_, window().calcSheet(), output);
    }

    std::vector<std::string> tableHeader() const override { return resultsTableHeader(); }
    QString designAidsRefusal() const override { return {}; }

private:
    // Made for the first document: a run with no sewage document makes none.
    MDIFofm& window() {
        if (!window_)
            window_ = std::make_unique<MDIFofm>(platform_, OnScreen::Never);
        return *window_;
    }

    ConsolePlatform& platform_;
    std::unique_ptr<MDIFofm> window_;
    int beeps_ = 0;
};

} // namespace

std::unique_ptr<ToolDocument> sewageToolDocument(ConsolePlatform& platform) {
    return std::make_unique<SewageToolDocument>(platform);
}

} // namespace tovarin
