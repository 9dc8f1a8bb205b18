#pragma once
// The document's input windows (main sheet, planned-sewage dialog, the three facility
// windows) and the results panel: created on first use, destroyed on close, at most
// one of each. The compute request of the facility windows runs here.

#include "engine/Calculation.h"
#include "sheets/SheetHost.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace tovarin {

class FacilityWindow;
class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form11;

class SewageWindows : public QObject {
    Q_OBJECT
public:
    explicit SewageWindows(SheetHost& host, QObject* parent = nullptr);
    ~SewageWindows() override;

    SheetHost& host() { return host_; }

    // New: startDocument, then the main sheet at (0, 0) with the new-document defaults,
    // each applied through its own handler; VP selected; focus on "計算する".
    void newDocument();
    // Closes the main sheet, the facility windows and the results (a hidden
    // planned-sewage dialog stays with its entries).
    void tojiru();
    // Tojiru, and a fresh calculation document for the document that New or Open
    // starts: no value computed for an earlier document can reach this one. The
    // hidden planned-sewage dialog keeps its entries.
    void startDocument();
    // A fresh main sheet at (0, 0) with only its own initialisation (an open one is
    // closed first). New applies its defaults on top; the document reader its values.
    Form1* createForm1();

    // Closes the results if they are shown: capacity := 0, host.resultChanged().
    void closeResults();
    // A result is on screen (capacity is not 0).
    bool hasResult() const;

    // The windows, null when not open.
    Form1* form1() const;
    Form2* form2() const;
    Form4* form4() const;
    Form5* form5() const;
    Form11* form11() const;
    // The one open facility window, null when none is open.
    FacilityWindow* facilityWindow() const;
    // The planned-sewage dialog, created when first needed.
    Form3* form3();
    Form3* existingForm3() const;
    // Closes the planned-sewage dialog and discards its land use and fields.
    void discardForm3();

    // Facility windows for Sentaku: opening places a new window at (6165, 0) and
    // shows it; an open window is returned as it is.
    Form2* openForm2();
    Form4* openForm4();
    Form5* openForm5();
    void closeForm2();
    void closeForm4();
    void closeForm5();

    // Everything a compute request reads: the main sheet, the dialog's land use
    // (None without a dialog) and the open facility window (Zairyou_1).
    ComputeInput computeInput() const;
    // The compute request of the facility windows' "計算": the old results close,
    // the request runs; a refused request shows its message and moves the focus,
    // a computed one opens a fresh results panel.
    void computeRequest(ComputeVariant variant);

    // For the document reader, after the windows are restored:
    // Zairyou_1 gathers the windows' entries into the calculation document,
    void Zairyou_1();
    // Zairyou_2 computes the section of the open facility window,
    void Zairyou_2();
    // and this computes velocity, capacity and assessment from the document and
    // opens the results panel with them (null when the capacity is 0).
    Form11* createResults();

private:
    // Puts a new child window into the main window at a place in twips: framed and
    // shown, or kept unseen when the main window is never shown.
    void addChild(QWidget* window, int left, int top, int width, int height);
    // The open facility window of a slot, or a new one put in place (addChild).
    template <typename Window> Window* openFacility(QPointer<Window>& slot);
    // Beeps, verdict message and a fresh panel for a computed document.
    Form11* presentResults(const Assessment& assessment);
    void applyFocus(const ComputeFailure& failure);
    void resultsPanelGone();

    SheetHost& host_;
    QPointer<Form1> form1_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
    QPointer<Form5> form5_;
    QPointer<Form11> form11_;
};

} // namespace tovarin
