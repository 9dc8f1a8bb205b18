#pragma once
// The rainwater document's windows: the input sheet (areas and intensity), the
// facility window and the results panel, at the places of the sewage windows. At most
// one of each; the sewage windows are closed while these are open. The calculation
// runs here, and its result lives here while the panel shows it.

#include "engine/Rainwater.h"
#include "sheets/RainwaterFacilityWindow.h"
#include "sheets/RainwaterInputSheet.h"
#include "sheets/RainwaterResultsPanel.h"
#include "sheets/SheetHost.h"

#include <QObject>
#include <QPointer>

#include <optional>

namespace tovarin {

class RainwaterWindows : public QObject {
    Q_OBJECT
public:
    explicit RainwaterWindows(SheetHost& host, QObject* parent = nullptr);
    ~RainwaterWindows() override;

    SheetHost& host() { return host_; }

    // 雨水の新規作成: fresh windows with the new document's choices (タルボット, 矩形,
    // マニング, 水深８割), an empty area table, the focus on the land-use list.
    void newDocument();
    // Fresh windows showing the input (the document reader). Nothing is computed.
    void showInput(const RainwaterInput& input);
    // Closes the three windows.
    void closeWindows();
    // The input windows are open.
    bool isOpen() const;

    // Everything the windows hold, as typed or chosen; numbers typed in full-width
    // digits are read as their half-width twins.
    RainwaterInput input() const;

    // The windows hold something other than what was last shown, made new or saved.
    bool hasUnsavedChanges() const { return isOpen() && input() != unchanged_; }
    // The input was written to the document's file.
    void markSaved(const RainwaterInput& saved) { unchanged_ = saved; }

    // "計算": the old results close; a refused input shows its message and moves the
    // focus to the field; a computed one opens a fresh results panel. True when a
    // result is shown.
    bool compute();

    // Closes the results panel (the result goes with it).
    void closeResults();
    bool hasResult() const { return result_.has_value(); }
    const RainwaterResult* result() const { return result_ ? &*result_ : nullptr; }

    // Moves the focus to a refused field, its whole text selected.
    void focusField(RainwaterField field, int row, AreaColumn column);
    // Shows the document's file name as the input sheet's caption.
    void setDocumentTitle(const QString& path);

    RainwaterInputSheet* inputSheet() const { return form_; }
    RainwaterFacilityWindow* facilityWindow() const { return facility_; }
    RainwaterResultsPanel* resultsPanel() const { return results_; }

    // What the windows put into the status bar when an entry changes.
    static QString notice();

private:
    void addChild(QWidget* window, int left, int top, int width, int height);
    void resultsPanelGone();

    SheetHost& host_;
    QPointer<RainwaterInputSheet> form_;
    QPointer<RainwaterFacilityWindow> facility_;
    QPointer<RainwaterResultsPanel> results_;
    std::optional<RainwaterResult> result_;
    RainwaterInput unchanged_; // as last shown, made new or saved
};

} // namespace tovarin
