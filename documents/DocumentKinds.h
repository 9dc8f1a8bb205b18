#pragma once
// Every kind of document the program holds, one document of each, and which of them
// is on screen. The kinds are listed once, in DocumentKinds.cpp: a new kind is one
// SheetDocument class and one line there.

#include "documents/SheetDocument.h"
#include "platform/qt/Platform.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace tovarin {

class SheetHost;

class DocumentKinds {
public:
    explicit DocumentKinds(SheetHost& host);
    ~DocumentKinds();

    SheetHost& host() { return host_; }

    // The document of a kind.
    SheetDocument& ofKind(DocumentKind kind);
    // The one a kind is taken from when nothing is open (the first listed).
    SheetDocument& first() { return *documents_.front(); }
    // The document on screen (its windows are open); null when none is.
    SheetDocument* current() const;
    // The sheet of the result on screen, whichever document has it; null when none
    // has one.
    const PrintableSheet* printableSheet() const;
    // The sheet the report commands use: printableSheet(), or without a result the
    // first kind's draft (the sewage sheet of the calculation document as it stands).
    const PrintableSheet* reportSheet() const;
    // A document of a class (for the windows a test or the tool reads).
    template <typename Document> Document& get() const {
        for (const auto& document : documents_) {
            if (auto* wanted = dynamic_cast<Document*>(document.get()))
                return *wanted;
        }
        std::abort();
    }

    // Closes the windows of every document but `kept`, before it takes the screen.
    void closeAllBut(const SheetDocument& kept);
    void closeAll();
    void startAfresh();

    // The settings both file dialogs share: the folder of the document last opened
    // or saved through them, the type of `chosen` first, then every other type, then
    // all of them together; without `chosen`, all of them together first, then each.
    FileDialogRequest fileDialogRequest(const QString& title, const SheetDocument* chosen) const;

private:
    SheetHost& host_;
    std::vector<std::unique_ptr<SheetDocument>> documents_;
};

} // namespace tovarin
