#pragma once
// The levels of a computed network: each section's inverts and cover from the ground
// levels, the upper inverts and the wall thicknesses typed, and the four checks a
// reviewer makes (注意): cover below the minimum, an invert climbing downstream, a
// pipe narrowing downstream, a velocity dropping downstream. The checks never change
// a section's verdict; they are shown beside it. Qt-free.

#include "engine/Network.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin {

struct NetworkSectionLevels {
    std::optional<double> groundUpper; // 地盤高, "0.000"
    std::optional<double> groundLower;
    std::optional<double> upperInvert;  // 管底高, "0.000"
    std::optional<double> lowerInvert;  // upper − L·勾配/1000, "0.000"
    std::optional<double> insideHeight; // H: D of a pipe, H of a channel (m)
    std::optional<double> upperCover;   // pipes only: ground − (invert + H + 管厚), "0.000"
    std::optional<double> lowerCover;
    std::vector<std::string> notes; // the section's 注意, in Japanese
};

struct NetworkLevels {
    std::vector<NetworkSectionLevels> sections; // in the document's order
    bool hasNotes() const;
};

struct NetworkLevelsOutcome {
    std::optional<NetworkRefusal> failure; // a level that is not a number
    NetworkLevels levels;
    bool ok() const { return !failure; }
};

// The 注意 texts of the checks.
inline constexpr const char* coverNoteUpper = "土被りが最小土被りより小さい（上流端）";
inline constexpr const char* coverNoteLower = "土被りが最小土被りより小さい（下流端）";
inline constexpr const char* invertNote = "上流の管底より高い";
inline constexpr const char* narrowingNote = "下流の管径が上流より小さい";
inline constexpr const char* slowingNote = "流速が下流で遅くなる";

// The level fields of the input as numbers: 最小土被り, then each section's 地盤高,
// 管底高 and 管厚 in the document's order; the first that is not one (or negative,
// for 管厚 and 最小土被り) is refused.
std::optional<NetworkRefusal> networkLevelsRefusal(const NetworkInput& input);

// The levels of `result`, computed from `input` (the input it was computed from).
NetworkLevelsOutcome computeNetworkLevels(const NetworkInput& input, const NetworkResult& result);

// ---------------------------------------------------------------- the profile's path

// The sections of a profile from a head section down to an outlet, in flow order.
// From `head` when given (-1: not given), down to the section leaving the network;
// else the longest path by length (Σ L) ending at the outlet section whose lower
// manhole is `outlet` (empty: the first outlet section in the document's order).
// Empty when `outlet` ends no section of the network.
std::vector<std::size_t> networkProfilePath(const NetworkResult& result, int head,
                                            const std::string& outlet = {});

// A catalogue pipe or 円形: the cover and the narrowing checks apply.
bool isNetworkPipe(RainwaterFacilityKind kind);

} // namespace tovarin
