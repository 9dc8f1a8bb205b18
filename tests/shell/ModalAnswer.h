#pragma once
// Answers a modal dialog of a given type that a test opens: `trigger` opens it, and
// once it is shown, active and holding the focus, `handle` inspects it and clicks
// what the test wants; whatever `handle` does, the dialog is closed afterwards so
// the test can never hang in exec().

#include "tests/support/ModalDialogs.h"

#include <QTest>

#include <functional>

namespace tovarin::testing {

template <typename Dialog>
bool answerModal(const std::function<void()>& trigger, const std::function<void(Dialog*)>& handle) {
    return answerModalDialog(trigger, [&handle](QDialog* dialog) {
        auto* wanted = qobject_cast<Dialog*>(dialog);
        QVERIFY2(wanted, "a dialog of another kind opened");
        handle(wanted);
    });
}

} // namespace tovarin::testing
