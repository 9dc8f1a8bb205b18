#include "ReportFile.h"

#include "Cp932.h"
#include "RegularFile.h"
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
    case ENXIO:
        return notARegularFileReason;
    default:
        return nullptr;
    }
}

std::string writeFailure(const std::string& path, const char* reason) {
    std::string message = "ファイル「" + path + "」に書き込めませんでした。";
    if (reason) {
        message += "\n";
        message += reason;
    }
    return message;
}

std::string writeFailure(const std::string& path, int error) {
    return writeFailure(path, failureReason(error));
}

const char* refusalReason(PathKind kind) {
    return kind == PathKind::Folder ? failureReason(EISDIR) : notARegularFileReason;
}

// Writes all bytes at the end of the file and notes where they went, so that a
// failure can take back exactly these bytes.
AppendedBytes writeAll(int fd, const std::string& bytes) {
    AppendedBytes appended;
    while (appended.length < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + appended.length, bytes.size() - appended.length);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            appended.error = errno;
            return appended;
        }
        // In append mode the offset is the end of what was just written.
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        const off_t start = end - static_cast<off_t>(n);
        if (appended.length == 0)
            appended.start = start;
        else if (start != appended.start + static_cast<off_t>(appended.length))
            appended.contiguous = false; // another writer's bytes lie between ours
        appended.length += static_cast<size_t>(n);
    }
    return appended;
}

// Appends in one piece: when the write fails part-way (disk full), the bytes of
// this sheet are taken back so that no half sheet stays behind.
std::string appendBytes(const std::string& path, const std::string& bytes) {
    const RegularOpen opened = openRegularFile(path, O_WRONLY | O_CREAT | O_APPEND);
    if (opened.refused != PathKind::Absent)
        return writeFailure(path, refusalReason(opened.refused));
    if (opened.fd < 0)
        return writeFailure(path, opened.error);

    const AppendedBytes appended = writeAll(opened.fd, bytes);
    if (appended.error) {
        const bool takenBack = takeBackAppended(opened.fd, appended);
        ::close(opened.fd);
        std::string message = writeFailure(path, appended.error);
        if (!takenBack)
            message += "\n書きかけの計算書がファイルに残っています"
                       "（後から他のプログラムが追記したため、取り除いていません）。";
        return message;
    }
    if (::close(opened.fd) != 0)
        return writeFailure(path, errno);
    return {};
}

} // namespace

bool takeBackAppended(int fd, const AppendedBytes& appended) {
    if (appended.length == 0)
        return true;
    if (!appended.contiguous || appended.start < 0)
        return false;
    // Only when the file still ends with these bytes: if another program appended
    // after them, cutting back would take its text too.
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return false;
    if (status.st_size != appended.start + static_cast<off_t>(appended.length))
        return false;
    return ::ftruncate(fd, appended.start) == 0;
}

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
