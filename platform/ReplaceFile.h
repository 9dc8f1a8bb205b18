#pragma once
// Writing a whole file by name, or leaving the name as it was: the bytes go to a
// temporary file in the same folder, are synced, and only then replace the name.
// A file that replacing would take from its owner or group, or split from its other
// names (hard links), is written in place instead, as careful editors do: a synced
// copy of its old contents beside it first, removed last (kept after a crash).
// Only a regular file (a symbolic link to one included: the link stays, and a link
// whose file is missing gets it made) or a free name is written: saving over a device,
// FIFO or socket would replace it with a plain file. The new file must be the old one
// in all but its bytes: a file the user may not write, or one that can neither be
// replaced keeping all it is nor copied to be written in place, is refused, and the
// old file stays. Qt-free.

#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

enum class WholeFileWrite {
    Written,
    Folder,     // the name is a folder
    NotRegular, // a device, FIFO or socket: nothing opened, nothing replaced
    Short,      // not every byte reached the disk (a full disk, a size limit)
    Failed,     // the name cannot be looked at, or the temporary file could not be
                // made or put in place
};

// Why a name that may be written was still left alone (with WholeFileWrite::Failed).
enum class WholeFileRefusal {
    None,
    NoNewFileInFolder, // the folder does not let a new file be made (errno EACCES/EPERM)
    // Replacing would split the file from its other name, take it from its owner or
    // group, or lose its access control list or extended attributes, and it cannot be
    // written in place either: its old contents cannot be read for the copy.
    HardLinks,
    OwnerNotKept,
    AttributesNotKept,
    CopyLeftOver, // the copy of an interrupted write in place is still there
    NotRestored,  // writing in place failed and the old contents could not be put back:
                  // they are in the copy
};

struct WholeFileResult {
    WholeFileWrite outcome = WholeFileWrite::Failed;
    int error = 0; // errno of the call that failed; 0 when none did
    WholeFileRefusal refusal = WholeFileRefusal::None;

    bool written() const { return outcome == WholeFileWrite::Written; }
};

// The temporary file's name in the folder: the prefix, six letters drawn at random and
// three that are a check of them. Its length does not grow with the name replaced, so
// a name as long as the system allows can still be saved over; the check keeps a
// user's own ".tovarin-backup" from being taken for a temporary file and removed.
inline constexpr std::string_view temporaryFilePrefix = ".tovarin-";
inline constexpr std::string_view temporaryFileLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
inline constexpr size_t temporaryFileDrawn = 6;

// The three check letters of six drawn ones (FNV-1a, in base 62).
inline std::string temporaryFileCheck(std::string_view drawn) {
    uint32_t hash = 2166136261u;
    for (const char c : drawn)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    std::string check;
    for (int i = 0; i < 3; ++i, hash /= temporaryFileLetters.size())
        check += temporaryFileLetters[hash % temporaryFileLetters.size()];
    return check;
}

// The temporary file's name (without its folder) for six letters drawn at random.
inline std::string temporaryFileName(std::string_view drawn) {
    return std::string(temporaryFilePrefix) + std::string(drawn) + temporaryFileCheck(drawn);
}

// Whether `name` (without its folder) is one that temporaryFileName gives.
inline bool isTemporaryFileName(std::string_view name) {
    if (name.size() != temporaryFilePrefix.size() + temporaryFileDrawn + 3 ||
        !name.starts_with(temporaryFilePrefix))
        return false;
    const std::string_view drawn = name.substr(temporaryFilePrefix.size(), temporaryFileDrawn);
    const bool letters = std::all_of(drawn.begin(), drawn.end(), [](char c) {
        return temporaryFileLetters.find(c) != std::string_view::npos;
    });
    return letters && name.ends_with(temporaryFileCheck(drawn));
}

// The copy of a file's old contents kept while it is written in place: its name with
// this added, beside it, so that the user finds it after a crash.
inline constexpr std::string_view inPlaceCopySuffix = ".tovarin-old";

// What becomes of a name that is not a regular file or a free name: it is refused
// before anything is made. Nothing for a name that may be written.
inline std::optional<WholeFileResult> refusalOf(const PathState& state) {
    switch (state.kind) {
    case PathKind::Folder:
        return WholeFileResult{WholeFileWrite::Folder, EISDIR};
    case PathKind::Special:
        return WholeFileResult{WholeFileWrite::NotRegular, ENXIO};
    case PathKind::Unreachable:
        return WholeFileResult{WholeFileWrite::Failed, state.error};
    case PathKind::Absent:
    case PathKind::Regular:
        break;
    }
    return std::nullopt;
}

// The reason shown to the user for a refusal, in Japanese; nullptr for None.
const char* wholeFileRefusalReason(WholeFileRefusal refusal);

// Replaces the file at `path` (a name in the system's encoding) with `bytes`. A file
// replaced keeps its mode, owner, group, access control list and extended attributes.
// Once the new file is in place the save is done: a folder that cannot be opened to
// sync it (one the user may write but not read) is no failure.
WholeFileResult replaceWholeFile(const std::string& path, std::string_view bytes);

} // namespace tovarin
