#pragma once
// The document's input windows (main sheet, planned-sewage dialog, the three facility
// windows) and, later, the results panel: created on first use, destroyed on close,
// at most one of each.

#include "Calculation.h"
#include "SheetHost.h"

#include <QObject>
#include <QPointer>

namespace tovarin {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;

class InputWindows : public QObject {
    Q_OBJECT
public:
    explicit InputWindows(SheetHost& host, QObject* parent = nullptr);
    ~InputWindows() override;

    SheetHost& host() { return host_; }

    // New: Tojiru, then the main sheet at (0, 0) with the new-document defaults,
    // each applied through its own handler; VP selected; focus on "計算する".
    void newDocument();
    // Closes the main sheet, the facility windows and the results (a hidden
    // planned-sewage dialog stays with its entries).
    void tojiru();

    // Closes the results if they are shown: capacity := 0, host.resultChanged().
    void closeResults();
    bool hasResult() const;

    // The windows, null when not open.
    Form1* form1() const { return form1_; }
    Form2* form2() const { return form2_; }
    Form4* form4() const { return form4_; }
    Form5* form5() const { return form5_; }
    // The planned-sewage dialog, created when first needed.
    Form3* form3();
    Form3* existingForm3() const { return form3_; }

private:
    SheetHost& host_;
    QPointer<Form1> form1_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
    QPointer<Form5> form5_;
};

} // namespace tovarin
