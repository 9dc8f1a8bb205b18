#pragma once
// Documents typed into the real input windows, as a user would: one per
// facility kind, with the planned flow through the dialog or typed directly, and a
// description of every window's state for comparing a document before saving and
// after opening it again.

#include <QString>
#include <QStringList>

class QLineEdit;

namespace tovarin::testing {

class DocumentTestHost;

enum class DocumentCase {
    ResidentialVp,           // VP φ100 full flow, 住宅地 P=1000 q=350, Manning
    NonResidential1VuKutter, // VU, 住宅地以外（1）, allowance 10 %, Kutter
    DirectFrpmMargin,        // FRPM, direct 0.0800, margin check 30 %
    NonResidential2Hume,     // Hume, 住宅地以外（2）, groundwater 20 %
    DirectOtherCircular, // other circular, direct 0.0150, groundwater 15 %, allowance 20 %, Kutter
    NonResidential2Rectangular // rectangular 1.0 × 0.5, 住宅地以外（2） A=5000 q2=0.0012, margin 50
                               // %
};

QString caseName(DocumentCase which);
// The facility kind (lst_s position) of the case.
int caseKind(DocumentCase which);

// New, then the case's entries through the windows' own controls, then "計算" of
// the facility window. The window must be shown.
void enterCase(DocumentTestHost& window, DocumentCase which);

// Clicks into the field and types the text over its whole content.
void typeInto(QLineEdit* field, const QString& text);

// Every document window's controls and the results panel's labels, one line each
// ("Form1.opt3=checked", "Form11.lbl21=23456.00 hidden #000000", ...), with the
// window positions and the main sheet's caption. The planned-sewage dialog is
// described when it exists.
QStringList describeWindows(DocumentTestHost& window);

} // namespace tovarin::testing
