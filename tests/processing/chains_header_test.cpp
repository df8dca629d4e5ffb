#include "core/processing/chains_header.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/host/allocation.h"
#include "core/host/recording_host.h"
#include "core/processing/chain_ranking.h"

namespace mirovale {
namespace {

using ::testing::ElementsAre;

// A chain of n pulses whose values tell it apart: pulse j at 10 * id + j.
PulseChain chainOf(int id, int n) {
    PulseChain chain;
    for (int j = 0; j < n; ++j) chain.push_back({10 * id + j, id, 0, 4});
    return chain;
}

std::vector<std::int64_t> heldDistances(const ChainsHeader& chains) {
    return {chains.distance.begin(), chains.distance.begin() + chains.wPretenders};
}

TEST(ChainRanking, KeepsTheBestChainsWithEqualDistancesBehind) {
    RecordingHost host;
    auto chains = getChainsHeader(host, 3, 4, nullptr);
    ASSERT_NE(chains, nullptr);
    rankChain(*chains, 5, chainOf(1, 2));
    rankChain(*chains, 3, chainOf(2, 1));
    rankChain(*chains, 5, chainOf(3, 3));
    EXPECT_THAT(heldDistances(*chains), ElementsAre(3, 5, 5));
    EXPECT_EQ(chains->positionsList[1][0], 10);  // the first 5 stays ahead of the second
    EXPECT_EQ(chains->positionsList[2][0], 30);
    rankChain(*chains, 1, chainOf(4, 4), 7);
    EXPECT_THAT(heldDistances(*chains), ElementsAre(1, 3, 5));
    EXPECT_EQ(chains->positionsList[2][1], 11);
    EXPECT_EQ(chains->pulsesQuantity[2], 2);
    EXPECT_EQ(chains->alphabetNumber[0], 7);
    EXPECT_THAT(chains->pulsesList[0], ElementsAre(4, 4, 4, 4));

    const ChainsHeader before = *chains;  // a worse chain leaves a full record unchanged
    rankChain(*chains, 6, chainOf(5, 1));
    EXPECT_EQ(heldDistances(*chains), heldDistances(before));
    EXPECT_EQ(chains->positionsList, before.positionsList);

    rankChain(*chains, 0, chainOf(6, 9));  // longer than a row: the row's capacity is stored
    EXPECT_EQ(chains->pulsesQuantity[0], 4);
    EXPECT_THAT(chains->positionsList[0], ElementsAre(60, 61, 62, 63));
}

TEST(ChainsHeader, ReusesItsStorageUnlessACapacityGrows) {
    RecordingHost host;
    auto chains = getChainsHeader(host, 4, 6, nullptr);
    rankChain(*chains, 2, chainOf(1, 6));
    chains->wQuanPulses = 6;
    const std::int16_t* rows = chains->positionsList[0].data();
    chains = getChainsHeader(host, 2, 3, std::move(chains));
    ASSERT_NE(chains, nullptr);
    EXPECT_EQ(chains->wMaxSize, 4);
    EXPECT_EQ(chains->wMaxPulses, 6);
    EXPECT_EQ(chains->positionsList[0].data(), rows);
    EXPECT_EQ(chains->wPretenders, 0);
    EXPECT_EQ(chains->wQuanPulses, 0);
    EXPECT_THAT(chains->positionsList[0], ElementsAre(0, 0, 0, 0, 0, 0));
    EXPECT_THAT(chains->distance, ElementsAre(0, 0, 0, 0));

    chains = getChainsHeader(host, 3, 7, std::move(chains));
    EXPECT_EQ(chains->wMaxSize, 3);
    EXPECT_EQ(chains->wMaxPulses, 7);
    EXPECT_EQ(chains->endsList.size(), 3u);
    EXPECT_EQ(chains->endsList[2].size(), 7u);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ChainsHeader, ReportsEachAllocationFailureAndReleasesTheRecord) {
    const char* expected[] = {"Нет памяти для newChainsHeader!",
                              "Нет памяти для newChainsHeader->distance!",
                              "Нет памяти для newChainsHeader->pulsesList!",
                              "Нет памяти для newChainsHeader->pulsesList[0]!"};
    for (int k = 1; k <= 4; ++k) {
        RecordingHost host;
        ScopedAllocationFailure fail(k);
        EXPECT_EQ(getChainsHeader(host, 10, 30, nullptr), nullptr) << k;
        ASSERT_EQ(host.messages.size(), 1u) << k;
        EXPECT_EQ(host.messages[0],
                  (RecordedMessage{expected[k - 1], " getChainsHeader ", MessageIcon::None}));
    }
    RecordingHost host;
    auto old = getChainsHeader(host, 2, 2, nullptr);
    ScopedAllocationFailure fail(2);  // the rows of a grown record
    EXPECT_EQ(getChainsHeader(host, 2, 5, std::move(old)), nullptr);
    EXPECT_EQ(host.messages.back().text, "Нет памяти для newChainsHeader->pulsesList!");
}

TEST(ChainsHeader, LabelsTheRunWithTheNamesOfItsCodes) {
    struct Case {
        int line;
        std::uint16_t series, task;
        const char* seriesName;
        const char* taskName;
    } cases[] = {
        {__LINE__, 1, 1, "known number of whole pulses", "detection"},
        {__LINE__, 2, 2, "known number of cut-off pulses", "recognition"},
        {__LINE__, 4, 4, "unknown number of whole pulses", "joint detection and identification"},
        {__LINE__, 8, 32, "unknown number of cut-off pulses", "detection"},
        {__LINE__, 36, 36, "known number of whole pulses tuples", "detection"},
        {__LINE__, 40, 40, "unknown number of whole pulses tuples", "recognition"},
        {__LINE__, 16, 48, nullptr, "alphabet recognition"},
        {__LINE__, 32, 64, nullptr, nullptr},
    };
    RecordingHost host;
    auto chains = getChainsHeader(host, 1, 1, nullptr);
    for (const Case& c : cases) {
        EXPECT_EQ(addToChainsHeader(host, c.series, c.task, 75, 60, chains.get()), 1);
        EXPECT_EQ(chains->wMark, 2);
        EXPECT_EQ(chains->wMakingLevel, 75);
        EXPECT_EQ(chains->wProcessingLevel, 60);
        EXPECT_STREQ(chains->lpSeriesTypeName, c.seriesName) << "line " << c.line;
        EXPECT_STREQ(chains->lpTaskName, c.taskName) << "line " << c.line;
    }
    EXPECT_EQ(addToChainsHeader(host, 1, 1, 100, 100, nullptr), 0);
    EXPECT_EQ(host.messages.back(), (RecordedMessage{"Не определен lpChainsHeader!",
                                                     " addToChainsHeader ", MessageIcon::None}));
    EXPECT_EQ(freeChainsHeader(chains), 1);
    EXPECT_EQ(freeChainsHeader(chains), 1);
}

TEST(ChainsHeader, DumpsItsRowsAndCutsALongDumpAtTheBuffer) {
    RecordingHost host;
    auto chains = getChainsHeader(host, 3, 2, nullptr);
    chains->wQuanPulses = 2;
    rankChain(*chains, -1500, PulseChain{{12, 3, 0, 19}, {60, 1, 2, 17}});
    rankChain(*chains, 9999999, PulseChain{});
    aboutChainsHeader(host, *chains);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "aboutChainsHeader Info");
    EXPECT_EQ(host.messages[0].text,
              "ChainsHeader:\nwMaxSize: 3\nwPretenders: 2\nwMaxPulses: 2\nwQuanPulses: 2\n"
              "wSeekingPulsesQuantity: 0\n 1. -1500 12 (3) [0 19] 60 (1) [2 17]\n 2. 9999999\n");

    auto big = getChainsHeader(host, 10, 200, nullptr);
    for (int r = 0; r < 10; ++r) rankChain(*big, r, chainOf(r + 1, 200));
    const std::string text = chainsHeaderText(*big);
    EXPECT_EQ(text.size(), 2499u);
    EXPECT_EQ(text.find(" 1. 0 10 (1) [0 4] 11 (1) [0 4]"), 100u);  // right after the counters
    EXPECT_EQ(text.find(" 2. 1 20 (2)"), std::string::npos);        // row 1 alone fills the buffer
}

}  // namespace
}  // namespace mirovale
