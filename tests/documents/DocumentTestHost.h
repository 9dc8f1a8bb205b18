#pragma once
// A main window stand-in for the document commands: the input windows' test host
// (tests/sheets/SheetTestKit.h) with what the commands need of a main window, kept
// where a test reads it: the document's file name and toolbar button 3 (Overwrite
// save), which follows the main window's rule: a result and a file to write to.

#include "documents/DocumentCommands.h"
#include "sheets/SewageWindows.h"
#include "tests/sheets/SheetTestKit.h"

#include <memory>

namespace tovarin::testing {

class DocumentTestHost : public TestHost, public DocumentHost {
public:
    explicit DocumentTestHost(OnScreen onScreen = OnScreen::Yes);
    ~DocumentTestHost() override;

    // SheetHost
    OnScreen onScreen() const override { return onScreen_; }
    void resultChanged() override;
    // DocumentHost
    DocumentKinds& documents() override { return *kinds; }
    SewageWindows& sewageWindows() { return *windows; }
    QString documentFileName() const override { return fileName; }
    void setDocumentFileName(const QString& path) override { fileName = path; }
    void applyAvailability() override;
    void setOverwriteButton(bool enabled) override { overwriteButton = enabled; }
    void showToolbarAndStatusBar() override {}

    // The main window's New, and its Close once the user has said yes.
    void newDocument();
    void closeDocument();

    QString fileName;
    bool overwriteButton = false;
    std::unique_ptr<DocumentKinds> kinds;
    SewageWindows* windows = nullptr; // the sewage document's
    std::unique_ptr<DocumentCommands> commands;

private:
    const OnScreen onScreen_;
};

} // namespace tovarin::testing
