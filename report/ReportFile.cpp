#include "ReportFile.h"

#include "Cp932.h"
#include "SheetBuilder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovarin {

namespace {

// Collects the sheet as UTF-8 text with CR LF line ends and counts its NG lines.
class TextFileSink : public SheetSink {
public:
    TextFileSink() : SheetSink(SheetOutput::TextFile) {}

    void writeLine(const SheetLine& line) override {
        text += lineText(line);
        text += "\r\n";
        if (line.alert)
            ++alertLines;
    }

    std::string text;
    int alertLines = 0;
};

bool printsMaterialName(const CalcSheet& sheet) {
    return sheet.facilityKind == FacilityKind::OtherCircular ||
           sheet.facilityKind == FacilityKind::Rectangular;
}

// The typed material name is the only free text on the sheet, so a character the
// file cannot hold is normally found there.
std::string unencodableMessage(const CalcSheet& sheet, const std::string& character) {
    if (printsMaterialName(sheet)) {
        const cp932::EncodeResult material = cp932::encode(sheet.materialName);
        if (!material.ok()) {
            return "管の材料・名称の文字「" + *material.unencodable +
                   "」はファイルに書き込めません。";
        }
    }
    return "計算書の文字「" + character + "」はファイルに書き込めません。";
}

const char* failureReason(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return "書き込みが許可されていません。";
    case EROFS:
        return "読み取り専用の場所です。";
    case EISDIR:
        return "同じ名前のフォルダがあります。";
    case ENOENT:
    case ENOTDIR:
        return "フォルダが見つかりません。";
    case ENOSPC:
    case EDQUOT:
        return "ディスクの空き容量が足りません。";
    case EFBIG:
        return "ファイルが大きすぎます。";
    default:
        return nullptr;
    }
}

std::string writeFailure(const std::string& path, int error) {
    std::string message = "ファイル「" + path + "」に書き込めませんでした。";
    if (const char* reason = failureReason(error)) {
        message += "\n";
        message += reason;
    }
    return message;
}

// Writes all bytes at the end of the file; returns 0 or the error number.
int writeAll(int fd, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<size_t>(n);
    }
    return 0;
}

// Appends in one piece: when the write fails part-way (disk full), the file is cut
// back to its former length so that no half sheet stays behind.
std::string appendBytes(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return writeFailure(path, errno);

    struct stat before {};
    if (::fstat(fd, &before) != 0) {
        const int error = errno;
        ::close(fd);
        return writeFailure(path, error);
    }
    if (const int error = writeAll(fd, bytes)) {
        // If even this fails nothing more can be done; the message still tells the user.
        [[maybe_unused]] const bool cutBack = ::ftruncate(fd, before.st_size) == 0;
        ::close(fd);
        return writeFailure(path, error);
    }
    if (::close(fd) != 0)
        return writeFailure(path, errno);
    return {};
}

} // namespace

SheetText sheetText(const CalcSheet& sheet) {
    TextFileSink sink;
    buildWholeSheet(sheet, sink);

    SheetText result;
    cp932::EncodeResult encoded = cp932::encode(sink.text);
    if (!encoded.ok()) {
        result.message = unencodableMessage(sheet, *encoded.unencodable);
        return result;
    }
    result.ok = true;
    result.bytes = std::move(encoded.bytes);
    result.alertLines = sink.alertLines;
    return result;
}

ReportWrite appendSheet(const CalcSheet& sheet, const std::string& path) {
    ReportWrite result;
    SheetText text = sheetText(sheet);
    if (!text.ok) {
        result.message = text.message;
        return result;
    }
    result.message = appendBytes(path, text.bytes);
    result.ok = result.message.empty();
    if (result.ok)
        result.alertLines = text.alertLines;
    return result;
}

} // namespace tovarin
