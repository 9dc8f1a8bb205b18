#pragma once
// The drainage network document (.tvn): the network window (its keys and the table of
// sections, with the area table and the facility window of a row), and the printout
// of its result: the flow table and the profile. One class for both kinds of network;
// a new document is of the kind chosen last (雨水系統 or 汚水系統 の新規作成).

#include "documents/SheetDocument.h"
#include "engine/Network.h"
#include "report/NetworkProfile.h"
#include "sheets/NetworkWindows.h"

#include <optional>

namespace tovarin {

class SheetHost;

class NetworkDocument : public SheetDocument {
public:
    explicit NetworkDocument(SheetHost& host);
    ~NetworkDocument() override;

    NetworkWindows& windows() { return windows_; }
    // The kind the next newDocument() makes.
    void chooseNewKind(NetworkKind kind) { newKind_ = kind; }

    DocumentKind kind() const override { return DocumentKind::Network; }
    QString typeName() const override { return QStringLiteral("Tovarin 系統"); }
    QString suffix() const override { return QStringLiteral("tvn"); }
    bool addsSuffixWhenSaving() const override { return true; }

    void newDocument() override;
    bool read(const QString& path) override;
    OpenOutcome showRead(const QString& path) override;
    QString noteAfterOpen() const override { return {}; }
    // Writes what is entered, computed or not.
    WriteOutcome save(const QString& path) override;

    bool isOpen() const override { return windows_.isOpen(); }
    void close() override { windows_.closeWindows(); }
    void giveWay() override { windows_.closeWindows(); }
    void startAfresh() override { windows_.closeWindows(); }
    void setTitle(const QString& path) override { windows_.setDocumentTitle(path); }

    bool savableWithoutResult() const override { return true; }
    // What is entered differs from what was last opened, made new or saved.
    bool hasUnsavedChanges() const override {
        return windows_.isOpen() && saved_ && windows_.input() != *saved_;
    }
    bool hasResult() const override { return windows_.hasResult(); }
    const PrintableSheet* printableSheet() const override;
    const PrintableSheet* draftSheet() const override { return nullptr; }

private:
    SheetHost& host_;
    mutable NetworkWindows windows_;
    NetworkKind newKind_ = NetworkKind::Rainwater;
    std::optional<NetworkInput> read_;  // between read() and showRead()
    std::optional<NetworkInput> saved_; // as last opened, made new or saved
    mutable std::optional<NetworkProfileReport> report_;
};

} // namespace tovarin
