#include "documents/SewageDocument.h"

#include "documents/DocumentFile.h"
#include "documents/DocumentWindows.h"
#include "engine/Calculation.h"
#include "engine/ResultTexts.h"
#include "sheets/Form1.h"
#include "sheets/Form11.h"
#include "sheets/Form3.h"
#include "sheets/SheetHost.h"

namespace tovarin {

namespace {

const QString newDocumentMessage =
    QStringLiteral("計画人口（Ｐ）、最大汚水量（ｑ）、地下水混入率 及び "
                   "計画汚水量の割増しは、各地域の開発指導要綱等による事｡");

} // namespace

const QString SewageDocument::storedResultsDifferMessage = QStringLiteral(
    "保存された結果は現在の入力による計算と異なります。「計算」で計算し直してください。");

SewageDocument::SewageDocument(SheetHost& host)
    : host_(host), windows_(host), report_(host.calcSheet()) {}

SewageDocument::~SewageDocument() = default;

void SewageDocument::showError(const QString& text) {
    showInputError(host_.platform(), host_.dialogParent(), text);
}

void SewageDocument::newDocument() {
    windows_.newDocument();
    host_.setStatusMessage(newDocumentMessage);
}

bool SewageDocument::read(const QString& path) {
    const DocumentRead read = readDocumentFile(path);
    if (!read.record) {
        showError(read.message);
        return false;
    }
    read_ = read.record;
    return true;
}

OpenOutcome SewageDocument::showRead(const QString& path) {
    windows_.startDocument();
    const RestoreOutcome restored = restoreWindows(windows_, *read_);
    read_.reset();
    setTitle(path);
    return restored.resultShown ? OpenOutcome::Restored : OpenOutcome::RestoredNoResult;
}

// A file edited by hand, or saved by another program, may hold result texts that its
// inputs do not give: the panel shows them as stored, while the sheet prints the
// fresh calculation. The status line tells which way to make them agree.
QString SewageDocument::noteAfterOpen() const {
    const Form11* panel = windows_.form11();
    if (!panel)
        return {};
    const CalcSheet& sheet = host_.calcSheet();
    if (storedResultsAreFresh(*panel, resultTexts(sheet, assessmentOf(sheet))))
        return {};
    return storedResultsDifferMessage;
}

WriteOutcome SewageDocument::save(const QString& path) {
    const std::optional<DocumentRecord> record = recordFromWindows(windows_);
    if (!record) {
        showError(QStringLiteral("保存する計算書がありません。"));
        return WriteOutcome::Refused;
    }
    // A value the file cannot hold (a line break, a control character, a character
    // outside code page 932) is named to the user, and nothing is written.
    const SerialiseResult serialised = serialise(*record);
    if (!serialised.ok()) {
        showError(QString::fromStdString(serialised.failure->message));
        return WriteOutcome::Refused;
    }
    const QString failure = writeDocumentFile(path, serialised.bytes);
    if (!failure.isEmpty()) {
        showError(failure);
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

bool SewageDocument::isOpen() const {
    return windows_.form1() != nullptr;
}

void SewageDocument::close() {
    windows_.tojiru();
}

void SewageDocument::startAfresh() {
    windows_.tojiru();
    // The hidden planned-sewage dialog is emptied rather than built anew: cheaper
    // for every document of the sheet tool, and the same entries.
    if (Form3* dialog = windows_.existingForm3())
        dialog->startAfresh();
}

void SewageDocument::setTitle(const QString& path) {
    if (Form1* sheet = windows_.form1())
        sheet->setWindowTitle(path);
}

bool SewageDocument::hasResult() const {
    return windows_.hasResult();
}

const PrintableSheet* SewageDocument::printableSheet() const {
    return hasResult() ? &report_ : nullptr;
}

} // namespace tovarin
