#include "engine/NetworkLevels.h"

#include "engine/NumberText.h"
#include "engine/RainwaterFields.h"

#include <algorithm>

namespace tovarin {

namespace {

double printedLevel(double value) {
    return textToNumber(formatNumber(value, "0.000"));
}

std::optional<double> levelOf(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    return printedLevel(*rainwaterNumber(text));
}

NetworkRefusal levelRefusal(const NetworkInput& in, std::optional<std::size_t> section,
                            NetworkField what, const std::string& message) {
    NetworkRefusal refused;
    refused.what = what;
    refused.section = section;
    refused.message = section ? "区間「" + in.sections[*section].name + "」：" + message : message;
    return refused;
}

// A typed level: empty, or a number (not negative when `positive` asks so).
bool fits(const std::string& text, bool notNegative) {
    if (text.empty())
        return true;
    const std::optional<double> value = rainwaterNumber(text);
    return value && (!notNegative || *value >= 0);
}

std::optional<double> insideHeightOf(const RainwaterResult& facility) {
    switch (facility.facilityKind) {
    case RainwaterFacilityKind::Rectangular:
        return facility.facility.channelHeight;
    case RainwaterFacilityKind::Trapezoidal:
        if (facility.trapezoid)
            return facility.trapezoid->height;
        return std::nullopt;
    default:
        return facility.facility.pipeDiameter;
    }
}

void addNote(NetworkSectionLevels& levels, const char* note) {
    if (std::find(levels.notes.begin(), levels.notes.end(), note) == levels.notes.end())
        levels.notes.emplace_back(note);
}

} // namespace

bool NetworkLevels::hasNotes() const {
    return std::any_of(sections.begin(), sections.end(),
                       [](const NetworkSectionLevels& s) { return !s.notes.empty(); });
}

bool isNetworkPipe(RainwaterFacilityKind kind) {
    return kind != RainwaterFacilityKind::Rectangular && kind != RainwaterFacilityKind::Trapezoidal;
}

std::optional<NetworkRefusal> networkLevelsRefusal(const NetworkInput& in) {
    if (!fits(in.minimumCoverText, true))
        return levelRefusal(in, std::nullopt, NetworkField::MinimumCover,
                            "最小土被りは０以上の数値で入力してください。");
    for (std::size_t i = 0; i < in.sections.size(); ++i) {
        const NetworkSection& s = in.sections[i];
        if (!fits(s.groundUpperText, false) || !fits(s.groundLowerText, false))
            return levelRefusal(in, i, NetworkField::Ground, "地盤高が数値ではありません。");
        if (s.groundUpperText.empty() != s.groundLowerText.empty())
            return levelRefusal(in, i, NetworkField::Ground,
                                "地盤高は上流と下流の両方を入力してください。");
        if (!fits(s.invertText, false))
            return levelRefusal(in, i, NetworkField::Invert, "管底高が数値ではありません。");
        if (!fits(s.wallText, true))
            return levelRefusal(in, i, NetworkField::Wall,
                                "管厚は０以上の数値で入力してください。");
    }
    return std::nullopt;
}

NetworkLevelsOutcome computeNetworkLevels(const NetworkInput& in, const NetworkResult& result) {
    NetworkLevelsOutcome outcome;
    if ((outcome.failure = networkLevelsRefusal(in)))
        return outcome;
    const std::size_t n = result.sections.size();
    std::vector<NetworkSectionLevels>& levels = outcome.levels.sections;
    levels.resize(n);
    // The sections flowing into each, and an order with each after all of those.
    std::vector<std::vector<std::size_t>> inflows(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (result.sections[i].downstream >= 0)
            inflows[static_cast<std::size_t>(result.sections[i].downstream)].push_back(i);
    }
    const NetworkStructure structure = networkStructure(in);
    const std::optional<double> minimumCover = levelOf(in.minimumCoverText);
    for (std::size_t i : structure.order.order) {
        const NetworkSection& typed = in.sections[i];
        const NetworkSectionResult& section = result.sections[i];
        NetworkSectionLevels& own = levels[i];
        own.groundUpper = levelOf(typed.groundUpperText);
        own.groundLower = levelOf(typed.groundLowerText);
        own.upperInvert = levelOf(typed.invertText);
        if (!own.upperInvert) {
            // The lowest lower invert among the sections flowing into it.
            for (std::size_t up : inflows[i]) {
                if (const auto& lower = levels[up].lowerInvert)
                    own.upperInvert = std::min(own.upperInvert.value_or(*lower), *lower);
            }
        }
        if (own.upperInvert)
            own.lowerInvert = printedLevel(
                *own.upperInvert - section.length * section.facility.facility.slopePermille / 1000);
        own.insideHeight = insideHeightOf(section.facility);
        const bool pipe = isNetworkPipe(section.facility.facilityKind);
        const double wall = levelOf(typed.wallText).value_or(0);
        const auto cover = [&](std::optional<double> ground, std::optional<double> invert) {
            std::optional<double> value;
            if (pipe && ground && invert && own.insideHeight)
                value = printedLevel(*ground - (*invert + *own.insideHeight + wall));
            return value;
        };
        own.upperCover = cover(own.groundUpper, own.upperInvert);
        own.lowerCover = cover(own.groundLower, own.lowerInvert);
        if (minimumCover) {
            if (own.upperCover && *own.upperCover < *minimumCover)
                addNote(own, coverNoteUpper);
            if (own.lowerCover && *own.lowerCover < *minimumCover)
                addNote(own, coverNoteLower);
        }
        for (std::size_t up : inflows[i]) {
            const NetworkSectionLevels& above = levels[up];
            const NetworkSectionResult& upSection = result.sections[up];
            if (own.upperInvert && above.lowerInvert && *own.upperInvert > *above.lowerInvert)
                addNote(own, invertNote);
            if (pipe && isNetworkPipe(upSection.facility.facilityKind) && own.insideHeight &&
                above.insideHeight && *own.insideHeight < *above.insideHeight)
                addNote(own, narrowingNote);
            if (section.facility.velocity < upSection.facility.velocity)
                addNote(own, slowingNote);
        }
    }
    return outcome;
}

std::vector<std::size_t> networkProfilePath(const NetworkResult& result, int head,
                                            const std::string& outlet) {
    const std::vector<NetworkSectionResult>& sections = result.sections;
    const auto down = [&](std::size_t from) {
        std::vector<std::size_t> path;
        for (int at = static_cast<int>(from); at >= 0 && path.size() <= sections.size();
             at = sections[static_cast<std::size_t>(at)].downstream)
            path.push_back(static_cast<std::size_t>(at));
        return path;
    };
    if (head >= 0) {
        if (static_cast<std::size_t>(head) >= sections.size())
            return {};
        return down(static_cast<std::size_t>(head));
    }
    // The section the path ends in: the outlet named, or the first outlet.
    std::optional<std::size_t> end;
    for (std::size_t i = 0; i < sections.size() && !end; ++i) {
        const bool named =
            outlet.empty() ? sections[i].downstream < 0 : sections[i].lower == outlet;
        if (named)
            end = i;
    }
    if (!end)
        return {};
    // The length from each section down to the end section, found once for each.
    std::vector<std::optional<double>> toEnd(sections.size());
    std::vector<bool> known(sections.size(), false);
    const auto lengthToEnd = [&](std::size_t from) {
        std::vector<std::size_t> walked;
        std::size_t at = from;
        std::optional<double> below;
        for (;;) {
            if (known[at]) {
                below = toEnd[at];
                break;
            }
            walked.push_back(at);
            if (at == *end) {
                below = 0.0;
                break;
            }
            const int next = sections[at].downstream;
            if (next < 0) {
                below = std::nullopt;
                break;
            }
            at = static_cast<std::size_t>(next);
        }
        for (auto step = walked.rbegin(); step != walked.rend(); ++step) {
            if (below)
                below = *below + sections[*step].length;
            toEnd[*step] = below;
            known[*step] = true;
        }
        return toEnd[from];
    };
    std::optional<std::size_t> best;
    double longest = -1;
    std::vector<bool> fed(sections.size(), false);
    for (const NetworkSectionResult& s : sections) {
        if (s.downstream >= 0)
            fed[static_cast<std::size_t>(s.downstream)] = true;
    }
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (fed[i])
            continue;
        const std::optional<double> length = lengthToEnd(i);
        if (length && *length > longest) {
            longest = *length;
            best = i;
        }
    }
    if (!best)
        return {};
    std::vector<std::size_t> path = down(*best);
    while (!path.empty() && path.back() != *end)
        path.pop_back();
    return path;
}

} // namespace tovarin
