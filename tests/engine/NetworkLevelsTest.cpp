#include "engine/NetworkLevels.h"

#include "engine/NumberText.h"
#include "tests/support/NetworkInputs.h"

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

std::string level(const std::optional<double>& value) {
    return value ? formatNumber(*value, "0.000") : "-";
}

// The sewage example with the levels of the worked example and 最小土被り 1.0.
NetworkInput sewageWithLevels() {
    NetworkInput in = sewageNetworkExample();
    in.minimumCoverText = "1.0";
    const char* levels[3][3] = {
        {"10.500", "10.200", "9.200"}, {"10.400", "10.200", "9.150"}, {"10.200", "10.100", ""}};
    for (std::size_t i = 0; i < 3; ++i) {
        in.sections[i].groundUpperText = levels[i][0];
        in.sections[i].groundLowerText = levels[i][1];
        in.sections[i].invertText = levels[i][2];
    }
    return in;
}

NetworkLevels levelsOf(const NetworkInput& in) {
    const NetworkOutcome network = computeNetwork(in);
    EXPECT_TRUE(network.ok());
    const NetworkLevelsOutcome outcome = computeNetworkLevels(in, network.result);
    EXPECT_TRUE(outcome.ok()) << (outcome.failure ? outcome.failure->message : "");
    return outcome.levels;
}

TEST(NetworkLevels, SewageExampleGivesTheWorkedInvertsAndCover) {
    const NetworkLevels levels = levelsOf(sewageWithLevels());
    // upper invert, lower invert, upper cover, lower cover
    const std::vector<std::vector<std::string>> expected = {
        {"9.200", "8.800", "1.097", "1.197"},
        {"9.150", "8.800", "1.047", "1.197"},
        {"8.800", "8.675", "1.197", "1.222"},
    };
    ASSERT_EQ(levels.sections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const NetworkSectionLevels& s = levels.sections[i];
        EXPECT_EQ((std::vector<std::string>{level(s.upperInvert), level(s.lowerInvert),
                                            level(s.upperCover), level(s.lowerCover)}),
                  expected[i])
            << i;
    }
    // No cover, invert or narrowing 注意; section 3 runs at 1.1047 below 1.5622.
    EXPECT_TRUE(levels.sections[0].notes.empty());
    EXPECT_TRUE(levels.sections[1].notes.empty());
    EXPECT_EQ(levels.sections[2].notes, std::vector<std::string>{slowingNote});
}

TEST(NetworkLevels, CoverBelowTheMinimumIsNotedAtThatEnd) {
    NetworkInput in = sewageWithLevels();
    in.sections[0].groundUpperText = "10.250";
    const NetworkLevels levels = levelsOf(in);
    EXPECT_EQ(level(levels.sections[0].upperCover), "0.847");
    EXPECT_EQ(levels.sections[0].notes, std::vector<std::string>{coverNoteUpper});
    // The wall counts in the cover: 0.100 more at both ends of section 2 takes its upper
    // end to 0.947.
    in = sewageWithLevels();
    in.sections[1].wallText = "0.100";
    const NetworkLevels walled = levelsOf(in);
    EXPECT_EQ(level(walled.sections[1].upperCover), "0.947");
    EXPECT_EQ(walled.sections[1].notes, std::vector<std::string>{coverNoteUpper});
}

TEST(NetworkLevels, AnInvertAboveAnInflowingLowerInvertIsNoted) {
    NetworkInput in = sewageWithLevels();
    in.sections[2].invertText = "8.850"; // above 8.800 of sections 1 and 2
    const NetworkLevels levels = levelsOf(in);
    EXPECT_EQ(levels.sections[2].notes, (std::vector<std::string>{invertNote, slowingNote}));
}

TEST(NetworkLevels, APipeNarrowerThanAnInflowingPipeIsNoted) {
    NetworkInput in = sewageWithLevels();
    in.sections[0].facility.sizeListPosition = 6; // VU φ250 flowing into VU φ200
    const NetworkLevels levels = levelsOf(in);
    EXPECT_NE(
        std::find(levels.sections[2].notes.begin(), levels.sections[2].notes.end(), narrowingNote),
        levels.sections[2].notes.end());
    EXPECT_TRUE(levels.sections[1].notes.empty());
}

TEST(NetworkLevels, ASlowerSectionIsNotedAndAFasterOneIsNot) {
    NetworkInput in = sewageNetworkExample();
    EXPECT_EQ(levelsOf(in).sections[2].notes, std::vector<std::string>{slowingNote});
    in.sections[2].facility.gradientText = "20.0";
    EXPECT_TRUE(levelsOf(in).sections[2].notes.empty());
}

TEST(NetworkLevels, WithoutInvertsThereAreNoLevelsAndChannelsHaveNoCover) {
    const NetworkLevels sewage = levelsOf(sewageNetworkExample());
    for (const NetworkSectionLevels& s : sewage.sections) {
        EXPECT_FALSE(s.upperInvert);
        EXPECT_FALSE(s.upperCover);
    }
    NetworkInput rain = rainwaterNetworkExample();
    rain.minimumCoverText = "1.0";
    rain.sections[0].groundUpperText = "10.0";
    rain.sections[0].groundLowerText = "9.8";
    rain.sections[0].invertText = "9.9";
    const NetworkLevels levels = levelsOf(rain);
    EXPECT_EQ(level(levels.sections[0].lowerInvert), "9.600"); // 9.9 − 60·5/1000
    EXPECT_FALSE(levels.sections[0].upperCover);               // a channel: no cover
    EXPECT_EQ(level(levels.sections[2].upperInvert), "9.600"); // from A-1 (B-1 has none)
    EXPECT_FALSE(levels.sections[1].upperInvert);
}

TEST(NetworkLevels, RefusesALevelThatIsNotANumber) {
    NetworkInput in = sewageWithLevels();
    in.sections[1].invertText = "abc";
    const NetworkOutcome network = computeNetwork(in);
    ASSERT_TRUE(network.ok());
    const NetworkLevelsOutcome outcome = computeNetworkLevels(in, network.result);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.failure->message, "区間「2」：管底高が数値ではありません。");
    EXPECT_EQ(outcome.failure->section, 1u);
    in = sewageWithLevels();
    in.sections[0].groundLowerText.clear();
    EXPECT_EQ(computeNetworkLevels(in, network.result).failure->what, NetworkField::Ground);
}

} // namespace

namespace {

TEST(NetworkProfilePath, TakesTheLongestPathOrTheHeadChosen) {
    const NetworkOutcome rain = computeNetwork(rainwaterNetworkExample());
    ASSERT_TRUE(rain.ok());
    // A-1 (60 m) is longer than B-1 (45 m) above A-2.
    EXPECT_EQ(networkProfilePath(rain.result, -1), (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(networkProfilePath(rain.result, 1), (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(networkProfilePath(rain.result, -1, "放流先"), (std::vector<std::size_t>{0, 2}));
    // To a manhole inside the network: the path ends with the section flowing into it.
    EXPECT_EQ(networkProfilePath(rain.result, -1, "No.3"), (std::vector<std::size_t>{0}));
    EXPECT_TRUE(networkProfilePath(rain.result, -1, "どこにもない").empty());

    NetworkInput sewage = sewageNetworkExample();
    sewage.sections[1].lengthText = "50.0"; // section 2 now the longer head
    const NetworkOutcome longer = computeNetwork(sewage);
    ASSERT_TRUE(longer.ok());
    EXPECT_EQ(networkProfilePath(longer.result, -1), (std::vector<std::size_t>{1, 2}));
}

} // namespace
